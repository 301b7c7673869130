// Ending the real Vexo3 in a real X session (Xvfb), with every kind of window open:
// by the 关闭 button, the 关闭(&C) menu item, the close box, SIGTERM, SIGTERM while
// the end is held up by another process's lock, and a second SIGTERM during that
// end. Each time the process has to be gone, having saved what it could.
//
// TAVRIK_ENDING_ROUND=<n> picks which way of ending each window set gets (the ways
// rotate with n), so that a loop over n tries every pair.
#include "shared/core/clock.h"
#include "shared/core/settingsstore.h"
#include "shared/core/version.h"
#include "tests/support/testmain.h"
#include "tests/support/xsession.h"
#include "vexo3/engine/persistence.h"
#include "vexo3/version.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vexo3;

namespace {

enum class End { Button, Menu, CloseBox, Signal, SignalLocked, SignalTwice };

const char *endName(End e)
{
    switch (e) {
    case End::Button: return "the 关闭 button";
    case End::Menu: return "menu 关闭(&C)";
    case End::CloseBox: return "the close box";
    case End::Signal: return "SIGTERM";
    case End::SignalLocked: return "SIGTERM, settings locked elsewhere";
    case End::SignalTwice: return "SIGTERM twice";
    }
    return "";
}

const QList<End> kEveryEnd{End::Button, End::Menu, End::CloseBox, End::Signal, End::SignalLocked, End::SignalTwice};
// Behind a modal box only a signal reaches the program.
const QList<End> kSignalEnds{End::Signal, End::SignalLocked, End::SignalTwice};

const QString kRecordList = QStringLiteral("计时");
const QString kBig = QStringLiteral("Tavrik-显示窗口");

} // namespace

class TestEnding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void ends_data();
    void ends();

private:
    QString mainTitle() const;
    bool open(qint64 pid, const QString &main, const QString &what);

    XSession x_;
    QTemporaryDir programDir_;
    QString program_;
};

void TestEnding::initTestCase()
{
    QString why;
    QVERIFY2(x_.start(&why), qPrintable(why));
    QVERIFY(programDir_.isValid());
    // The program takes its folder from where it lies: give it one of its own.
    program_ = programDir_.filePath(QStringLiteral("Vexo3"));
    QVERIFY(QFile::copy(QStringLiteral(VEXO3_BINARY), program_));
}

QString TestEnding::mainTitle() const
{
    return QStringLiteral("Tavrik") + tavrik::core::versionText(kVersion, tavrik::core::Revision::Plain);
}

void TestEnding::ends_data()
{
    QTest::addColumn<QStringList>("windows"); // opened in this order
    QTest::addColumn<bool>("restoredBig");
    QTest::addColumn<bool>("modal");
    QTest::addColumn<int>("row"); // where the rotation of ways starts
    QTest::newRow("big restored, record list") << QStringList{kRecordList} << true << false << 0;
    QTest::newRow("record list, date") << QStringList{kRecordList, "日期"} << false << false << 1;
    QTest::newRow("big, date, time, countdown") << QStringList{kBig, "日期", "时间", "倒计时"} << false << false << 2;
    QTest::newRow("options") << QStringList{"选项"} << false << false << 3;
    QTest::newRow("every window") << QStringList{kRecordList, "日期", "时间", "倒计时", "选项"} << true << false << 4;
    QTest::newRow("about box open") << QStringList{kRecordList, "关于"} << true << true << 5;
    QTest::newRow("countdown prompt open") << QStringList{"日期", "倒计时?"} << false << true << 6;
}

bool TestEnding::open(qint64 pid, const QString &main, const QString &what)
{
    const QStringList countdownKeys{"alt+s", "Up", "Up", "Up", "Right", "Down", "Return"};
    struct Way {
        QString title;
        QStringList keys;
    };
    const QList<std::pair<QString, Way>> ways{
        {kRecordList, {kRecordList, {"space"}}},
        {kBig, {kBig, {"alt+o", "Right", "Return"}}},
        {"日期", {"日期", {"alt+o", "Right", "Down", "Return"}}},
        {"时间", {"时间", {"alt+o", "Right", "Down", "Down", "Return"}}},
        {"选项", {"选项", {"alt+o", "Up", "Return"}}},
        {"关于", {"关于", {"alt+h", "a"}}},
        {"倒计时?", {"倒计时", countdownKeys}},
    };
    if (what == QStringLiteral("倒计时")) {
        // The prompt, answered with its default: then the countdown window.
        if (!x_.keys(main, countdownKeys))
            return false;
        const QString prompt = x_.waitForWindow(pid, what);
        if (prompt.isEmpty() || !x_.keys(prompt, {"Return"}))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            const auto windows = x_.windowsOf(pid);
            bool promptGone = true, countdown = false;
            for (const XSession::Window &w : windows) {
                promptGone = promptGone && w.id != prompt;
                countdown = countdown || (w.name == what && w.id != prompt);
            }
            if (promptGone && countdown)
                return true;
            QThread::msleep(50);
        }
        return false;
    }
    for (const auto &[name, way] : ways)
        if (name == what)
            return x_.keys(main, way.keys) && !x_.waitForWindow(pid, way.title).isEmpty();
    return false;
}

