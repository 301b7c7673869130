#include "controls/accessible.h"

#include "controls/seg/seg.h"

#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace tavrik::controls {

namespace {

struct ActionEntry {
    QAccessible::Role role;
    QString action;
    std::function<void()> act;
};

std::function<void(QAccessibleEvent *)> &announcementWatcher()
{
    static std::function<void(QAccessibleEvent *)> watcher;
    return watcher;
}

std::function<qint64()> &announcementClock()
{
    static QElapsedTimer started;
    static std::function<qint64()> clock = [] {
        if (!started.isValid())
            started.start();
        return started.elapsed();
    };
    return clock;
}

// Later, from the event loop, as a click's handler runs: a handler that opens a modal
// box must not hold up the assistive tool's call. A widget disabled or hidden by then
// does nothing, as it would take no click.
void actLater(QWidget *widget, std::function<void()> act)
{
    QPointer<QWidget> guard(widget);
    QTimer::singleShot(0, widget, [guard, act = std::move(act)] {
        if (guard && guard->isEnabled() && guard->isVisibleTo(guard->window()))
            act();
    });
}

// The drawn controls are leaves: their captions and pictures are parts of them.
class LeafAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
};

// cmdBox and xpcmdbutton: a push button named by its caption, pressed as by a click.
class ButtonAccessible final : public LeafAccessible {
public:
    explicit ButtonAccessible(QWidget *w) : LeafAccessible(w, QAccessible::PushButton) {}

    QAccessible::Role role() const override
    {
        const QVariant r = widget()->property("tavrikAccessibleRole");
        return r.isValid() ? QAccessible::Role(r.toInt()) : QAccessible::PushButton;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return withoutAccessKey(widget()->property("Caption").toString());
        return LeafAccessible::text(t);
    }
    QStringList actionNames() const override
    {
        QStringList names{pressAction()};
        if (role() == QAccessible::ButtonMenu)
            names.prepend(showMenuAction());
        return names + LeafAccessible::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name != pressAction() && name != showMenuAction()) {
            LeafAccessible::doAction(name);
            return;
        }
        if (!widget()->isEnabled())
            return;
        QWidget *w = widget();
        actLater(w, [w] { QMetaObject::invokeMethod(w, "Click"); });
    }
};

// A widget a click operates, as its host set it up (setAccessibleAction).
class ActionAccessible final : public LeafAccessible {
public:
    ActionAccessible(QWidget *w, ActionEntry entry) : LeafAccessible(w, entry.role), entry_(std::move(entry)) {}

    QString text(QAccessible::Text t) const override
    {
        // A label named by its host tells its text as the value.
        if (auto *label = qobject_cast<QLabel *>(widget())) {
            if (t == QAccessible::Value || (t == QAccessible::Name && widget()->accessibleName().isEmpty()))
                return withoutAccessKey(label->text());
        }
        return LeafAccessible::text(t);
    }
    QStringList actionNames() const override
    {
        return entry_.action.isEmpty() ? QStringList() : QStringList{entry_.action};
    }
    void doAction(const QString &name) override
    {
        if (name == entry_.action && !entry_.action.isEmpty() && widget()->isEnabled())
            actLater(widget(), entry_.act);
    }

private:
    ActionEntry entry_;
};

// Seg: a read-only text, the reading as the cells show it.
class SegAccessible final : public LeafAccessible, public QAccessibleTextInterface {
public:
    explicit SegAccessible(QWidget *w) : LeafAccessible(w, QAccessible::StaticText) {}

    QString reading() const { return static_cast<vexo3::Seg *>(widget())->shownText(); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return reading();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QStringLiteral("读数");
        return LeafAccessible::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = LeafAccessible::state();
        s.readOnly = true;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return LeafAccessible::interface_cast(t);
    }

    // QAccessibleTextInterface: no caret, no selection.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return reading().mid(start, end - start); }
    int characterCount() const override { return int(reading().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }
};

QAccessibleInterface *controlsFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (className == QLatin1String("vexo3::Seg"))
        return new SegAccessible(w);
    if (className == QLatin1String("vexo3::cmdBox") || className == QLatin1String("vexo::xpcmdbutton"))
        return new ButtonAccessible(w);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(controlsFactory);
}

void setAccessibleAction(QWidget *widget, QAccessible::Role role, const QString &action, std::function<void()> act)
{
    // Put in place of the interface the widget's class would have (Qt's own for a
    // QLabel answers before any installed factory).
    if (QAccessibleInterface *current = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
    QAccessible::registerAccessibleInterface(new ActionAccessible(widget, {role, action, std::move(act)}));
}

void setAccessibleRole(QWidget *button, QAccessible::Role role)
{
    button->setProperty("tavrikAccessibleRole", int(role));
}

QString withoutAccessKey(const QString &caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" is a plain "&".
        if (caption.at(i) == u'&' && ++i >= caption.size())
            break;
        out += caption.at(i);
    }
    return out;
}

bool announcing() { return QAccessible::isActive() || announcementWatcher(); }

void announce(QAccessibleEvent *event)
{
    if (announcementWatcher())
        announcementWatcher()(event);
    QAccessible::updateAccessibility(event);
}

void setAnnouncementClock(std::function<qint64()> msNow)
{
    static const std::function<qint64()> real = announcementClock();
    announcementClock() = msNow ? std::move(msNow) : real;
}

void setAnnouncementWatcher(std::function<void(QAccessibleEvent *)> watcher)
{
    announcementWatcher() = std::move(watcher);
}

qint64 announcementTime() { return announcementClock()(); }

} // namespace tavrik::controls
