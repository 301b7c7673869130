#include "shared/core/inifile.h"
#include "shared/core/profile.h"
#include "shared/core/profilelocation.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace tavrik::core;
using Access = ProfileLocation::FolderAccess;

// Where Vexo.ini is read and written: the program folder while it takes writes, else
// the user's own copy, made from the shipped file on the first write.
class TestProfileLocation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void writableFolderKeepsTheShippedFile();
    void readOnlyFolderReadsTheShippedFileUntilTheFirstWrite();
    void firstWriteCopiesEverythingShipped();
    void laterWritesChangeOnlyTheCopy();
    void noShippedFileGivesACopyWithTheKeyAlone();
    void copyThatCannotBeMadeTellsWhereAndLeavesNothing_data();
    void copyThatCannotBeMadeTellsWhereAndLeavesNothing();
    void probe_data();
    void probe();

private:
    ProfileLocation location(Access access) const
    {
        return ProfileLocation(dir_->filePath(QStringLiteral("app")), dir_->filePath(QStringLiteral("user/BriselSoftware")),
                               QStringLiteral("Vexo.ini"), access);
    }
    QByteArray contents(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

namespace {
const QByteArray kShipped = "; the image sets\n"
                            "[SegFont]\n"
                            "Count=2\n"
                            "1=红色,seg/red.png\n"
                            "2=绿色,seg/green.png\n"
                            "Selected=1\n"
                            "\n"
                            "[Setting]\n"
                            "msStyle=0\n";
} // namespace

void TestProfileLocation::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("app")));
    QVERIFY(inifile::writeAtomically(location(Access::Writable).shipped(), kShipped));
}

void TestProfileLocation::writableFolderKeepsTheShippedFile()
{
    const ProfileLocation l = location(Access::Writable);
    QVERIFY(!l.usesUserCopy());
    QVERIFY(l.write(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("2")));
    QCOMPARE(l.readPath(), l.shipped());
    QCOMPARE(ReadIni(QStringLiteral("SegFont"), QStringLiteral("Selected"), QString(), l.shipped()), QStringLiteral("2"));
    QVERIFY(!QFileInfo::exists(l.userCopy()));
    QVERIFY(!QFileInfo::exists(dir_->filePath(QStringLiteral("user"))));
}

void TestProfileLocation::readOnlyFolderReadsTheShippedFileUntilTheFirstWrite()
{
    const ProfileLocation l = location(Access::ReadOnly);
    QVERIFY(l.usesUserCopy());
    QCOMPARE(l.readPath(), l.shipped());
    QVERIFY(l.write(QStringLiteral("Setting"), QStringLiteral("mSStyle"), QStringLiteral("1")));
    QCOMPARE(l.readPath(), l.userCopy());
    QCOMPARE(ReadIni(QStringLiteral("Setting"), QStringLiteral("msStyle"), QString(), l.readPath()), QStringLiteral("1"));
    QCOMPARE(contents(l.shipped()), kShipped);
}

void TestProfileLocation::firstWriteCopiesEverythingShipped()
{
    const ProfileLocation l = location(Access::ReadOnly);
    QVERIFY(l.write(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("2")));
    // Every other line as shipped, comments and all; only the key written changed.
    QByteArray expected = kShipped;
    expected.replace("Selected=1", "Selected=2");
    QCOMPARE(contents(l.userCopy()), expected);
}

void TestProfileLocation::laterWritesChangeOnlyTheCopy()
{
    const ProfileLocation l = location(Access::ReadOnly);
    QVERIFY(l.write(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("2")));
    // A shipped file replaced by an update does not undo the user's choices.
    QVERIFY(inifile::writeAtomically(l.shipped(), "[SegFont]\nSelected=1\nCount=1\n"));
    QVERIFY(l.write(QStringLiteral("Setting"), QStringLiteral("msCount"), QStringLiteral("2")));
    QCOMPARE(ReadIni(QStringLiteral("SegFont"), QStringLiteral("Selected"), QString(), l.readPath()), QStringLiteral("2"));
    QCOMPARE(ReadIni(QStringLiteral("SegFont"), QStringLiteral("Count"), QString(), l.readPath()), QStringLiteral("2"));
    QCOMPARE(ReadIni(QStringLiteral("Setting"), QStringLiteral("msCount"), QString(), l.readPath()), QStringLiteral("2"));
    QCOMPARE(contents(l.shipped()), QByteArray("[SegFont]\nSelected=1\nCount=1\n"));
}

