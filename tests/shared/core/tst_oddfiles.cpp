// Settings and profile files that are not plain files of a sensible size: nothing may
// hang, fill the memory or replace them.
#include "shared/core/filebytes.h"
#include "shared/core/profile.h"
#include "shared/core/settingsstore.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using namespace tavrik::core;

namespace {

// Puts something odd at path; false when this system cannot make it.
bool makeOdd(const QString &kind, const QString &path)
{
    const QByteArray p = QFile::encodeName(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(p.constData(), 0600) == 0;
    if (kind == QLatin1String("endless device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    QFile f(path);
    // Sparse: no disk space taken. Two megabytes are a thousand times a real file.
    if (kind == QLatin1String("too large"))
        return f.open(QIODevice::WriteOnly) && f.resize(kMaxSettingsFileBytes + 1);
    if (kind == QLatin1String("2 MB"))
        return f.open(QIODevice::WriteOnly) && f.resize(2 * 1024 * 1024);
    // Root reads it all the same.
    if (kind == QLatin1String("unreadable"))
        return ::geteuid() != 0 && f.open(QIODevice::WriteOnly) && f.setPermissions({});
    return false;
}

QString typeOf(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.isSymLink())
        return QStringLiteral("link");
    if (fi.isDir())
        return QStringLiteral("folder");
    if (fi.isFile())
        return QStringLiteral("file %1").arg(fi.size());
    return QStringLiteral("other");
}

} // namespace

class TestOddFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void store_data();
    void store();
    void profile_data() { store_data(); }
    void profile();
    void limitIsOnTheBytesRead();
};

void TestOddFiles::store_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why"); // part of the reason given
    QTest::newRow("fifo") << "fifo" << "不是普通文件";
    QTest::newRow("link to /dev/zero") << "endless device" << "不是普通文件";
    QTest::newRow("too large") << "too large" << "太大";
    QTest::newRow("folder") << "folder" << "不是普通文件";
    QTest::newRow("2 MB") << "2 MB" << "太大";
    QTest::newRow("unreadable") << "unreadable" << "无法读取";
}

void TestOddFiles::store()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir dir;
    IniSettingsStore store(dir.path());
    const QString path = store.filePath(kSettingsApp);
    if (!makeOdd(kind, path))
        QSKIP("cannot be made here");
    const QString before = typeOf(path);

    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("2"));
    QVERIFY2(store.problem(kSettingsApp).contains(why), qPrintable(store.problem(kSettingsApp)));
    QVERIFY(store.problem(kSettingsApp).contains(path));

    QString error;
    QVERIFY(!store.saveAll(kSettingsApp, "Tavrik", {{"Speed", "3"}, {"OnTop", "0"}}, &error));
    QVERIFY2(error.contains(why) && error.contains(path), qPrintable(error));
    QVERIFY(!store.pending());
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("2"));
    QCOMPARE(typeOf(path), before);

    // Once the odd thing is gone, the store works again.
    QVERIFY(QFile::remove(path) || QDir().rmdir(path));
    QVERIFY(store.save(kSettingsApp, "Tavrik", "Speed", "4"));
    QCOMPARE(store.read(kSettingsApp, "Tavrik", "Speed", "2"), QStringLiteral("4"));
    QCOMPARE(store.problem(kSettingsApp), QString());
}

void TestOddFiles::profile()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vexo.ini"));
    if (!makeOdd(kind, path))
        QSKIP("cannot be made here");
    const QString before = typeOf(path);

    // Reading fails quietly, as every failure of the profile reader does.
    QCOMPARE(ReadIni("Setting", "msCount", "3", path), QString());
    QString error;
    QVERIFY(!WriteIni("Setting", "msCount", "2", path, &error));
    QVERIFY2(error.contains(why), qPrintable(error));
    QCOMPARE(typeOf(path), before);
}

void TestOddFiles::limitIsOnTheBytesRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write("0123456789"), qint64(10));
    f.close();
    QByteArray data;
    QString error;
    QCOMPARE(readRegularFile(path, &data, &error, 10), ReadStatus::Ok);
    QCOMPARE(data, QByteArray("0123456789"));
    QCOMPARE(readRegularFile(path, &data, &error, 9), ReadStatus::Failed);
    QVERIFY(data.isEmpty());
    QVERIFY(error.contains(QStringLiteral("太大")));
    QCOMPARE(readRegularFile(dir.filePath(QStringLiteral("none")), &data, &error), ReadStatus::Missing);
}

TAVRIK_TEST_GUILESS_MAIN(TestOddFiles)
#include "tst_oddfiles.moc"
