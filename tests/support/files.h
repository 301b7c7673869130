#pragma once

// A file's bytes, for tests that write a file and read it back.

#include <QByteArray>
#include <QFile>
#include <QtTest>

namespace testing {

inline void writeBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(data), data.size());
}

// Empty when the file cannot be read.
inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace testing
