// In a Wayland session: the platform the programs choose, and the on-top item where
// they run natively.
#include "shared/gui/program.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QtTest>

class TestSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waylandSession();
};

void TestSession::waylandSession()
{
    using tavrik::gui::sessionPlatform;
    QCOMPARE(sessionPlatform("wayland-0", "", ":0", ""), QByteArray("xcb"));
    QCOMPARE(sessionPlatform("", "wayland", ":1", ""), QByteArray("xcb"));
    QCOMPARE(sessionPlatform("wayland-0", "wayland", "", ""), QByteArray()); // no XWayland
    QCOMPARE(sessionPlatform("wayland-0", "", ":0", "wayland"), QByteArray()); // the user's choice
    QCOMPARE(sessionPlatform("", "x11", ":0", ""), QByteArray());

    QMainWindow window;
    QMenu *menu = window.menuBar()->addMenu(u"设置(&O)"_qs);
    QAction *onTop = menu->addAction(u"窗口总在前面显示"_qs);
    onTop->setObjectName(u"montop"_qs);
    tavrik::gui::explainPlacementLimits(&window, u"xcb"_qs);
    QVERIFY(onTop->isEnabled());
    tavrik::gui::explainPlacementLimits(&window, u"wayland"_qs);
    QVERIFY(!onTop->isEnabled());
    // It says why where the pointer rests on it.
    QVERIFY(onTop->toolTip().contains(u"Wayland"_qs) && menu->toolTipsVisible());
}

TAVRIK_TEST_MAIN(TestSession)
#include "tst_session.moc"
