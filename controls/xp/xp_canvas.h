#pragma once

#include "controls/propertybag.h"
#include "controls/xp/framegeometry.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>

class QLabel;

namespace vexo {

class FramePart;

// A window frame in the XP blue look for a frameless host window, which it fills: a
// 29-pixel title strip with icon and caption, 5-pixel side and bottom borders, an
// active and an inactive skin that follow the host's activation, moving by the title,
// maximise and restore by double-click, and resizing by the borders and corners.
// The host places its own widgets over clientRect().
class xp_canvas : public QWidget {
    Q_OBJECT
    // For designers and .ui files, which hold pictures as pixmaps.
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QPixmap Icon READ IconPixmap WRITE setIconPixmap)
    Q_PROPERTY(bool Fixed_Single READ Fixed_Single WRITE setFixed_Single)
public:
    // name is the instance name the host gives the frame; it is the default caption.
    explicit xp_canvas(QWidget *parent = nullptr, const QString &name = QString());
    ~xp_canvas() override;

    // Also the host window's title.
    QString Caption() const;
    void setCaption(const QString &caption);
    // Off for a frame placed in a window designer, whose window is no host of it: the
    // caption then stays in the frame.
    void setRetitlesHost(bool retitles) { retitlesHost_ = retitles; }
    QImage Icon() const { return icon_; }
    void setIcon(const QImage &icon);
    QPixmap IconPixmap() const { return QPixmap::fromImage(icon_); }
    void setIconPixmap(const QPixmap &icon) { setIcon(icon.toImage()); }
    // True: the frame neither resizes, maximises nor restores its host; moving still works.
    bool Fixed_Single() const { return fixedSingle_; }
    void setFixed_Single(bool fixed);
    // Where the pointer was (screen pixels) at the press and at the release of the last
    // drag on an edge.
    QPoint DragStart() const { return dragStart_; }
    QPoint DragEnd() const { return dragEnd_; }

    // Shapes the host so that the key-coloured corners of the title show what lies
    // behind the window; a maximised or minimised host is left unshaped.
    void make_trans(QWidget *host);
    void SetFocus();
    // Moves and sizes the host in one step after a drag on an edge (codes 0 to 7; any
    // other does nothing). A result the window system would refuse leaves it as it was.
    static void ResizeParent(QWidget *host, const QPoint &dragStart, const QPoint &dragEnd, int code);

    // The default icon.
    static QImage defaultIcon();
    bool activeSkin() const { return activeSkin_; }
    // The area inside the borders, in the frame's coordinates.
    QRect clientRect() const;

    // The stored properties, in the order "Caption", "Icon", "Fixed_Single".
    void readProperties(const tavrik::controls::PropertyBag &bag);
    void writeProperties(tavrik::controls::PropertyBag &bag) const;

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // At the end of every layout.
    void Resize();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    friend class FramePart;
    enum class HostState { Normal, Maximized, Minimized };
    struct Skin {
        QImage top, topmax, left, right, bottom;
    };

    QWidget *host() const { return window(); }
    HostState hostState() const;
    QString instanceName() const;
    void ShowActiveSkin();
    void ShowInactiveSkin();
    void useSkin(const Skin &skin, bool active);
    void layout();
    void followHost();

    void partPressed(FramePart *part, QMouseEvent *event);
    void partMoved(FramePart *part, QMouseEvent *event);
    void partReleased(FramePart *part, QMouseEvent *event);
    void partDoubleClicked(FramePart *part, QMouseEvent *event);
    void handOverMove();
    // What a double-click on the title does.
    void maximiseOrRestore();

    Skin active_;
    Skin inactive_;
    // The working images and their pictures, key colour made clear.
    Skin imgs_;
    std::array<QPixmap, 5> pixmaps_;
    bool activeSkin_ = true;

    FramePart *pictop = nullptr;
    FramePart *picbottom = nullptr;
    FramePart *picleft = nullptr;
    FramePart *picright = nullptr;
    QLabel *imgicon = nullptr;
    QLabel *lblcaption = nullptr;
    QLabel *lblshadow = nullptr;
    // By edge code: the side and bottom strips themselves for 0, 1, 3, handles otherwise.
    std::array<FramePart *, frame::kEdges> edges_{};

    QImage icon_;
    bool fixedSingle_ = false;
    bool retitlesHost_ = true;
    QPoint dragStart_;
    QPoint dragEnd_;
    int pressedEdge_ = -1;
    // A move by the title: armed at the press, begun at the first drag, handed to the
    // desktop or made by hand.
    enum class TitleMove { Idle, Armed, HandingOver, ByHand };
    TitleMove titleMove_ = TitleMove::Idle;
    QPoint movePressGlobal_;
    QPoint moveLastGlobal_;
    QPoint moveHostStart_;
    bool afterDoubleClick_ = false;
    QWidget *watchedParent_ = nullptr;
};

} // namespace vexo
