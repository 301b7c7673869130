#include "tests/vexo3/main/window_fixture.h"

#include "vexo3/main/flist.h"
#include "shared/core/recordfile.h"

#include <QFile>
#include <QListWidget>

using namespace vexo3;

class TestFList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void impossibleWhileIdle();
    void threeRecordsIncrease();
    void recordAfterStopRepeatsFinalReading();
    void recordTakesTheLatestTick();
    void placedAboveTheMainWindow();
    void hideThenSpaceBringsItBack();
    void closeBoxKeepsEntries();
    void clearEmptiesTheList();
    void saveWritesFileAndOpensEditor();
    void relativeTempFolderGivesAbsoluteUrl();
    void emptyListWritesEmptyFile();
    void sixtiethsEntry();
    void plantedSymlinkIsNotFollowed();
    void unwritableFolderShowsErrorAndKeepsList();
    void keysInListReachMainWindow();
    void fileRemovedAtExitOnlyIfUnchanged();

private:
    fList &record()
    {
        f.w->ActRecord();
        return *f.w->recordList();
    }
    MainFixture f;
};

void TestFList::impossibleWhileIdle()
{
    FrmSec &w = f.load();
    w.ActRecord();
    ui(w).mrec->trigger();
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(!w.recordList());
}

void TestFList::threeRecordsIncrease()
{
    FrmSec &w = f.load();
    w.ActStart();
    for (double dt : {1.25, 2.5, 0.125}) {
        f.tickAfter(dt);
        QTest::keyClick(&w, Qt::Key_Space);
    }
    QCOMPARE(w.recordList()->entries(),
             (QStringList{QStringLiteral("1.250S [0:00:01.250]"), QStringLiteral("3.750S [0:00:03.750]"),
                          QStringLiteral("3.875S [0:00:03.875]")}));
    QCOMPARE(w.recordList()->windowTitle(), QStringLiteral("计时"));
}

void TestFList::recordAfterStopRepeatsFinalReading()
{
    FrmSec &w = f.load();
    w.ActStart();
    f.tickAfter(61);
    w.ActStop();
    f.env.clock.advance(30);
    QTest::mouseClick(ui(w).CMD[6], Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(w.recordList()->entries(), QStringList(2, QStringLiteral("61.000S [0:01:01.000]")));
}

void TestFList::recordTakesTheLatestTick()
{
    FrmSec &w = f.load();
    w.msp_Click(0);
    w.ActStart();
    f.tickAfter(0.25);
    f.tickAfter(0.25);
    f.env.clock.advance(0.125); // between ticks
    w.ActRecord();
    QCOMPARE(w.recordList()->entries().last(), QStringLiteral("0.500S [0:00:00.500]"));
}

void TestFList::placedAboveTheMainWindow()
{
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    QVERIFY(l.isVisible());
    QCOMPARE(l.frameGeometry().left(), w.frameGeometry().left());
    QCOMPARE(l.frameGeometry().width(), w.frameGeometry().width());
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    l.move(0, 0);
    record();
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    // Layout of the list window.
    QCOMPARE(l.List1->geometry(), QRect(8, 8, 281, 156));
    QCOMPARE(l.cmdBox2->geometry(), QRect(96, 184, 105, 33));
}

void TestFList::hideThenSpaceBringsItBack()
{
    FrmSec &w = f.load();
    w.ActStart();
    f.tickAfter(1);
    fList &l = record();
    QTest::mouseClick(l.cmdBox3, Qt::LeftButton);
    QVERIFY(!l.isVisible());
    f.tickAfter(1);
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(l.isVisible());
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    QCOMPARE(l.entries(), (QStringList{QStringLiteral("1.000S [0:00:01.000]"), QStringLiteral("2.000S [0:00:02.000]")}));
}

void TestFList::closeBoxKeepsEntries()
{
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    l.close();
    QVERIFY(!l.isVisible());
    record();
    QCOMPARE(l.entries().size(), 2);
}

void TestFList::clearEmptiesTheList()
{
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    record();
    QTest::mouseClick(l.cmdBox1, Qt::LeftButton);
    QVERIFY(l.entries().isEmpty());
    QVERIFY(l.isVisible());
}

void TestFList::relativeTempFolderGivesAbsoluteUrl()
{
    // temp=rel/t: the editor gets an absolute file URL of the file written.
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(f.env.tempDir()));
    qputenv("temp", "rel/t");
    QVERIFY(QDir().mkpath(QStringLiteral("rel/t")));
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    QTest::mouseClick(l.cmdBox2, Qt::LeftButton);
    QDir::setCurrent(saved);
    QCOMPARE(f.env.launcher.urls.size(), 1);
    const QUrl url = f.env.launcher.urls.first();
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), f.env.tempDir() + QStringLiteral("/rel/t/秒表记录.txt"));
    QVERIFY(QFileInfo::exists(url.toLocalFile()));
}

