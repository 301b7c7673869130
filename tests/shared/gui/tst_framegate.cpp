// What a fast tick changes is shown at most once a frame, and always in the end.
#include "shared/gui/framegate.h"
#include "tests/support/testmain.h"

#include <QtTest>

class TestFrameGate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onceAFrame_data();
    void onceAFrame();
    void aLateFrameKeepsTheBeat();
};

void TestFrameGate::onceAFrame_data()
{
    // A gate of this interval; requests after these sleeps (ms, nothing processed
    // meanwhile; -1: a change shown another way); shows at once, and whether one is
    // left for the frame's end.
    QTest::addColumn<int>("interval");
    QTest::addColumn<QList<int>>("sleeps");
    QTest::addColumn<int>("atOnce");
    QTest::addColumn<bool>("left");
    QTest::newRow("fast ticks in one frame") << 500 << QList<int>{0, 0, 0, 0} << 1 << true;
    QTest::newRow("a tick a frame") << 1 << QList<int>{0, 5, 5} << 3 << false;
    QTest::newRow("the frame's timer late") << 20 << QList<int>{0, 0, 40} << 2 << false;
    QTest::newRow("shown at once meanwhile") << 500 << QList<int>{0, 0, -1} << 1 << false;
}

void TestFrameGate::onceAFrame()
{
    QFETCH(int, interval);
    QFETCH(QList<int>, sleeps);
    QFETCH(int, atOnce);
    QFETCH(bool, left);
    QWidget w;
    int shows = 0;
    tavrik::gui::FrameGate gate(&w, [&] { ++shows; }, interval);
    for (int ms : sleeps) {
        if (ms < 0) {
            gate.shown();
            continue;
        }
        QTest::qSleep(ms);
        gate.request();
    }
    QCOMPARE(shows, atOnce);
    QCOMPARE(gate.pending(), left);
    // What was held back shows at the frame's end, once.
    QTRY_COMPARE(shows, atOnce + int(left));
    QVERIFY(!gate.pending());
}

// A frame shown late by its timer still ended when it was due: a steady tick a little
// slower than the frames is shown at once again, rather than each change waiting.
void TestFrameGate::aLateFrameKeepsTheBeat()
{
    QWidget w;
    int shows = 0;
    tavrik::gui::FrameGate gate(&w, [&] { ++shows; }, 400);
    QElapsedTimer t;
    t.start();
    gate.request();
    QTest::qSleep(10);
    gate.request();
    // The event loop busy past the frame's end (400 ms): its timer fires ~110 ms late.
    QTest::qSleep(500);
    QTRY_COMPARE(shows, 2);
    QTest::qSleep(int(std::max<qint64>(0, 810 - t.elapsed())));
    gate.request();
    QCOMPARE(shows, 3);
}

TAVRIK_TEST_MAIN(TestFrameGate)
#include "tst_framegate.moc"
