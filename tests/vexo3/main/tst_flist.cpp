#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

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
    void recordTakesTheLatestTick_data();
    void recordTakesTheLatestTick();
    void placedAboveTheMainWindow();
    void hideThenSpaceBringsItBack();
    void sixtiethsEntry();
    void keysInListReachMainWindow();
    void fileRemovedAtExitOnlyIfUnchanged();

private:
    fList &record()
    {
        ui(*f.w).mrec->trigger();
        return *f.w->recordList();
    }
    MainFixture f;
};

void TestFList::impossibleWhileIdle()
{
    FrmSec &w = f.load();
    QTest::mouseClick(ui(w).CMD[6], Qt::LeftButton);
    ui(w).mrec->trigger();
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(!w.recordList());
}

void TestFList::threeRecordsIncrease()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
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
    ui(w).mstart->trigger();
    f.tickAfter(61);
    ui(w).mStop->trigger();
    f.env.clock.advance(30);
    QTest::mouseClick(ui(w).CMD[6], Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(w.recordList()->entries(), QStringList(2, QStringLiteral("61.000S [0:01:01.000]")));
}

void TestFList::recordTakesTheLatestTick_data()
{
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("entry");
    QTest::newRow("50 ms") << 3 << "0.500S [0:00:00.500]";
    // Ticking once a frame, a record ticks first: its moment, as a 1 ms tick had it.
    QTest::newRow("1 ms") << 0 << "0.625S [0:00:00.625]";
}

void TestFList::recordTakesTheLatestTick()
{
    QFETCH(int, precision);
    QFETCH(QString, entry);
    FrmSec &w = f.load();
    ui(w).msp[precision]->trigger();
    ui(w).mstart->trigger();
    f.tickAfter(0.25);
    f.tickAfter(0.25);
    f.env.clock.advance(0.125); // between ticks
    ui(w).mrec->trigger();
    QCOMPARE(w.recordList()->entries().last(), entry);
}

void TestFList::placedAboveTheMainWindow()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    fList &l = record();
    QVERIFY(l.isVisible());
    QCOMPARE(l.frameGeometry().left(), w.frameGeometry().left());
    QCOMPARE(l.frameGeometry().width(), w.frameGeometry().width());
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    l.move(0, 0);
    record();
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    // Layout of the list window.
    QCOMPARE(testing::partOf<QListWidget>(l, QStringLiteral("List1"))->geometry(), QRect(8, 8, 281, 156));
    QCOMPARE(testing::partOf<cmdBox>(l, QStringLiteral("cmdBox2"))->geometry(), QRect(96, 184, 105, 33));
}

void TestFList::hideThenSpaceBringsItBack()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    f.tickAfter(1);
    fList &l = record();
    QTest::mouseClick(testing::partOf<cmdBox>(l, QStringLiteral("cmdBox3")), Qt::LeftButton);
    QVERIFY(!l.isVisible());
    f.tickAfter(1);
    QTest::keyClick(&w, Qt::Key_Space);
    QVERIFY(l.isVisible());
    QCOMPARE(l.frameGeometry().bottom() + 1, w.frameGeometry().top());
    QCOMPARE(l.entries(), (QStringList{QStringLiteral("1.000S [0:00:01.000]"), QStringLiteral("2.000S [0:00:02.000]")}));
}

void TestFList::sixtiethsEntry()
{
    FrmSec &w = f.load();
    w.displays().setFractionStyle(1, 2);
    ui(w).mstart->trigger();
    f.tickAfter(83.4567);
    QCOMPARE(record().entries().last(), QStringLiteral("83.28S [0:01:23.28]"));
}

void TestFList::keysInListReachMainWindow()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    fList &l = record();
    QTest::keyClick(testing::partOf<QListWidget>(l, QStringLiteral("List1")), Qt::Key_Space);
    QCOMPARE(l.entries().size(), 2);
    QTest::keyClick(&l, Qt::Key_Return);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kPausedSet));
    QTest::keyClick(testing::partOf<QListWidget>(l, QStringLiteral("List1")), Qt::Key_F3);
    QCOMPARE(sorted(f.visibleButtons()), sorted(kIdleSet));
}

void TestFList::fileRemovedAtExitOnlyIfUnchanged()
{
    FrmSec &w = f.load();
    ui(w).mstart->trigger();
    QTest::mouseClick(testing::partOf<cmdBox>(record(), QStringLiteral("cmdBox2")), Qt::LeftButton);
    const QString path = f.env.tempDir() + QStringLiteral("/秒表记录.txt");
    QVERIFY(QFileInfo::exists(path));
    w.close();
    QVERIFY(!QFileInfo::exists(path));

    FrmSec &w2 = f.load();
    ui(w2).mstart->trigger();
    QTest::mouseClick(testing::partOf<cmdBox>(record(), QStringLiteral("cmdBox2")), Qt::LeftButton);
    QFile edit(path);
    QVERIFY(edit.open(QIODevice::Append));
    edit.write("edited\r\n");
    edit.close();
    w2.close();
    QVERIFY(QFileInfo::exists(path));
}

TAVRIK_TEST_MAIN(TestFList)
#include "tst_flist.moc"