void TestProfileLocation::noShippedFileGivesACopyWithTheKeyAlone()
{
    const ProfileLocation l = location(Access::ReadOnly);
    QVERIFY(QFile::remove(l.shipped()));
    QVERIFY(l.write(QStringLiteral("Setting"), QStringLiteral("mSCount"), QStringLiteral("2")));
    QCOMPARE(contents(l.userCopy()), QByteArray("[Setting]\nmSCount=2\n"));
    QVERIFY(!QFileInfo::exists(l.shipped()));
}

void TestProfileLocation::copyThatCannotBeMadeTellsWhereAndLeavesNothing_data()
{
    QTest::addColumn<QString>("blocked");  // made a plain file
    QTest::addColumn<QString>("mentions"); // what the reason names
    QTest::newRow("user folder is a file") << QStringLiteral("user") << QStringLiteral("user");
    QTest::newRow("shipped file is a folder") << QStringLiteral("app/Vexo.ini") << QStringLiteral("app/Vexo.ini");
}

void TestProfileLocation::copyThatCannotBeMadeTellsWhereAndLeavesNothing()
{
    QFETCH(QString, blocked);
    QFETCH(QString, mentions);
    const QString path = dir_->filePath(blocked);
    if (blocked.endsWith(QStringLiteral(".ini"))) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(inifile::writeAtomically(path, "not a folder"));
    }
    const ProfileLocation l = location(Access::ReadOnly);
    QString error;
    QVERIFY(!l.write(QStringLiteral("SegFont"), QStringLiteral("Selected"), QStringLiteral("2"), &error));
    QVERIFY2(error.contains(dir_->filePath(mentions)), qPrintable(error));
    // No copy that would hide the shipped file from now on.
    QVERIFY(!QFileInfo(l.userCopy()).isFile());
    QCOMPARE(l.readPath(), l.shipped());
}

void TestProfileLocation::probe_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("fileReadOnly");
    QTest::addColumn<bool>("folderReadOnly");
    QTest::addColumn<bool>("expected");
    QTest::newRow("own folder") << QString() << false << false << true;
    QTest::newRow("own folder, no file yet") << QStringLiteral("new") << false << false << true;
    QTest::newRow("missing folder") << QStringLiteral("missing") << false << false << false;
    QTest::newRow("read-only file") << QString() << true << false << false;
    QTest::newRow("read-only folder") << QString() << false << true << false;
}

void TestProfileLocation::probe()
{
    QFETCH(QString, folder);
    QFETCH(bool, fileReadOnly);
    QFETCH(bool, folderReadOnly);
    QFETCH(bool, expected);
    if ((fileReadOnly || folderReadOnly) && ::geteuid() == 0)
        QSKIP("permissions do not stop root");
    const QString app = dir_->filePath(QStringLiteral("app"));
    if (folder == QStringLiteral("new"))
        folder = dir_->path();
    else if (folder == QStringLiteral("missing"))
        folder = dir_->filePath(QStringLiteral("missing"));
    else if (folder.isEmpty())
        folder = app;
    const QString file = app + QStringLiteral("/Vexo.ini");
    if (fileReadOnly)
        QFile::setPermissions(file, QFile::ReadOwner);
    if (folderReadOnly)
        QFile::setPermissions(app, QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = canReplaceIn(folder, QStringLiteral("Vexo.ini"));
    // Probing decides the location as the real program does.
    const bool usesCopy = location(Access::Probe).usesUserCopy();
    QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(writable, expected);
    if (folder == app)
        QCOMPARE(usesCopy, !expected);
}

TAVRIK_TEST_GUILESS_MAIN(TestProfileLocation)
#include "tst_profilelocation.moc"
