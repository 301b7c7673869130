#include "shared/gui/savenotice.h"

#include "shared/core/settingsstore.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"

#include <QWidget>

#include <cstdio>

namespace tavrik::gui {

namespace {
// How long the end waits for saves held up by another process's lock.
constexpr int kEndFlushMs = 1000;
} // namespace

SaveNotice::SaveNotice(QWidget *window, Text text, int patienceMs)
    : QObject(window), window_(window), text_(std::move(text))
{
    patience_.setSingleShot(true);
    patience_.setInterval(patienceMs);
    connect(&patience_, &QTimer::timeout, this, [this] {
        if (services().store->pending())
            tell(text_(reason_));
    });
}

void SaveNotice::saved(bool ok, const QString &reason)
{
    if (ok || told_)
        return;
    reason_ = reason;
    if (!services().store->pending())
        tell(text_(reason));
    else if (!patience_.isActive())
        patience_.start();
}

void SaveNotice::tell(const QString &text)
{
    if (told_ || ending_)
        return;
    told_ = true;
    QTimer::singleShot(0, this, [this, text] {
        if (!ending_)
            services().dialogs->message(window_, text, QStringLiteral("错误"), MsgIcon::Warning);
    });
}

void SaveNotice::checkStore(const QString &lost)
{
    const QString problem = services().store->problem(core::kSettingsApp);
    if (!problem.isEmpty())
        tell(QStringLiteral("设置文件无法使用：\n%1\n\n程序以默认设置运行，不会改写这个文件，本次的%2也不能保存。")
                 .arg(problem, lost));
}

void finishSaving()
{
    const QString report = services().store->finish(kEndFlushMs);
    if (!report.isEmpty()) {
        std::fputs((report + u'\n').toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    }
}

} // namespace tavrik::gui
