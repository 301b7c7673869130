#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"

#include "controls/twips.h"

#include <QLabel>
#include <QMenu>

using namespace vexo3;

class TestFBig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.reset(); }
    void cleanup() { f.closeAll(); }
    void looksAndMenu();
    void layoutFollowsWindowAndHeightChoice();
    void dragHandlesWithTheMouse();
    void dateAndTimeInTenCells();
    void countdownFrameByFrame();
    void countdownOfTextIsDoneAtOnce();
    void countdownAcrossMidnightCountsOn();
    void digitCountChoice();
    void leftClickSwitchesMainReadingForm();
    void twoDateWindowsAreIndependent();
    void stopwatchWindowIsRecreatedAfterClose();
    void stopwatchModeFromAnotherWindow();
    void heightHelpBox();
    void tickOnlyWhileThereIsWork();

private:
    MainFixture f;
};

void TestFBig::looksAndMenu()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    fBig *b = w.displays().bigWindow(false);
    const BigUi u = ui(*b);
    QCOMPARE(b->windowTitle(), QStringLiteral("Tavrik-显示窗口"));
    QCOMPARE(b->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
    QCOMPARE(u.Timer1->interval(), 50);
    for (QLabel *h : u.Label1)
        QCOMPARE(h->cursor().shape(), Qt::SizeVerCursor);
    QStringList items;
    for (QAction *a : u.popm->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items, (QStringList{"新建显示窗口", "-", "秒表", "-", "显示日期(年-月-日)", "显示时间(时:分:秒)", "-", "数字位数", "数字高度"}));
    QCOMPARE(u.mNC[0]->text(), QStringLiteral("8"));
    QCOMPARE(u.mNC[12]->text(), QStringLiteral("20"));
    QCOMPARE(u.mh[3]->text(), QStringLiteral("250 p(典型)"));
    QCOMPARE(u.mnh->actions().last()->text(), QStringLiteral("自定义?"));
    // What shows on screen: grey around, black display.
    b->resize(600, 300);
    const QImage shot = b->grab().toImage();
    QCOMPARE(QColor(shot.pixel(2, 2)), QColor(0x40, 0x40, 0x40));
    // The display between the handles is black where no segment is lit.
    u.SegBox1->setSegValue(QString());
    const QImage after = b->grab().toImage();
    QCOMPARE(QColor(after.pixel(u.SegBox1->geometry().center())), QColor(Qt::black));
    QCOMPARE(QColor(after.pixel(u.SegBox1->x() - 3, u.SegBox1->geometry().center().y())), QColor(0x40, 0x40, 0x40));
}

void TestFBig::layoutFollowsWindowAndHeightChoice()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    fBig *b = w.displays().bigWindow(false);
    const BigUi u = ui(*b);
    b->resize(800, 400); // 6000 twips high
    QCOMPARE(u.SegBox1->geometry(), QRect(7, 100, 800 + 8 - 20, 200));
    u.mh[3]->trigger(); // 250 p
    QCOMPARE(f.stored("Tavrik", "SegHeight"), QStringLiteral("250"));
    QCOMPARE(b->layoutTwips().segHeight, 3750.0);
    QCOMPARE(u.SegBox1->geometry(), QRect(7, 75, 788, 250));
    QCOMPARE(u.Label1[0]->geometry(), QRect(0, 66, 800, 9));
    QCOMPARE(u.Label1[1]->geometry(), QRect(0, 338, 800, 9));
    b->resize(800, 133); // lower than the display: capped
    QCOMPARE(u.SegBox1->height(), 133);
    QCOMPARE(u.SegBox1->y(), 0);
    // Every window uses the stored height at its next start.
    f.restart();
    QCOMPARE(f.w->displays().SegHeight(), 250.0f);
}

