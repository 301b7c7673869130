#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace tavrik::gui {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the event loop, so
// that the program can save and end the way its close box does.
//
// A program calls install() first thing in main(), before anything that takes time:
// a signal that comes before the event loop runs waits for it instead of ending the
// program by the default action. The object, made once the application exists,
// delivers them. The first request also arms a watchdog: should the program not have
// ended kGraceSeconds later (stuck outside its event loop), it ends then; a second
// request ends it at once.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned kGraceSeconds = 5;

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Installs the handlers; safe to call more than once.
    static void install();
    // The program has begun to end: it ends within kGraceSeconds whatever happens.
    static void armWatchdog();

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier *notifier_ = nullptr;
};

// The program's end: deletes every top-level window but the main window, which the
// caller owns, so that none outlives it.
void deleteOtherWindows(const QWidget *mainWindow);

} // namespace tavrik::gui
