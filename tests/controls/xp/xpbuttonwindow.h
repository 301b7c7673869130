#pragma once

// A window of a known colour holding one XP-style button, and what the button tests
// read back from it.

#include "tests/support/fakes.h"
#include "controls/xp/xpcmdbutton.h"

#include <QtTest>

#include <memory>

namespace xpbuttontest {

using vexo::xpcmdbutton;

inline const QRgb kBackground = qRgb(200, 0, 200);

inline QImage strip() { return QImage(QStringLiteral(":/tavrik/xp/looks.png")).convertToFormat(QImage::Format_RGB32); }
inline QImage cell(int look) { return strip().copy(look * 18, 0, 18, 21); }

// A window of a known colour holding one button at (20, 20), 90 x 30.
class Window : public QWidget {
public:
    Window()
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(kBackground));
        setPalette(pal);
        setGeometry(100, 100, 300, 200);
        button = new xpcmdbutton(this, QStringLiteral("cmdStart"));
        button->setGeometry(20, 20, 90, 30);
    }
    void keyPressEvent(QKeyEvent *e) override { keys.append(e->key()); }

    QImage shot() { return grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
    // Screen points: over the button at its own (x, y), and over the window beside it.
    QPoint at(int x, int y) const { return button->mapToGlobal(QPoint(x, y)); }
    QPoint beside() const { return mapToGlobal(QPoint(250, 150)); }

    xpcmdbutton *button;
    QList<int> keys;
};

inline QWidget *captionOf(xpcmdbutton &b) { return b.findChild<QWidget *>(QStringLiteral("lbl")); }

// The button's pointer polling, by the name it carries.
inline QTimer *pollOf(xpcmdbutton &b) { return b.findChild<QTimer *>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly); }

// Rows of the image at column x from y0 to y1 (exclusive), runs of equal colour merged.
inline QList<QRgb> runs(const QImage &img, int x, int y0, int y1)
{
    QList<QRgb> out;
    for (int y = y0; y < y1; ++y)
        if (out.isEmpty() || out.last() != img.pixel(x, y))
            out.append(img.pixel(x, y));
    return out;
}

// Each test's fresh services and, once shown, its window.
struct Fixture {
    void init()
    {
        env.reset();
        env = std::make_unique<testing::TestEnv>();
        QCursor::setPos(0, 0);
    }
    void cleanup() { window.reset(); }
    Window &shown()
    {
        window = std::make_unique<Window>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("window not exposed");
        window->activateWindow();
        return *window;
    }

    std::unique_ptr<testing::TestEnv> env;
    std::unique_ptr<Window> window;
};

} // namespace xpbuttontest
