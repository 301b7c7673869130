#pragma once

#include <QByteArray>
#include <QString>

// The profile (INI) file with the semantics the programs were written against:
// sections and keys compared without regard to case, leading blanks of a value
// removed, values kept verbatim (commas and backslashes are data), at most 255 bytes
// of value, text in UTF-8.
namespace tavrik::core {

// One key of a profile file; a missing file, section or key gives the default, any
// other failure the empty text. Only a regular file is read, and only up to
// kMaxSettingsFileBytes (filebytes.h).
QString ReadIni(const QString &section, const QString &key, const QString &defaultValue,
                const QString &file);

// Writes one key, creating the file or the section when needed and keeping every
// other line as it was; the file is replaced atomically. False when it could not be
// written, with the reason in *error.
bool WriteIni(const QString &section, const QString &key, const QString &value, const QString &file,
              QString *error = nullptr);

// The same on a file's bytes: the value of a key, or the default when there is none.
QString profileValue(const QByteArray &data, const QString &section, const QString &key,
                     const QString &defaultValue);
// Sets one key in a file's bytes; false when the names or the value cannot be
// written, with the reason in *error.
bool setProfileValue(QByteArray *data, const QString &section, const QString &key, const QString &value,
                     QString *error = nullptr);

// The n-th field (1-based) of text split at delimiter; empty when there are fewer.
QString GetField(const QString &text, int n, const QString &delimiter);

} // namespace tavrik::core
