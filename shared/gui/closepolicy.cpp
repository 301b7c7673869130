#include "shared/gui/closepolicy.h"

#include "shared/core/clock.h"
#include "shared/gui/services.h"

#include <QCoreApplication>
#include <QLabel>

namespace tavrik::gui {

namespace {

double now() { return services().clock->absoluteSeconds(); }

// The colour the label writes its text in, whichever role it takes it from.
void setLineColour(QLabel *line, const QColor &colour)
{
    QPalette p = line->palette();
    p.setColor(line->foregroundRole(), colour);
    line->setPalette(p);
}

} // namespace

LockRefusal::LockRefusal(QLabel *line, QColor after) : line_(line), after_(after) {}

void LockRefusal::refuse()
{
    until_ = now() + kSeconds;
    setLineColour(line_, QColor(255, 0, 0));
    line_->setText(kText);
    line_->adjustSize();
}

bool LockRefusal::showing() const { return until_ >= 0 && now() < until_; }

bool LockRefusal::tick()
{
    if (until_ < 0)
        return false;
    if (showing()) {
        line_->setText(kText);
        return true;
    }
    until_ = -1;
    if (after_.isValid())
        setLineColour(line_, after_);
    return false;
}

void leaveEventLoops(QObject *context)
{
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(context, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace tavrik::gui
