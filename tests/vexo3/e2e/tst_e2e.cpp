#include "shared/core/clock.h"
#include "shared/core/settingsstore.h"
#include "tests/support/testmain.h"
#include "vexo3/engine/persistence.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vexo3;

namespace {

// Whether the process has made its application object: its event loop's wake-up
// descriptor (an eventfd) is open. By then the dynamic loader is done and main() runs.
bool hasEventLoop(qint64 pid)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char target[128] = {};
        const QByteArray path = QFile::encodeName(fds.filePath(fd));
        if (::readlink(path.constData(), target, sizeof target - 1) > 0 && std::strstr(target, "eventfd"))
            return true;
    }
    return false;
}

} // namespace

// The real Vexo3 program as a child process, on a settings folder and a program
// folder of its own.
class TestEndToEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void runningStopwatchSurvivesTermAndKill();
    void firstRunEndsCleanlyOnInterrupt();
    void signalDuringStartUpEndsAfterRestore_data();
    void signalDuringStartUpEndsAfterRestore();
    void lastChangeOutlivesTheEnd_data();
    void lastChangeOutlivesTheEnd();

private:
    QString storeFile() const { return home_->path() + QStringLiteral("/config/BriselSoftware.ini"); }
    void start(QProcess &p, const QStringList &args = {}, QProcess::ProcessChannelMode mode = QProcess::ForwardedChannels);
    bool waitUntilUp(QProcess &p);
    SavedState readBack();
    // Stores a stopwatch started secondsAgo, running, with the running buttons.
    SavedState seedRunning(double secondsAgo, SavedState seed = {});

    std::unique_ptr<QTemporaryDir> home_;
    QString program_;
};

void TestEndToEnd::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    QDir(home_->path()).mkpath(QStringLiteral("config"));
    QDir(home_->path()).mkpath(QStringLiteral("app"));
    QDir(home_->path()).mkpath(QStringLiteral("tmp"));
    QDir(home_->path()).mkpath(QStringLiteral("run"));
    // The program takes its folder from where it lies: give it a folder of its own.
    program_ = home_->path() + QStringLiteral("/app/Vexo3");
    QVERIFY(QFile::copy(QStringLiteral(VEXO3_BINARY), program_));
}

