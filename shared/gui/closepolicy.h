#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QObject;

// How both programs end, and how they refuse to while the controls are locked.
namespace tavrik::gui {

// A close refused while the controls are locked: the date line says so in red for two
// seconds by the program's clock, while everything else goes on; a second refusal
// shows it two seconds from then.
class LockRefusal {
public:
    static inline const QString kText = QStringLiteral("控制已被锁定，不能关闭窗口。");
    static constexpr double kSeconds = 2.0;

    // after: the line's colour once the two seconds are over; none keeps it red.
    explicit LockRefusal(QLabel *line, QColor after = QColor());

    void refuse();
    bool showing() const;
    // The date line's tick: while refusing, the line says so again and this is true;
    // otherwise the line is the caller's to write (in its colour again).
    bool tick();

private:
    QLabel *line_;
    QColor after_;
    double until_ = -1;
};

// Leaves every event loop, an open box's too, without asking any window: one that
// refuses to close (a record list only hides) must not keep the program alive. Should
// no loop run yet, the first one to run ends at once (while `context` lives).
void leaveEventLoops(QObject *context);

} // namespace tavrik::gui
