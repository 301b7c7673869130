#include "shared/gui/precisionmenu.h"

#include "shared/core/displaysettings.h"
#include "shared/gui/names.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace tavrik::gui {

QTimer *makeTickTimer(QObject *parent, const QString &name)
{
    auto *timer = named(new QTimer(parent), name);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(core::precisionInterval(core::kDefaultSpeed));
    return timer;
}

PrecisionItems addPrecisionItems(QMenu *menu, const std::function<void(int)> &chosen)
{
    PrecisionItems items{};
    for (int i = 0; i < core::kPrecisionCount; ++i) {
        QAction *a = named(menu->addAction(core::precisionCaption(i)), indexed("msp", i));
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, menu, [chosen, i] { chosen(i); });
        items[size_t(i)] = a;
    }
    items[core::kDefaultSpeed]->setChecked(true);
    return items;
}

int applyPrecision(int speed, QTimer *tick, const PrecisionItems &items)
{
    speed = core::checkedSpeed(speed);
    for (int i = 0; i < core::kPrecisionCount; ++i)
        items[size_t(i)]->setChecked(i == speed);
    tick->setInterval(core::precisionInterval(speed));
    return speed;
}

} // namespace tavrik::gui
