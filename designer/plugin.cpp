#include "designer/plugin.h"

#include "designer/segtaskmenu.h"
#include "controls/xp/xp_canvas.h"
#include "controls/xp/xpcmdbutton.h"
#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"

#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QExtensionManager>
#include <QPainter>

#include <memory>

namespace tavrik::designer {

namespace {

constexpr int kIconSide = 32;

// The control itself, drawn small: the icon shows what a form will show.
QIcon drawnIcon(QWidget *model, const QSize &size)
{
    std::unique_ptr<QWidget> owner(model);
    model->resize(size);
    const QPixmap shot = model->grab();
    const QPixmap fitted = shot.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap icon(kIconSide, kIconSide);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.drawPixmap((kIconSide - fitted.width()) / 2, (kIconSide - fitted.height()) / 2, fitted);
    return QIcon(icon);
}

QList<ControlInfo> controls()
{
    ControlInfo seg;
    seg.className = QStringLiteral("vexo3::Seg");
    seg.displayName = QStringLiteral("Seg");
    seg.includeFile = QStringLiteral("controls/seg/seg.h");
    seg.objectName = QStringLiteral("SegBox1");
    seg.size = QSize(160, 36);
    seg.toolTip = QStringLiteral("七段数码显示");
    seg.whatsThis = QStringLiteral("把 SegValue 的文字右对齐显示在 SegCount 个七段数码格中（1 到 20 格）。"
                                   "右键菜单“编辑 Seg…”打开它的属性页。");
    seg.create = [](QWidget *parent) { return new vexo3::Seg(parent); };
    seg.iconModel = [] {
        auto *s = new vexo3::Seg;
        s->setSegCount(QStringLiteral("2"));
        s->setSegValue(QStringLiteral("88"));
        return s;
    };
    seg.iconModelSize = QSize(32, 30);
    seg.segTaskMenu = true;

    ControlInfo box;
    box.className = QStringLiteral("vexo3::cmdBox");
    box.displayName = QStringLiteral("cmdBox");
    box.includeFile = QStringLiteral("controls/cmdbox/cmdbox.h");
    box.objectName = QStringLiteral("cmdBox1");
    box.size = QSize(81, 25);
    box.toolTip = QStringLiteral("图片按钮");
    box.whatsThis = QStringLiteral("用一张四态按钮图片九宫格绘制的按钮，指针经过时换色。");
    box.create = [](QWidget *parent) { return new vexo3::cmdBox(parent); };
    box.iconModel = [] {
        auto *b = new vexo3::cmdBox;
        b->setCaption(QString());
        return b;
    };
    box.iconModelSize = QSize(32, 14);

    ControlInfo xpButton;
    xpButton.className = QStringLiteral("vexo::xpcmdbutton");
    xpButton.displayName = QStringLiteral("xpcmdbutton");
    xpButton.includeFile = QStringLiteral("controls/xp/xpcmdbutton.h");
    xpButton.objectName = QStringLiteral("xpcmdbutton1");
    xpButton.size = QSize(75, 23);
    xpButton.toolTip = QStringLiteral("XP 风格按钮");
    xpButton.whatsThis = QStringLiteral("XP 蓝色主题外观的按钮：五种外观，指针经过时显示橙色边框。");
    xpButton.create = [](QWidget *parent) { return new vexo::xpcmdbutton(parent); };
    xpButton.iconModel = [] {
        auto *b = new vexo::xpcmdbutton;
        b->setCaption(QString());
        return b;
    };
    xpButton.iconModelSize = QSize(32, 16);

    ControlInfo frame;
    frame.className = QStringLiteral("vexo::xp_canvas");
    frame.displayName = QStringLiteral("xp_canvas");
    frame.includeFile = QStringLiteral("controls/xp/xp_canvas.h");
    frame.objectName = QStringLiteral("xp_canvas1");
    frame.size = QSize(320, 240);
    frame.toolTip = QStringLiteral("XP 风格窗口边框");
    frame.whatsThis = QStringLiteral("放在无边框窗口上并铺满它：XP 蓝色标题栏和边框，可拖动、双击最大化、拖边改变大小。");
    frame.create = [](QWidget *parent) -> QWidget * {
        if (!QDesignerFormWindowInterface::findFormWindow(parent))
            return new vexo::xp_canvas(parent);
        // On a designer's form the window is the designer's own: made without a parent,
        // so that it titles no window, and placed then.
        auto *f = new vexo::xp_canvas;
        f->setRetitlesHost(false);
        f->setParent(parent);
        return f;
    };
    frame.iconModel = [] {
        auto *f = new vexo::xp_canvas;
        f->setCaption(QString());
        return f;
    };
    frame.iconModelSize = QSize(64, 56);

    return {seg, box, xpButton, frame};
}

} // namespace

Control::Control(ControlInfo info, QObject *parent) : QObject(parent), info_(std::move(info)) {}

QIcon Control::icon() const
{
    if (icon_.isNull())
        icon_ = drawnIcon(info_.iconModel(), info_.iconModelSize);
    return icon_;
}

void Control::initialize(QDesignerFormEditorInterface *core)
{
    if (initialized_)
        return;
    initialized_ = true;
    if (info_.segTaskMenu && core && core->extensionManager()) {
        QExtensionManager *manager = core->extensionManager();
        manager->registerExtensions(new SegTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    }
}

QString Control::domXml() const
{
    return QStringLiteral("<ui language=\"c++\" displayname=\"%1\">\n"
                          " <widget class=\"%2\" name=\"%3\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect>\n"
                          "    <x>0</x>\n"
                          "    <y>0</y>\n"
                          "    <width>%4</width>\n"
                          "    <height>%5</height>\n"
                          "   </rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
            .arg(info_.displayName, info_.className, info_.objectName)
            .arg(info_.size.width())
            .arg(info_.size.height());
}

TavrikControls::TavrikControls(QObject *parent) : QObject(parent)
{
    for (ControlInfo &info : controls())
        controls_.append(new Control(std::move(info), this));
}

} // namespace tavrik::designer