void TestEnding::ends()
{
    QFETCH(QStringList, windows);
    QFETCH(bool, restoredBig);
    QFETCH(bool, modal);
    QFETCH(int, row);
    const int round = qEnvironmentVariableIntValue("TAVRIK_ENDING_ROUND");
    const QList<End> &ends = modal ? kSignalEnds : kEveryEnd;
    const End end = ends[(round + row) % ends.size()];
    qInfo("ending by %s", endName(end));

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString config = home.filePath(QStringLiteral("config"));
    for (const char *d : {"config", "tmp", "run"})
        QVERIFY(QDir(home.path()).mkpath(QLatin1String(d)));
    QFile::setPermissions(home.filePath(QStringLiteral("run")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                   QFileDevice::ExeOwner);

    // A stopwatch started ten seconds ago, so that Space records and the end saves.
    const double startAbs = tavrik::core::SystemClock().now().absolute() - 10.0;
    SavedState seed;
    seed.clock.StartDate = qint32(std::floor(startAbs / 86400.0));
    seed.clock.StartTime = float(startAbs - double(seed.clock.StartDate) * 86400.0);
    seed.timerEnabled = true;
    seed.bigVisible = restoredBig;
    seed.visible = {false, true, false, false, true, false, true, true};
    seed.enabled = seed.visible;
    {
        tavrik::core::IniSettingsStore store(config);
        QVERIFY(saveState(store, seed));
    }

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), x_.display());
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("temp"), home.filePath(QStringLiteral("tmp")));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program_, {});
    QVERIFY(p.waitForStarted(10000));
    const qint64 pid = p.processId();
    auto cleanup = qScopeGuard([&] {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(5000);
        }
    });

    const QString main = x_.waitForWindow(pid, mainTitle());
    QVERIFY2(!main.isEmpty(), "the main window never showed");
    if (restoredBig)
        QVERIFY2(!x_.waitForWindow(pid, kBig).isEmpty(), "the big window was not restored");
    for (const QString &w : windows)
        QVERIFY2(open(pid, main, w), qPrintable(QStringLiteral("could not open %1").arg(w)));

    int lockFd = -1;
    auto unlock = qScopeGuard([&] {
        if (lockFd >= 0)
            ::close(lockFd);
    });
    switch (end) {
    case End::Button: {
        // 关闭 is the last button of the row, 33 px above the window's lower edge.
        const QSize size = x_.size(main);
        QVERIFY(size.isValid());
        QVERIFY(x_.click(main, 256, size.height() - 33));
        break;
    }
    case End::Menu:
        QVERIFY(x_.keys(main, {"alt+s", "c"}));
        break;
    case End::CloseBox:
        QVERIFY(x_.closeBox(main));
        break;
    case End::SignalLocked:
    case End::SignalTwice:
        // Another process holds the settings: the end has to wait for it, in vain.
        lockFd = ::open(QFile::encodeName(config + QStringLiteral("/BriselSoftware.ini.lck")).constData(),
                        O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(lockFd >= 0);
        QCOMPARE(::flock(lockFd, LOCK_EX), 0);
        ::kill(pid_t(pid), SIGTERM);
        if (end == End::SignalTwice) {
            QThread::msleep(300);
            ::kill(pid_t(pid), SIGTERM);
        }
        break;
    case End::Signal:
        ::kill(pid_t(pid), SIGTERM);
        break;
    }

    QVERIFY2(p.state() == QProcess::NotRunning || p.waitForFinished(15000), "the program is still running");
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), end == End::SignalTwice ? 128 + SIGTERM : 0);
    if (lockFd >= 0)
        return; // nothing could be saved, and nothing had to be
    // It saved on its way out: the reading of its last tick.
    tavrik::core::IniSettingsStore store(config);
    const SavedState s = readState(store, SavedState{}, tavrik::core::SystemClock().now().day);
    QVERIFY(s.timerEnabled);
    bool ok = false;
    const double reading = s.TimerString.toDouble(&ok);
    QVERIFY2(ok && reading >= 10.0, qPrintable(s.TimerString));
}

TAVRIK_TEST_GUILESS_MAIN(TestEnding)
#include "tst_ending.moc"
