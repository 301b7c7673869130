#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace tavrik::gui {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the event loop, so
// that the program can save and end the way its close box does.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

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
