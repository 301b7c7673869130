#include "vexo3/main/statekeeper.h"

#include "shared/core/clock.h"
#include "shared/gui/savenotice.h"
#include "shared/gui/services.h"

namespace vexo3 {

using tavrik::gui::services;

StateKeeper::StateKeeper(QWidget *window)
    : notice_(new tavrik::gui::SaveNotice(window, [](const QString &reason) {
          return QStringLiteral("无法保存秒表的状态：%1\n秒表照常计时，但程序退出后可能无法恢复本次计时。").arg(reason);
      }))
{
}

void StateKeeper::save(const SavedState &state)
{
    QString error;
    saved(saveState(*services().store, state, &error), error);
}

SavedState StateKeeper::restore(const SavedState &current) const
{
    return readState(*services().store, current, services().clock->now().day);
}

void StateKeeper::saveSetting(const QString &key, const QString &value)
{
    QString error;
    saved(tavrik::gui::saveSetting(kDisplaySection, key, value, &error), error);
}

void StateKeeper::saved(bool ok, const QString &error) { notice_->saved(ok, error); }

void StateKeeper::checkStore() { notice_->checkStore(QStringLiteral("设置和计时状态")); }

void StateKeeper::setEnding() { notice_->setEnding(); }

} // namespace vexo3
