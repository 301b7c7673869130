#pragma once

// Widgets on screens of different device pixel ratios, offscreen: two screens side by
// side, the second with twice the ratio of the first (1 and 2; QT_SCALE_FACTOR
// multiplies both). A test that needs them registers with TAVRIK_TWO_SCREENS_MAIN
// (tests/support/testmain.h) in place of QTEST_MAIN.

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QWidget>
#include <QWindow>
#include <QtTest>

namespace testing {

// Sets the offscreen platform up with the two screens; call before the application
// object exists and keep the file until it is gone.
inline bool configureTwoScreens(QTemporaryFile &config)
{
    if (!config.open())
        return false;
    config.write(R"({"screens": [
        {"name": "ratio1", "x": 0, "y": 0, "width": 2000, "height": 1200, "logicalDpi": 96, "dpr": 1},
        {"name": "ratio2", "x": 2000, "y": 0, "width": 2000, "height": 1200, "logicalDpi": 96, "dpr": 2}
    ]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    return true;
}

inline QScreen *screenNumber(int i) { return QGuiApplication::screens().value(i); }

// Puts a top-level widget on screen i, its top-left corner 40 pixels in from the
// screen's, and waits until it is shown there.
inline bool showOnScreen(QWidget *w, int i)
{
    QScreen *screen = screenNumber(i);
    if (!screen)
        return false;
    w->move(screen->geometry().topLeft() + QPoint(40, 40));
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    return QTest::qWaitFor([&] { return w->screen() == screen; });
}

} // namespace testing
