#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace tavrik::gui {

// How a window tells the user that what it saves does not reach the settings file,
// alike in both programs: once a run, from the event loop (so that neither a key nor
// a command's answer waits for the box), never while the program ends. A save that
// only waits for another process's lock is no failure yet: it is told only if some
// save still waits kPatienceMs later.
class SaveNotice : public QObject {
public:
    static constexpr int kPatienceMs = 5000;
    using Text = std::function<QString(const QString &reason)>;

    // text: the box's words around the reason the store gave.
    SaveNotice(QWidget *window, Text text, int patienceMs = kPatienceMs);

    // After a save through the current store: whether it is on disk, and why not.
    void saved(bool ok, const QString &reason);
    // Tells at once, once.
    void tell(const QString &text);
    // At start-up: a settings file the store cannot use (not a plain file, far too
    // large, unreadable) is read as defaults and left alone; says so, and that `lost`
    // ("设置", "设置和计时状态") cannot be saved this time.
    void checkStore(const QString &lost);
    // The program ends: nothing more is shown.
    void setEnding() { ending_ = true; }

private:
    QPointer<QWidget> window_;
    Text text_;
    QString reason_;
    QTimer patience_;
    bool told_ = false;
    bool ending_ = false;
};

// The end of saving, the same in both programs: the saves that wait for another
// process's lock get a moment, what still waits then is kept for the next start,
// and standard error says so.
void finishSaving();

} // namespace tavrik::gui