void TestEndToEnd::start(QProcess &p, const QStringList &args, QProcess::ProcessChannelMode mode)
{
    // Its start-up writes "Speed": its absence tells when the program is up.
    {
        QSettings s(storeFile(), QSettings::IniFormat);
        s.remove(QStringLiteral("Tavrik/Speed"));
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home_->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->path() + QStringLiteral("/run"));
    env.insert(QStringLiteral("temp"), home_->path() + QStringLiteral("/tmp"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(mode);
    p.start(program_, args);
    QVERIFY(p.waitForStarted(10000));
}

bool TestEndToEnd::waitUntilUp(QProcess &p)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        if (p.state() != QProcess::Running)
            return false;
        QSettings s(storeFile(), QSettings::IniFormat);
        if (s.contains(QStringLiteral("Tavrik/Speed"))) {
            // Let the stopwatch tick a few times.
            QTest::qWait(500);
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

SavedState TestEndToEnd::readBack()
{
    tavrik::core::IniSettingsStore store(home_->path() + QStringLiteral("/config"));
    return readState(store, SavedState{}, tavrik::core::SystemClock().now().day);
}

SavedState TestEndToEnd::seedRunning(double secondsAgo, SavedState seed)
{
    const double startAbs = tavrik::core::SystemClock().now().absolute() - secondsAgo;
    seed.clock.StartDate = qint32(std::floor(startAbs / 86400.0));
    seed.clock.StartTime = float(startAbs - double(seed.clock.StartDate) * 86400.0);
    seed.timerEnabled = true;
    seed.visible = {false, true, false, false, true, false, true, true};
    seed.enabled = seed.visible;
    tavrik::core::IniSettingsStore store(home_->path() + QStringLiteral("/config"));
    if (!saveState(store, seed))
        qFatal("could not seed the state");
    return seed;
}

void TestEndToEnd::runningStopwatchSurvivesTermAndKill()
{
    // Seed a stopwatch started two hours ago.
    SavedState shown;
    shown.TimerString = QStringLiteral("7200.000");
    shown.TimeString = QStringLiteral("2:00:00.000");
    const SavedState seed = seedRunning(7200.0, shown);

    QProcess p;
    start(p);
    QVERIFY(waitUntilUp(p));
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);

    SavedState s = readBack();
    QVERIFY(s.timerEnabled);
    QCOMPARE(s.clock.StartDate, seed.clock.StartDate);
    QCOMPARE(s.clock.StartTime, seed.clock.StartTime);
    double reading = s.TimerString.toDouble();
    QVERIFY2(reading > 7200.0 && reading < 7260.0, qPrintable(s.TimerString));
    QVERIFY(s.visible[1] && s.visible[4] && !s.visible[0]);

    // A crash: nothing saved at the end, and the next start still runs on.
    QProcess crash;
    start(crash);
    QVERIFY(waitUntilUp(crash));
    crash.kill();
    QVERIFY(crash.waitForFinished(10000));
    QProcess again;
    start(again);
    QVERIFY(waitUntilUp(again));
    ::kill(pid_t(again.processId()), SIGTERM);
    QVERIFY(again.waitForFinished(10000));
    s = readBack();
    QVERIFY(s.timerEnabled);
    QCOMPARE(s.clock.StartDate, seed.clock.StartDate);
    QCOMPARE(s.clock.StartTime, seed.clock.StartTime);
    const double later = s.TimerString.toDouble();
    QVERIFY2(later > reading && later < 7300.0, qPrintable(s.TimerString));
}

void TestEndToEnd::firstRunEndsCleanlyOnInterrupt()
{
    QProcess p;
    start(p);
    QVERIFY(waitUntilUp(p));
    ::kill(pid_t(p.processId()), SIGINT);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const SavedState s = readBack();
    QVERIFY(!s.timerEnabled);
    QVERIFY(s.visible[0] && s.visible[3] && s.visible[5] && s.visible[7]);
    QSettings settings(storeFile(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Tavrik/SegMode1")).toString(), QStringLiteral("0"));
}

void TestEndToEnd::signalDuringStartUpEndsAfterRestore_data()
{
    QTest::addColumn<int>("afterMs");
    for (int ms : {0, 5, 20, 50, 100, 150})
        QTest::newRow(qPrintable(QStringLiteral("%1 ms").arg(ms))) << ms;
}

void TestEndToEnd::signalDuringStartUpEndsAfterRestore()
{
    // SIGTERM in the program's first moments: it ends as asked, by its own hand, and
    // what it saves on the way out is the restored running state, not a blank one.
    QFETCH(int, afterMs);
    const SavedState seed = seedRunning(60.0);
    QProcess p;
    start(p);
    // From the moment the application object exists (before that the dynamic loader
    // may still be at work, where no program can catch anything).
    QElapsedTimer waited;
    waited.start();
    while (!hasEventLoop(p.processId()) && waited.elapsed() < 10000)
        QThread::usleep(200);
    if (afterMs > 0)
        QThread::msleep(afterMs);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(15000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const SavedState s = readBack();
    QVERIFY(s.timerEnabled);
    QCOMPARE(s.clock.StartDate, seed.clock.StartDate);
    QCOMPARE(s.clock.StartTime, seed.clock.StartTime);
    QVERIFY(s.visible[1] && s.visible[4] && !s.visible[0]);
}

void TestEndToEnd::lastChangeOutlivesTheEnd_data()
{
    QTest::addColumn<bool>("lockHeld");
    QTest::addColumn<bool>("fileAtTheLimit");
    QTest::newRow("lock held by another process") << true << false;
    QTest::newRow("settings file at the size limit") << false << true;
}

// Paused from the command line, then ended by a signal: the pause reaches the next
// start, and the end comes by the program's own hand, not by its watchdog.
void TestEndToEnd::lastChangeOutlivesTheEnd()
{
    QFETCH(bool, lockHeld);
    QFETCH(bool, fileAtTheLimit);
    seedRunning(5.0);
    if (fileAtTheLimit) {
        QFile f(storeFile());
        QVERIFY(f.open(QIODevice::Append));
        const QByteArray line("other=a line of another program's section\n");
        QByteArray junk("[Other]\n");
        while (junk.size() + f.size() + line.size() < 1000 * 1000)
            junk += line;
        f.write(junk);
    }
    QProcess p;
    start(p, {}, QProcess::SeparateChannels);
    QVERIFY(waitUntilUp(p));
    const int fd = ::open(QFile::encodeName(storeFile() + QStringLiteral(".lck")).constData(), O_RDWR | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    if (lockHeld)
        QCOMPARE(::flock(fd, LOCK_EX), 0);
    QProcess pause;
    start(pause, {QStringLiteral("--start-pause")});
    QVERIFY(pause.waitForFinished(10000));
    QCOMPARE(pause.exitCode(), 0);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(said.contains(QStringLiteral("已存入")), lockHeld);
    // Read as the next start reads, the lock still held.
    QVERIFY(!readBack().timerEnabled);
    ::close(fd);
}

TAVRIK_TEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