void TestFBig::dragHandlesWithTheMouse()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    fBig *b = w.displays().bigWindow(false);
    b->resize(800, 400);
    const BigUi u = ui(*b);
    QLabel *upper = u.Label1[0];
    const int startTop = upper->y();
    QTest::mousePress(upper, Qt::LeftButton, Qt::NoModifier, QPoint(100, 4));
    // Down by 20 px: the handle follows the pointer, the display shrinks from the top.
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 24), upper->mapToGlobal(QPointF(100, 24)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(upper, &move);
    QCOMPARE(upper->y(), startTop + 20);
    QCOMPARE(u.SegBox1->y(), upper->y() + 9);
    // Far up: stopped at 120 twips (8 px).
    QMouseEvent up(QEvent::MouseMove, QPointF(100, -500), upper->mapToGlobal(QPointF(100, -500)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(upper, &up);
    QCOMPARE(upper->y(), 8);
    QTest::mouseRelease(upper, Qt::LeftButton, Qt::NoModifier, QPoint(100, 4));
    QCOMPARE(b->dragOffsetY(), -1.0f);
    // The display fills the space from below the upper handle to the lower handle.
    QCOMPARE(b->layoutTwips().segHeight, b->layoutTwips().handleTop[1] - 120.0 - 135.0);
    QCOMPARE(u.SegBox1->height(), tavrik::controls::px(b->layoutTwips().segHeight));
    // A move without the button does nothing.
    const QRect before = u.SegBox1->geometry();
    QMouseEvent hover(QEvent::MouseMove, QPointF(100, 50), upper->mapToGlobal(QPointF(100, 50)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(upper, &hover);
    QCOMPARE(u.SegBox1->geometry(), before);
}

void TestFBig::dateAndTimeInTenCells()
{
    f.env.clock.set(QDate(2009, 3, 15), 14 * 3600 + 5 * 60 + 9.5f);
    FrmSec &w = f.load();
    ui(w).mshowDate->trigger();
    ui(w).mshowTime->trigger();
    const BigUi d = ui(*f.bigWindows(QStringLiteral("Date"))[0]);
    const BigUi t = ui(*f.bigWindows(QStringLiteral("Time"))[0]);
    tick(d.Timer1);
    tick(t.Timer1);
    QCOMPARE(d.SegBox1->SegValue(), QStringLiteral("2009-03-15"));
    QCOMPARE(t.SegBox1->SegValue(), QStringLiteral("14:05:09"));
    // The time sits right-aligned after two blank cells.
    QCOMPARE(t.SegBox1->cellGlyph(0), 11);
    QCOMPARE(t.SegBox1->cellGlyph(1), 11);
    QCOMPARE(t.SegBox1->cellGlyph(2), 1);
    QCOMPARE(t.SegBox1->cellGlyph(4), 22);
    QCOMPARE(d.SegBox1->cellGlyph(4), 12);
    QCOMPARE(d.SegBox1->cellGlyph(7), 12);
    // The real timer keeps them current.
    f.env.clock.set(QDate(2009, 3, 16), 0.5f);
    QTRY_COMPARE_WITH_TIMEOUT(d.SegBox1->SegValue(), QStringLiteral("2009-03-16"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(t.SegBox1->SegValue(), QStringLiteral("00:00:00"), 2000);
}

void TestFBig::countdownFrameByFrame()
{
    FrmSec &w = f.load();
    f.env.dialogs.answers.append(QStringLiteral("5"));
    ui(w).mMode2[2]->trigger();
    const BigUi c = ui(*f.bigWindows(QStringLiteral("BackTimer"))[0]);
    c.Timer1->stop(); // driven by hand, tick by tick
    c.SegBox1->setSegCount(QStringLiteral("15"));
    QStringList frames;
    for (int i = 0; i < 22; ++i) {
        tick(c.Timer1);
        frames << c.SegBox1->SegValue();
        f.env.clock.advance(0.05);
    }
    QCOMPARE(c.SegBox1->SegCount(), QStringLiteral("10"));
    QCOMPARE(frames[0], QStringLiteral("-   5.0"));
    QCOMPARE(frames[4].left(4), QStringLiteral("-   "));
    QCOMPARE(frames[5].left(4), QStringLiteral(" -  "));
    QCOMPARE(frames[10].left(4), QStringLiteral("  - "));
    QCOMPARE(frames[20], frames[19]); // the tick without a write
    QCOMPARE(frames[21].left(4), QStringLiteral("-   "));
    // Right-aligned in ten cells: the dash in cell 3, the number in the last three.
    QCOMPARE(c.SegBox1->cellGlyph(3), 12);
    f.env.clock.advance(5);
    tick(c.Timer1);
    QCOMPARE(c.SegBox1->SegValue(), QStringLiteral("--0--"));
    f.env.clock.advance(60);
    tick(c.Timer1);
    QCOMPARE(c.SegBox1->SegValue(), QStringLiteral("--0--"));
}

void TestFBig::countdownOfTextIsDoneAtOnce()
{
    FrmSec &w = f.load();
    const BigUi c = ui(*fBig::openCountdown(&w.displays(), QStringLiteral("soon")));
    tick(c.Timer1);
    QCOMPARE(c.SegBox1->SegValue(), QStringLiteral("--0--"));
}

void TestFBig::countdownAcrossMidnightCountsOn()
{
    f.env.clock.set(QDate(2009, 5, 12), 86399.0f);
    FrmSec &w = f.load();
    const BigUi c = ui(*fBig::openCountdown(&w.displays(), QStringLiteral("10")));
    tick(c.Timer1);
    f.env.clock.set(QDate(2009, 5, 13), 2.0f);
    tick(c.Timer1);
    tick(c.Timer1);
    QVERIFY(c.SegBox1->SegValue().endsWith(QStringLiteral(" 7.0")));
    f.env.clock.set(QDate(2009, 5, 13), 9.0f);
    tick(c.Timer1);
    QCOMPARE(c.SegBox1->SegValue(), QStringLiteral("--0--"));
}

void TestFBig::digitCountChoice()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    fBig *b = w.displays().bigWindow(false);
    ui(*b).mNC[8]->trigger();
    QCOMPARE(ui(*b).SegBox1->SegCount(), QStringLiteral("16"));
    QCOMPARE(ui(*b).SegBox1->visibleCells(), 16);
    b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.displays().bigWindow(false));
    ui(w).mshowSec->trigger();
    QCOMPARE(ui(*w.displays().bigWindow(false)).SegBox1->SegCount(), QString::number(w.displays().SegCounts2()));
}

void TestFBig::leftClickSwitchesMainReadingForm()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    Seg *display = ui(*w.displays().bigWindow(false)).SegBox1;
    ui(w).mstart->trigger();
    f.tickAfter(61);
    QCOMPARE(display->SegValue(), QStringLiteral("61.000"));
    QTest::mouseClick(display, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QCOMPARE(w.displays().SegMode2(), short(1));
    f.tickAfter(1);
    QCOMPARE(display->SegValue(), QStringLiteral("0:01:02.000"));
    QCOMPARE(f.shown(), QStringLiteral("62.000"));
    QTest::mouseClick(display, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QCOMPARE(w.displays().SegMode2(), short(0));
}

void TestFBig::twoDateWindowsAreIndependent()
{
    FrmSec &w = f.load();
    ui(w).mshowDate->trigger();
    fBig *first = f.bigWindows(QStringLiteral("Date"))[0];
    ui(*first).mNewDateForm->trigger();
    QCOMPARE(f.bigWindows(QStringLiteral("Date")).size(), 2);
    fBig *second = f.bigWindows(QStringLiteral("Date"))[0] == first ? f.bigWindows(QStringLiteral("Date"))[1]
                                                                    : f.bigWindows(QStringLiteral("Date"))[0];
    ui(*second).mNC[2]->trigger();
    QCOMPARE(ui(*first).SegBox1->SegCount(), QStringLiteral("10"));
    QCOMPARE(ui(*second).SegBox1->SegCount(), QStringLiteral("10"));
    ui(*second).mNC[4]->trigger();
    QCOMPARE(ui(*second).SegBox1->SegCount(), QStringLiteral("12"));
    QCOMPARE(ui(*first).SegBox1->SegCount(), QStringLiteral("10"));
    ui(*first).mTime->trigger();
    QCOMPARE(first->mode(), QStringLiteral("Time"));
    QCOMPARE(first->windowTitle(), QStringLiteral("时间"));
    QCOMPARE(second->mode(), QStringLiteral("Date"));
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(second->isVisible());
    QVERIFY(w.isVisible());
    QCOMPARE(f.bigWindows(QStringLiteral("Date")).size(), 1);
}

void TestFBig::stopwatchWindowIsRecreatedAfterClose()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    w.displays().bigWindow(false)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.displays().bigWindow(false));
    ui(w).mstart->trigger();
    f.tickAfter(1); // the tick copes without the window
    ui(w).mshowSec->trigger();
    fBig *b = w.displays().bigWindow(false);
    QVERIFY(b && b->isVisible());
    f.tickAfter(1);
    QCOMPARE(ui(*b).SegBox1->SegValue(), QStringLiteral("2.000"));
}

void TestFBig::stopwatchModeFromAnotherWindow()
{
    FrmSec &w = f.load();
    fBig *c = fBig::openCountdown(&w.displays(), QStringLiteral("100"));
    const BigUi u = ui(*c);
    QVERIFY(u.mSec->isEnabled());
    w.displays().setSegCounts(14, 18);
    u.mSec->trigger();
    QCOMPARE(c->mode(), QStringLiteral("Timer"));
    QCOMPARE(u.SegBox1->SegCount(), QStringLiteral("18"));
    QCOMPARE(w.displays().bigWindow(false)->windowTitle(), QStringLiteral("Tavrik-显示窗口 "));
    // The main window writes only into its own big window.
    ui(w).mstart->trigger();
    u.SegBox1->setSegValue(QStringLiteral("1"));
    f.tickAfter(3);
    QCOMPARE(u.SegBox1->SegValue(), QStringLiteral("1"));
}

void TestFBig::heightHelpBox()
{
    FrmSec &w = f.load();
    ui(w).mshowSec->trigger();
    ui(*w.displays().bigWindow(false)).msize->trigger();
    QCOMPARE(f.env.dialogs.boxes.size(), 1);
    QCOMPARE(f.env.dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Warning);
    QVERIFY(f.env.dialogs.boxes[0].text.startsWith(QStringLiteral("将鼠标指向显示的上边缘或下边缘")));
}

void TestFBig::tickOnlyWhileThereIsWork()
{
    // Idle, no window's timer runs: the stopwatch window made hidden at start-up, and
    // a shown one in stopwatch mode, which the main window writes to, have no tick.
    FrmSec &w = f.load();
    fBig *b = w.displays().bigWindow(false);
    QVERIFY(b && !b->isVisible());
    const BigUi u = ui(*b);
    QVERIFY(!u.Timer1->isActive());
    ui(w).mshowSec->trigger();
    QVERIFY(b->isVisible());
    QVERIFY(!u.Timer1->isActive());
    // A mode of its own ticks while it shows.
    u.mdate->trigger();
    QVERIFY(u.Timer1->isActive());
    QTRY_COMPARE(u.SegBox1->SegValue(), QStringLiteral("2009-05-12"));
    b->hide();
    QVERIFY(!u.Timer1->isActive());
    b->show();
    QVERIFY(u.Timer1->isActive());
    u.mSec->trigger();
    QVERIFY(!u.Timer1->isActive());

    const BigUi t = ui(*fBig::openDateTime(&w.displays(), fBig::kTimeMode));
    QVERIFY(t.Timer1->isActive());
    QTRY_COMPARE(t.SegBox1->SegValue(), QStringLiteral("10:00:00"));
    const BigUi c = ui(*fBig::openCountdown(&w.displays(), QStringLiteral("5")));
    QVERIFY(c.Timer1->isActive());
    QTRY_VERIFY(c.SegBox1->SegValue().endsWith(QStringLiteral("5.0")));
}

TAVRIK_TEST_MAIN(TestFBig)
#include "tst_fbig.moc"