void TestFList::saveWritesFileAndOpensEditor()
{
    FrmSec &w = f.load();
    w.ActStart();
    f.tickAfter(83.4567);
    fList &l = record();
    f.tickAfter(1);
    record();
    QTest::mouseClick(l.cmdBox2, Qt::LeftButton);
    const QString path = f.env.tempDir() + QStringLiteral("/秒表记录.txt");
    QCOMPARE(tavrik::core::recordFilePath(), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("83.457S [0:01:23.457]\r\n84.457S [0:01:24.457]\r\n"));
    QCOMPARE(f.env.launcher.urls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(l.entries().size(), 2);
    // The editor may still be reading it: the file stays.
    QCoreApplication::processEvents();
    QVERIFY(QFileInfo::exists(path));
}

void TestFList::emptyListWritesEmptyFile()
{
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    QTest::mouseClick(l.cmdBox1, Qt::LeftButton);
    QTest::mouseClick(l.cmdBox2, Qt::LeftButton);
    const QString path = f.env.tempDir() + QStringLiteral("/秒表记录.txt");
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(f.env.launcher.urls.size(), 1);
}

void TestFList::sixtiethsEntry()
{
    FrmSec &w = f.load();
    w.setFractionStyle(1, 2);
    w.ActStart();
    f.tickAfter(83.4567);
    QCOMPARE(record().entries().last(), QStringLiteral("83.28S [0:01:23.28]"));
}

void TestFList::plantedSymlinkIsNotFollowed()
{
    FrmSec &w = f.load();
    const QString victim = f.env.appDir() + QStringLiteral("victim.txt");
    QFile v(victim);
    QVERIFY(v.open(QIODevice::WriteOnly));
    v.write("keep me");
    v.close();
    QVERIFY(QFile::link(victim, f.env.tempDir() + QStringLiteral("/秒表记录.txt")));
    w.ActStart();
    fList &l = record();
    QTest::mouseClick(l.cmdBox2, Qt::LeftButton);
    QVERIFY(v.open(QIODevice::ReadOnly));
    QCOMPARE(v.readAll(), QByteArray("keep me"));
    QVERIFY(f.env.dialogs.boxes.isEmpty());
}

void TestFList::unwritableFolderShowsErrorAndKeepsList()
{
    FrmSec &w = f.load();
    const QString blocker = f.env.tempDir() + QStringLiteral("/blocker");
    QFile b(blocker);
    QVERIFY(b.open(QIODevice::WriteOnly));
    b.close();
    const QByteArray saved = qgetenv("temp");
    qputenv("temp", QFile::encodeName(blocker));
    w.ActStart();
    fList &l = record();
    record();
    QTest::mouseClick(l.cmdBox2, Qt::LeftButton);
    qputenv("temp", saved);
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].title, QStringLiteral("错误"));
    QVERIFY(f.env.dialogs.boxes[0].text.contains(blocker + QStringLiteral("/秒表记录.txt")));
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    QVERIFY(f.env.launcher.urls.isEmpty());
    QCOMPARE(l.entries().size(), 2);
}

void TestFList::keysInListReachMainWindow()
{
    FrmSec &w = f.load();
    w.ActStart();
    fList &l = record();
    QTest::keyClick(l.List1, Qt::Key_Space);
    QCOMPARE(l.entries().size(), 2);
    QTest::keyClick(&l, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QTest::keyClick(l.List1, Qt::Key_F3);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
}

void TestFList::fileRemovedAtExitOnlyIfUnchanged()
{
    FrmSec &w = f.load();
    w.ActStart();
    QTest::mouseClick(record().cmdBox2, Qt::LeftButton);
    const QString path = f.env.tempDir() + QStringLiteral("/秒表记录.txt");
    QVERIFY(QFileInfo::exists(path));
    w.close();
    QVERIFY(!QFileInfo::exists(path));

    FrmSec &w2 = f.load();
    w2.ActStart();
    QTest::mouseClick(record().cmdBox2, Qt::LeftButton);
    QFile edit(path);
    QVERIFY(edit.open(QIODevice::Append));
    edit.write("edited\r\n");
    edit.close();
    w2.close();
    QVERIFY(QFileInfo::exists(path));
}

QTEST_MAIN(TestFList)
#include "tst_flist.moc"
