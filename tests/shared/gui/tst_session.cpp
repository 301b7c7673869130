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
    void settingsForQtNotInherited();
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

// What the program sets for Qt is gone once Qt has read it; the user's own stays.
void TestSession::settingsForQtNotInherited()
{
    for (const char *own : {"", "0"}) {
        if (*own)
            qputenv("QT_XCB_NO_MITSHM", own);
        else
            qunsetenv("QT_XCB_NO_MITSHM");
        tavrik::gui::prepareSession();
        QVERIFY(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"));
        tavrik::gui::setUpProgram(u"Vexo3"_qs, u"1"_qs, u"org.example.tavrik.Vexo3"_qs);
        QCOMPARE(qgetenv("QT_XCB_NO_MITSHM"), QByteArray(own));
        QCOMPARE(qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"), *own != 0);
    }
}

TAVRIK_TEST_MAIN(TestSession)
#include "tst_session.moc"
