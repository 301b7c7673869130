#pragma once

#include <QByteArray>
#include <QString>

// The file forms of names and values in the settings store's INI dialect, as QSettings
// writes and reads them.
namespace tavrik::core::inistore {

QByteArray escapedName(const QString &name);
QString unescapedName(const QByteArray &raw);
QByteArray escapedValue(const QString &value);
// Unquoted commas are kept as text rather than splitting a list.
QString unescapedValue(const QByteArray &raw);

} // namespace tavrik::core::inistore
