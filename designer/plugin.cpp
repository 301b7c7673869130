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

// One control's entry. Its icon is the control itself, set up by `model` (by default
// with an empty caption) and drawn at iconSize.
template <class C>
ControlInfo entry(const char *className, const char *includeFile, const char *objectName, QSize size,
                  const char *toolTip, const char *whatsThis, QSize iconSize,
                  std::function<void(C *)> model = [](C *c) { c->setCaption(QString()); })
{
    ControlInfo i;
    i.className = QString::fromLatin1(className);
    i.displayName = i.className.section(QStringLiteral("::"), -1);
    i.includeFile = QString::fromLatin1(includeFile);
    i.objectName = QString::fromLatin1(objectName);
    i.size = size;
    i.toolTip = QString::fromUtf8(toolTip);
    i.whatsThis = QString::fromUtf8(whatsThis);
    i.create = [](QWidget *parent) -> QWidget * { return new C(parent); };
    i.iconModel = [model] {
        auto *c = new C;
        model(c);
        return c;
    };
    i.iconModelSize = iconSize;
    return i;
}

QList<ControlInfo> controls()
{
    ControlInfo seg = entry<vexo3::Seg>(
        "vexo3::Seg", "controls/seg/seg.h", "SegBox1", QSize(160, 36), "七段数码显示",
        "把 SegValue 的文字右对齐显示在 SegCount 个七段数码格中（1 到 20 格）。右键菜单“编辑 Seg…”打开它的属性页。",
        QSize(32, 30), [](vexo3::Seg *s) {
            s->setSegCount(QStringLiteral("2"));
            s->setSegValue(QStringLiteral("88"));
        });
    seg.segTaskMenu = true;
    ControlInfo frame = entry<vexo::xp_canvas>(
        "vexo::xp_canvas", "controls/xp/xp_canvas.h", "xp_canvas1", QSize(320, 240), "XP 风格窗口边框",
        "放在无边框窗口上并铺满它：XP 蓝色标题栏和边框，可拖动、双击最大化、拖边改变大小。", QSize(64, 56));
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
    return {seg,
            entry<vexo3::cmdBox>("vexo3::cmdBox", "controls/cmdbox/cmdbox.h", "cmdBox1", QSize(81, 25), "图片按钮",
                                 "用一张四态按钮图片九宫格绘制的按钮，指针经过时换色。", QSize(32, 14)),
            entry<vexo::xpcmdbutton>("vexo::xpcmdbutton", "controls/xp/xpcmdbutton.h", "xpcmdbutton1", QSize(75, 23),
                                     "XP 风格按钮", "XP 蓝色主题外观的按钮：五种外观，指针经过时显示橙色边框。",
                                     QSize(32, 16)),
            frame};
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
