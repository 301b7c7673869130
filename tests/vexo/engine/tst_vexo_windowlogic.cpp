#include "vexo/engine/windowlogic.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo;

class TestVexoWindowLogic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void miniWindowHeights();
    void hoverFrame_data();
    void hoverFrame();
    void closeDecision_data();
    void closeDecision();
    void listAbove();
    void beepPath_data();
    void beepPath();
    void lockCaption();
};

void TestVexoWindowLogic::miniWindowHeights()
{
    QVERIFY(!isMini(kStartOuterHeight));
    int h = kStartOuterHeight;
    QList<int> heights;
    for (int i = 0; i < 4; ++i) {
        h = miniToggledHeight(h);
        heights << h;
    }
    // Back from the mini window gives 3010, and entering it again works.
    QCOMPARE(heights, (QList<int>{800, 3010, 800, 3010}));
    QVERIFY(isMini(800));
    QVERIFY(!isMini(3010));
    // Exactly 1000 twips: the tick does not count it as mini, the menu item leaves it.
    QVERIFY(!isMini(1000));
    QCOMPARE(miniToggledHeight(1000), kRestoredOuterHeight);
    QCOMPARE(miniToggledHeight(1001), kMiniOuterHeight);
}

void TestVexoWindowLogic::hoverFrame_data()
{
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("frame");
    QTest::newRow("Label4") << QRect(0, 0, 1455, 255) << QRect(-5, -10, 1465, 275);
    QTest::newRow("Label2") << QRect(120, 1080, 480, 240) << QRect(115, 1070, 490, 260);
    QTest::newRow("a button") << QRect(2280, 1680, 975, 375) << QRect(2275, 1670, 985, 395);
}

void TestVexoWindowLogic::hoverFrame()
{
    QFETCH(QRect, control);
    QFETCH(QRect, frame);
    QCOMPARE(cLine(control), frame);
}

void TestVexoWindowLogic::closeDecision_data()
{
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("decision");
    QTest::newRow("never started") << false << false << int(CloseDecision::CloseNow);
    QTest::newRow("never started, locked") << false << true << int(CloseDecision::CloseNow);
    QTest::newRow("started") << true << false << int(CloseDecision::Ask);
    QTest::newRow("started, locked") << true << true << int(CloseDecision::RefuseLocked);
}

void TestVexoWindowLogic::closeDecision()
{
    QFETCH(bool, started);
    QFETCH(bool, locked);
    QFETCH(int, decision);
    QCOMPARE(int(vexo::closeDecision(started, locked)), decision);
}

void TestVexoWindowLogic::listAbove()
{
    // The list's bottom meets the main window's top, whatever its own height.
    QCOMPARE(vexo::listAbove(QRect(300, 500, 320, 200), 260), QRect(300, 240, 320, 260));
    QCOMPARE(vexo::listAbove(QRect(-40, 100, 320, 200), 260), QRect(-40, -160, 320, 260));
}

void TestVexoWindowLogic::beepPath_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("path");
    QTest::newRow("with slash") << "/opt/tavrik/" << "/opt/tavrik/Beep.wav";
    QTest::newRow("without slash") << "/opt/tavrik" << "/opt/tavrik/Beep.wav";
    QTest::newRow("root") << "/" << "/Beep.wav";
}

void TestVexoWindowLogic::beepPath()
{
    QFETCH(QString, dir);
    QFETCH(QString, path);
    QCOMPARE(vexo::beepPath(dir), path);
}

void TestVexoWindowLogic::lockCaption()
{
    QCOMPARE(lockMenuCaption(true), QStringLiteral("解除锁定控制(&L)"));
    QCOMPARE(lockMenuCaption(false), QStringLiteral("锁定控制(&L)"));
    QCOMPARE(kMenuPopupPos, QPoint(1, 300));
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoWindowLogic)
#include "tst_vexo_windowlogic.moc"
