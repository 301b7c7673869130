#include "shared/gui/termination.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using tavrik::gui::TerminationSignals;

namespace {

// Runs body in a child process and gives its wait status.
template <typename F>
int inChild(F body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

} // namespace

class TestTermination : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void signalBeforeTheLoopWaitsForIt();
    void secondRequestEndsAtOnce();
    void stuckProgramEndsAfterTheGrace();
};

void TestTermination::signalBeforeTheLoopWaitsForIt()
{
    // Installed first thing, as the programs do: a signal before the application's
    // object exists neither ends the process nor gets lost.
    TerminationSignals::install();
    ::raise(SIGTERM);
    ::alarm(0); // this process is no program ending: no watchdog here
    TerminationSignals termination;
    QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
}

void TestTermination::secondRequestEndsAtOnce()
{
    const int status = inChild([] {
        TerminationSignals::install();
        ::raise(SIGTERM); // the program starts to end ...
        ::raise(SIGINT);  // ... and is asked again
        ::pause();
    });
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 128 + SIGINT);
}

void TestTermination::stuckProgramEndsAfterTheGrace()
{
    // Asked to end, but never back in its event loop: the watchdog ends it, even when
    // it was started with the alarm signal ignored.
    const int status = inChild([] {
        ::signal(SIGALRM, SIG_IGN);
        TerminationSignals::install();
        ::raise(SIGTERM);
        for (;;)
            ::pause();
    });
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGALRM);
}

TAVRIK_TEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
