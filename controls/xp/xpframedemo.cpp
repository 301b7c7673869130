// A window in the XP-style frame, to see and try the frame: move it by the title,
// double-click the title to maximise and restore, drag the borders and corners; the
// switch fixes the frame's size.

#include "shared/gui/termination.h"
#include "controls/xp/xp_canvas.h"
#include "controls/xp/xpcmdbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QLabel>

namespace {

class DemoWindow : public QWidget {
public:
    DemoWindow() : QWidget(nullptr, Qt::FramelessWindowHint)
    {
        resize(440, 260);
        setWindowIcon(QIcon(QPixmap::fromImage(vexo::xp_canvas::defaultIcon())));
        frame_ = new vexo::xp_canvas(this, QStringLiteral("xp_canvas1"));
        frame_->setCaption(QStringLiteral("XP 窗口框架演示"));

        text_ = new QLabel(QStringLiteral("拖动标题栏移动窗口，双击标题栏最大化或还原，\n拖动边框和四角改变大小。"), this);
        fixed_ = new QCheckBox(QStringLiteral("固定大小 (Fixed_Single)"), this);
        fixed_->setObjectName(QStringLiteral("fixed"));
        close_ = new vexo::xpcmdbutton(this, QStringLiteral("cmdClose"));
        close_->setCaption(QStringLiteral("关闭"));

        connect(fixed_, &QCheckBox::toggled, frame_, &vexo::xp_canvas::setFixed_Single);
        connect(close_, &vexo::xpcmdbutton::Click, this, &QWidget::close);
        connect(frame_, &vexo::xp_canvas::Resize, this, [this] { arrange(); });
        arrange();
    }

private:
    // The frame has laid itself out: shape the window and place the contents inside it.
    void arrange()
    {
        frame_->make_trans(this);
        const QRect c = frame_->clientRect();
        text_->setGeometry(c.x() + 16, c.y() + 16, c.width() - 32, 40);
        fixed_->setGeometry(c.x() + 16, c.y() + 70, c.width() - 32, 24);
        close_->setGeometry(c.x() + c.width() - 16 - 65, c.y() + c.height() - 16 - 25, 65, 25);
    }

    vexo::xp_canvas *frame_;
    QLabel *text_;
    QCheckBox *fixed_;
    vexo::xpcmdbutton *close_;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("XpFrameDemo"));
    DemoWindow window;
    tavrik::gui::TerminationSignals termination;
    QObject::connect(&termination, &tavrik::gui::TerminationSignals::terminationRequested, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
