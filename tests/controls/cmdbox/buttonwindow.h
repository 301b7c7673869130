#pragma once

// A window of a known colour holding one image button, and what the button tests
// read back from it.

#include "controls/twips.h"
#include "controls/cmdbox/cmdbox.h"

#include <QLineEdit>
#include <QtTest>

namespace buttontest {

using vexo3::cmdBox;


inline const QRgb kBackground = qRgb(200, 0, 200);

// The button's pointer polling, by the name it carries.
inline QTimer *pollOf(cmdBox &b) { return b.findChild<QTimer *>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly); }

inline QImage builtInFace(int face) { return QImage(QStringLiteral(":/tavrik/buttonfaces.png")).copy(0, face * 20, 72, 20); }

// A window of a known colour holding one button at (20, 20), 100 x 30.
class Window : public QWidget {
public:
    Window()
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(kBackground));
        setPalette(pal);
        setGeometry(100, 100, 300, 200);
        edit = new QLineEdit(this);
        edit->setGeometry(20, 120, 100, 24);
        button = new cmdBox(this);
        button->setGeometry(20, 20, 100, 30);
    }
    void keyPressEvent(QKeyEvent *e) override { keys.append(e->key()); }

    QImage shot() { return grab(button->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
    // Points in screen coordinates: over the button, and over the window beside it.
    QPoint over() const { return button->mapToGlobal(QPoint(50, 15)); }
    QPoint beside() const { return mapToGlobal(QPoint(250, 150)); }

    cmdBox *button;
    QLineEdit *edit;
    QList<int> keys;
};

inline QRgb over(QRgb src, QRgb bg)
{
    const int a = qAlpha(src);
    auto mix = [a](int s, int b) { return (s * a + b * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(src), qRed(bg)), mix(qGreen(src), qGreen(bg)), mix(qBlue(src), qBlue(bg)));
}

// How many pixels of the caption area are drawn in roughly this colour.
inline int captionPixels(const QImage &img, QColor colour)
{
    int n = 0;
    for (int y = 6; y < img.height() - 6; ++y)
        for (int x = 6; x < img.width() - 6; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 60 && std::abs(c.green() - colour.green()) < 60
                && std::abs(c.blue() - colour.blue()) < 60)
                ++n;
        }
    return n;
}

} // namespace buttontest
