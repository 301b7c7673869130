#pragma once

#include "controls/propertybag.h"
#include "controls/picture/pictureclip.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

namespace vexo {

class XpCaption;

// The push button of the older program, in the XP blue look: one of five looks cut from
// a 90 x 21 strip and stretched nine-slice over the button, with a centred caption on
// top. It notices the pointer leaving from the window system, and where that cannot
// tell (a mouse button holds the pointer, or it rests on the right or bottom edge,
// which still count as over the button) from a 10 ms timer polling the pointer.
//
// Enabled and Font are the widget's own: write them with setEnabled and setFont, the
// button follows through changeEvent.
class xpcmdbutton : public QWidget {
    Q_OBJECT
    // For designers and .ui files; Enabled and Font are the widget's "enabled" and "font".
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int State READ State WRITE setState)
public:
    enum Look { LookNormal = 0, LookPressed = 1, LookDisabled = 2, LookHot = 3, LookHighlighted = 4 };

    // name is the instance name the host gives the button; it is the default caption.
    explicit xpcmdbutton(QWidget *parent = nullptr, const QString &name = QString());
    ~xpcmdbutton() override;

    QString Caption() const;
    void setCaption(const QString &caption);
    bool Enabled() const { return isEnabled(); }
    QFont Font() const { return font(); }
    // 0 idles in the normal look, 1 in the highlighted look; other values keep the idle
    // look as it was.
    int State() const { return state_; }
    void setState(int state);
    int IdleLook() const { return idleLook_; }

    // The look drawn last, the caption's colour and its place in the button.
    int look() const { return look_; }
    QColor captionColor() const;
    QRect captionGeometry() const;

    // The stored properties, in the order "State", "Enabled", "Caption", "Font".
    void readProperties(const tavrik::controls::PropertyBag &bag);
    void writeProperties(tavrik::controls::PropertyBag &bag) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseOut();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QString instanceName() const;
    QFont hostFont() const;
    void DrawLook(int look);
    void RefreshLook();
    void layout();
    void Timer1_Timer();
    // A look at the pointer, or the window system's word that it left: poll on, stop
    // polling, or the pointer is gone (MouseOut, the normal look).
    void watchPointer(bool toldLeft);
    void pointerMoved(int button, int shift, float x, float y);
    void pointerPressed(int button, int shift, float x, float y);
    void pointerReleased(int button, int shift, float x, float y);
    void grabAccessKey();

    XpCaption *lbl = nullptr;
    QTimer Timer1{this};
    // The pointer was seen over the button and has not been seen leaving.
    bool hovered_ = false;
    tavrik::picture::PictureClip pc{1, 5};
    std::array<QPixmap, 5> looks_;
    int state_ = 0;
    int idleLook_ = LookNormal;
    int look_ = LookNormal;
    int accessKey_ = 0;
};

} // namespace vexo
