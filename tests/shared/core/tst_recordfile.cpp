#include "shared/core/recordfile.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tavrik::core;

class TestRecordFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tempFolderOrder_data();
    void tempFolderOrder();
    void writesLinesPrivately();
    void emptyListWritesEmptyFile();
    void symlinkIsReplacedNotFollowed();
    void otherUsersFileIsLeftAlone();
    void unwritableFolderReportsAndKeepsNothing();
    void removedOnlyWhenUnchanged_data();
    void removedOnlyWhenUnchanged();
};

void TestRecordFile::tempFolderOrder_data()
{
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("TEMP");
    QTest::addColumn<QString>("TMPDIR");
    QTest::addColumn<QString>("expected");
    QTest::newRow("temp first") << "/a" << "/b" << "/c" << "/a/秒表记录.txt";
    QTest::newRow("then TEMP") << "" << "/b" << "/c" << "/b/秒表记录.txt";
    QTest::newRow("then TMPDIR") << "" << "" << "/c/" << "/c/秒表记录.txt";
    const QString here = QDir::currentPath();
    QTest::newRow("relative temp") << "rel/t" << "/b" << "/c" << here + "/rel/t/秒表记录.txt";
    QTest::newRow("relative TEMP, dots") << "" << "./a/../b/" << "/c" << here + "/b/秒表记录.txt";
    QTest::newRow("relative TMPDIR") << "" << "" << "t" << here + "/t/秒表记录.txt";
}

void TestRecordFile::tempFolderOrder()
{
    QFETCH(QString, temp);
    QFETCH(QString, TEMP);
    QFETCH(QString, TMPDIR);
    const QByteArray saved[] = {qgetenv("temp"), qgetenv("TEMP"), qgetenv("TMPDIR")};
    auto set = [](const char *name, const QString &v) {
        if (v.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, v.toUtf8());
    };
    set("temp", temp);
    set("TEMP", TEMP);
    set("TMPDIR", TMPDIR);
    const QString path = recordFilePath();
    qputenv("temp", saved[0]);
    qputenv("TEMP", saved[1]);
    qputenv("TMPDIR", saved[2]);
    QTEST(path, "expected");
}

void TestRecordFile::writesLinesPrivately()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("秒表记录.txt"));
    RecordFile f;
    QVERIFY(f.write(path, {QStringLiteral("83.457S [0:01:23.457]"), QStringLiteral("90.001S [0:01:30.001]")}));
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), QByteArray("83.457S [0:01:23.457]\r\n90.001S [0:01:30.001]\r\n"));
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0600);
    // Nothing else is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestRecordFile::emptyListWritesEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("秒表记录.txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old content\r\n");
    old.close();
    RecordFile f;
    QVERIFY(f.write(path, {}));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestRecordFile::symlinkIsReplacedNotFollowed()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("victim"));
    QFile victim(target);
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    const QString path = dir.filePath(QStringLiteral("秒表记录.txt"));
    QVERIFY(QFile::link(target, path));
    RecordFile f;
    QVERIFY(f.write(path, {QStringLiteral("1.000S [0:00:01.000]")}));
    QVERIFY(!QFileInfo(path).isSymLink());
    QFile in(target);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), QByteArray("precious"));
}

void TestRecordFile::otherUsersFileIsLeftAlone()
{
    if (::geteuid() != 0)
        QSKIP("needs root to give a file to another user");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("秒表记录.txt"));
    QFile planted(path);
    QVERIFY(planted.open(QIODevice::WriteOnly));
    planted.write("theirs");
    planted.close();
    QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    RecordFile f;
    QString error;
    QVERIFY(!f.write(path, {QStringLiteral("x")}, &error));
    QVERIFY(!error.isEmpty());
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), QByteArray("theirs"));
}

void TestRecordFile::unwritableFolderReportsAndKeepsNothing()
{
    QTemporaryDir dir;
    // A "folder" that is a plain file cannot hold anything, whoever runs the test.
    const QString notADir = dir.filePath(QStringLiteral("plain"));
    QFile plain(notADir);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    RecordFile f;
    QString error;
    QVERIFY(!f.write(notADir + QStringLiteral("/秒表记录.txt"), {QStringLiteral("x")}, &error));
    QVERIFY(!error.isEmpty());
    f.removeIfUnchanged(); // nothing written, nothing to remove
    QVERIFY(QFileInfo(notADir).isFile());
}

void TestRecordFile::removedOnlyWhenUnchanged_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("removed");
    QTest::newRow("unchanged") << 0 << true;
    QTest::newRow("edited in place") << 1 << false;
    QTest::newRow("saved as a new file") << 2 << false;
    QTest::newRow("already gone") << 3 << false;
}

void TestRecordFile::removedOnlyWhenUnchanged()
{
    QFETCH(int, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("秒表记录.txt"));
    RecordFile f;
    QVERIFY(f.write(path, {QStringLiteral("1.000S [0:00:01.000]")}));
    if (change == 1) {
        QFile edit(path);
        QVERIFY(edit.open(QIODevice::Append));
        edit.write("my note\r\n");
    } else if (change == 2) {
        const QString tmp = path + QStringLiteral(".new");
        QFile edit(tmp);
        QVERIFY(edit.open(QIODevice::WriteOnly));
        edit.write("1.000S [0:00:01.000]\r\n");
        edit.close();
        QVERIFY(::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) == 0);
    } else if (change == 3) {
        QVERIFY(QFile::remove(path));
    }
    f.removeIfUnchanged();
    QFETCH(bool, removed);
    QCOMPARE(!QFileInfo::exists(path), removed || change == 3);
}

TAVRIK_TEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
