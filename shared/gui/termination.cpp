#include "shared/gui/termination.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavrik::gui {

namespace {

int g_fds[2] = {-1, -1};
volatile sig_atomic_t g_requested = 0;

void onSignal(int sig)
{
    // Only async-signal-safe work here.
    if (g_requested)
        ::_exit(128 + sig); // asked again while ending: end now
    g_requested = 1;
    ::alarm(TerminationSignals::kGraceSeconds);
    // Hand the number to the event loop.
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] ssize_t n = ::write(g_fds[0], &byte, 1);
}

void setHandler(int sig, void (*handler)(int))
{
    struct sigaction sa = {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(sig, &sa, nullptr);
}

} // namespace

void TerminationSignals::install()
{
    if (g_fds[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_fds) != 0) {
        g_fds[0] = g_fds[1] = -1;
        return;
    }
    // The watchdog's alarm ends the program by the default action, even when whoever
    // started it had that signal ignored.
    setHandler(SIGALRM, SIG_DFL);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        setHandler(sig, onSignal);
}

void TerminationSignals::armWatchdog()
{
    if (g_fds[0] >= 0)
        ::alarm(kGraceSeconds);
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    install();
    if (g_fds[1] < 0)
        return;
    notifier_ = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
}

TerminationSignals::~TerminationSignals()
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        setHandler(sig, SIG_DFL);
    if (g_fds[0] >= 0) {
        ::close(g_fds[0]);
        ::close(g_fds[1]);
        g_fds[0] = g_fds[1] = -1;
    }
    g_requested = 0;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(g_fds[1], &byte, 1) == 1)
        Q_EMIT terminationRequested(int(byte));
}

void deleteOtherWindows(const QWidget *mainWindow)
{
    QList<QPointer<QWidget>> others;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != mainWindow && !w->parentWidget())
            others.append(w);
    // Deleting one window may delete others it owns: each is checked before it goes.
    for (const QPointer<QWidget> &w : others)
        delete w.data();
}

} // namespace tavrik::gui
