#include "shared/core/settingsstore.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The real Vexo program as a child process, on a settings folder and a program folder
// of its own: offscreen for its start and end, and in a real X server (Xvfb) where a
// person's keys and clicks are played to it with xdotool.
class TestVexoEndToEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void signalsEndItCleanly_data();
    void signalsEndItCleanly();
    void changeUnderHeldLockOutlivesTheEnd();
    void spaceWaitSpaceUnderX();
    void alarmSoundsUnderX();
    void lockedCaptionsDoNothingUnderX();
    void vexo3StartsItFromItsMenu();

private:
    QString configDir() const { return home_->path() + QStringLiteral("/config"); }
    QString tempDir() const { return home_->path() + QStringLiteral("/tmp"); }
    QProcessEnvironment environment() const;
    bool waitFor(const std::function<bool()> &condition, int ms = 20000);
    QString xdotool(const QStringList &args);
    QString windowNamed(qint64 pid, const QString &name);
    // Starts an X server of our own; false (with the test skipped) without Xvfb.
    bool startX();
    void startUnderX(QProcess &p, const QString &program);
    // The program's visible windows other than `main`.
    QStringList otherWindows(qint64 pid, const QString &main);
    int threads(qint64 pid);

    std::unique_ptr<QTemporaryDir> home_;
    QString program_;
    QProcess xvfb_;
    QString display_;
};

void TestVexoEndToEnd::init()
{
    home_ = std::make_unique<QTemporaryDir>();
    QVERIFY(home_->isValid());
    for (const char *dir : {"config", "app", "tmp", "bin"})
        QVERIFY(QDir(home_->path()).mkpath(QString::fromLatin1(dir)));
    // The program takes its folder from where it lies: give it a folder of its own.
    program_ = home_->path() + QStringLiteral("/app/Vexo");
    QVERIFY(QFile::copy(QStringLiteral(VEXO_BINARY), program_));
    // The desktop opener, as the program calls it: it notes what it was asked to open
    // and, for a file, copies what the file holds at that moment, as an editor would
    // read it.
    QFile opener(home_->path() + QStringLiteral("/bin/xdg-open"));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write(R"sh(#!/bin/sh
dir=$(dirname "$0")
printf '%s\n' "$1" >> "$dir/opened"
case "$1" in
file://*)
    path=$(/usr/bin/printf '%b' "$(printf '%s' "${1#file://}" | sed 's/%/\\x/g')")
    cat "$path" > "$dir/opened-content.tmp" && mv "$dir/opened-content.tmp" "$dir/opened-content" ;;
esac
)sh");
    opener.close();
    QVERIFY(opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner));
}

void TestVexoEndToEnd::cleanup()
{
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
}

QProcessEnvironment TestVexoEndToEnd::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir());
    // Vexo3's socket (one copy per settings file) stays in the test's folders too.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->path());
    env.insert(QStringLiteral("temp"), tempDir());
    env.insert(QStringLiteral("PATH"), home_->path() + QStringLiteral("/bin:") + env.value(QStringLiteral("PATH")));
    env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    env.remove(QStringLiteral("DESKTOP_SESSION"));
    return env;
}

bool TestVexoEndToEnd::waitFor(const std::function<bool()> &condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

void TestVexoEndToEnd::signalsEndItCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestVexoEndToEnd::signalsEndItCleanly()
{
    QFETCH(int, signalNumber);
    // Vexo3 keeps its precision under the same application and section.
    {
        tavrik::core::IniSettingsStore vexo3(configDir());
        QVERIFY(vexo3.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("Speed"),
                           QStringLiteral("4")));
    }
    // Every save takes the store's lock file, made on first use: without it, it tells
    // when Vexo has saved (an unchanged value leaves the store file itself alone).
    const QString lockFile = configDir() + QStringLiteral("/BriselSoftware.ini.lck");
    QVERIFY(QFile::remove(lockFile));
    QProcess p;
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program_, {});
    QVERIFY(p.waitForStarted(10000));
    // Start-up applies the stored precision and writes it back: had it not seen Vexo3's
    // value, it would write its own default.
    QVERIFY(waitFor([&] { return QFile::exists(lockFile) || p.state() != QProcess::Running; }));
    QCOMPARE(p.state(), QProcess::Running);

    ::kill(pid_t(p.processId()), signalNumber);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    tavrik::core::IniSettingsStore store(configDir());
    QCOMPARE(store.read(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("Speed"), QString()),
             QStringLiteral("4"));
    // Ended without the confirmation: no border style stored.
    QSettings settings(configDir() + QStringLiteral("/BriselSoftware.ini"), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Tavrik"));
    QCOMPARE(settings.childKeys(), QStringList{"Speed"});
}

// Another process holds the settings lock while Vexo writes back the precision it
// applied at start-up; a signal ends it: the value reaches the next start all the same.
void TestVexoEndToEnd::changeUnderHeldLockOutlivesTheEnd()
{
    const QString folder = configDir();
    {
        tavrik::core::IniSettingsStore store(folder);
        QVERIFY(store.save(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"), QStringLiteral("Speed"),
                           QStringLiteral("9")));
    }
    const int fd = ::open(QFile::encodeName(folder + QStringLiteral("/BriselSoftware.ini.lck")).constData(), O_RDWR);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    QProcess p;
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program_, {});
    QVERIFY(p.waitForStarted(10000));
    // Once its handlers are in place (the event loop's eventfd is open), a signal waits
    // for the start-up, and its save, to finish.
    QVERIFY(waitFor([&] {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(p.processId()));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget().contains(QStringLiteral("eventfd")))
                return true;
        return false;
    }));
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(QString::fromLocal8Bit(p.readAllStandardError()).contains(QStringLiteral("已存入")));
    QCOMPARE(tavrik::core::IniSettingsStore(folder).read(tavrik::core::kSettingsApp, QStringLiteral("Tavrik"),
                                                        QStringLiteral("Speed"), QString()),
             QStringLiteral("2"));
    ::close(fd);
}

QString TestVexoEndToEnd::xdotool(const QStringList &args)
{
    QProcess x;
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    x.setProcessEnvironment(env);
    x.start(QStringLiteral("xdotool"), args);
    if (!x.waitForFinished(10000))
        return QString();
    return QString::fromUtf8(x.readAllStandardOutput()).trimmed();
}

// xdotool's name patterns do not match Chinese titles: list the program's windows and
// compare their names here.
QString TestVexoEndToEnd::windowNamed(qint64 pid, const QString &name)
{
    for (const QString &id : xdotool({QStringLiteral("search"), QStringLiteral("--pid"), QString::number(pid)})
                                 .split(u'\n', Qt::SkipEmptyParts))
        if (xdotool({QStringLiteral("getwindowname"), id}) == name)
            return id;
    return QString();
}

bool TestVexoEndToEnd::startX()
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        QTest::qSkip("needs Xvfb and xdotool (tools/test.sh installs them)", __FILE__, __LINE__);
        return false;
    }
    // A display of our own: Xvfb picks a free number and says which.
    xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                         QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                         QStringLiteral("tcp")});
    if (!xvfb_.waitForStarted(10000) ||
        !waitFor([&] { return xvfb_.canReadLine() || xvfb_.state() != QProcess::Running; }) || !xvfb_.canReadLine()) {
        QTest::qFail("Xvfb gave no display", __FILE__, __LINE__);
        return false;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(xvfb_.readLine()).trimmed();
    return true;
}

void TestVexoEndToEnd::startUnderX(QProcess &p, const QString &program)
{
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, {});
    QVERIFY(p.waitForStarted(10000));
}

// Space, a wait, a record, Space, a record, then 编辑/保存: the file handed to the
// opener holds the two records, each line ended by CR LF.
void TestVexoEndToEnd::spaceWaitSpaceUnderX()
{
    if (!startX())
        return;
    QProcess p;
    startUnderX(p, program_);
    QString main;
    QVERIFY(waitFor([&] { return !(main = windowNamed(p.processId(), QStringLiteral("Tavrik2.1.0053"))).isEmpty(); }));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
    // 记录 sits in slot 3 while running and while paused.
    const auto clickRecord = [&] {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), main, QStringLiteral("184"),
                 QStringLiteral("124"), QStringLiteral("click"), QStringLiteral("1")});
    };

    // Space starts; the caption changes with the first tick.
    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    QVERIFY(waitFor([&] { return xdotool({QStringLiteral("getwindowname"), main}) == QStringLiteral("Tavrik"); }));
    QTest::qWait(1200);
    // A record while running; the list opens above and hands the keyboard back, so
    // the next Space pauses; then a record of the paused watch.
    clickRecord();
    QString list;
    QVERIFY(waitFor([&] { return !(list = windowNamed(p.processId(), QStringLiteral("计时"))).isEmpty(); }));
    QTest::qWait(300);
    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    QTest::qWait(300);
    clickRecord();
    QTest::qWait(300);
    // 编辑/保存 in the record list.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), list, QStringLiteral("116"), QStringLiteral("212"),
             QStringLiteral("click"), QStringLiteral("1")});
    const QString content = home_->path() + QStringLiteral("/bin/opened-content");
    QVERIFY(waitFor([&] { return QFile::exists(content); }));

    // The opener was handed the record file, by the name Vexo3 uses too.
    const QString recordPath = tempDir() + QStringLiteral("/秒表记录.txt");
    QFile opened(home_->path() + QStringLiteral("/bin/opened"));
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(QUrl(QString::fromUtf8(opened.readAll()).trimmed()).toLocalFile(), recordPath);
    // What it read there: two lines, each ended by CR LF, each with both read-outs.
    QFile copy(content);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(copy.readAll());
    QVERIFY2(text.endsWith(QStringLiteral("\r\n")), qPrintable(text));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    const QRegularExpression record(QStringLiteral("^(\\d{10})\\.(\\d{3})S \\[0000:(\\d\\d):(\\d\\d)\\.(\\d{3})\\]$"));
    int timerMs[2] = {0, 0};
    int timeMs[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const QRegularExpressionMatch m = record.match(lines[i]);
        QVERIFY2(m.hasMatch(), qPrintable(lines[i]));
        timerMs[i] = m.captured(1).toInt() * 1000 + m.captured(2).toInt();
        timeMs[i] = (m.captured(3).toInt() * 60 + m.captured(4).toInt()) * 1000 + m.captured(5).toInt();
    }
    QVERIFY2(timerMs[0] >= 1200 && timerMs[0] < 60000, qPrintable(text));
    QVERIFY2(timerMs[1] > timerMs[0], qPrintable(text));
    // Paused: both read-outs come from the same last tick or from two readings of one tick.
    QVERIFY2(qAbs(timerMs[1] - timeMs[1]) <= 1, qPrintable(text));
    // The file stays for the editor while the program runs.
    QVERIFY(QFile::exists(recordPath));

    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    // Ended, it takes its unchanged file away.
    QVERIFY(!QFile::exists(recordPath));
}

QStringList TestVexoEndToEnd::otherWindows(qint64 pid, const QString &main)
{
    QStringList out;
    for (const QString &id : xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                                      QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--name"),
                                      QStringLiteral(".*")})
                                 .split(u'\n', Qt::SkipEmptyParts))
        if (id != main)
            out << xdotool({QStringLiteral("getwindowname"), id});
    return out;
}

int TestVexoEndToEnd::threads(qint64 pid)
{
    return int(QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// The alarm with the real sound (Beep.wav through Qt Multimedia, then the X server's
// bell) on a machine that may have no sound device: it sounds every second with no
// box, the window answers, the status line shows whole, and the program ends cleanly.
void TestVexoEndToEnd::alarmSoundsUnderX()
{
    if (!startX())
        return;
    QVERIFY(QFile::copy(QFileInfo(QStringLiteral(VEXO_BINARY)).dir().filePath(QStringLiteral("Beep.wav")),
                        home_->path() + QStringLiteral("/app/Beep.wav")));
    QProcess p;
    startUnderX(p, program_);
    QString main;
    QVERIFY(waitFor([&] { return !(main = windowNamed(p.processId(), QStringLiteral("Tavrik2.1.0053"))).isEmpty(); }));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
    // Label2 asks for the alarm time, then for the countdown.
    const auto answer = [&](const QString &title, const QString &text) {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), main, QStringLiteral("20"), QStringLiteral("80"),
                 QStringLiteral("click"), QStringLiteral("1")});
        QString prompt;
        QVERIFY(waitFor([&] { return !(prompt = windowNamed(p.processId(), title)).isEmpty(); }));
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), prompt});
        xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        xdotool({QStringLiteral("type"), text});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        QVERIFY(waitFor([&] { return windowNamed(p.processId(), title).isEmpty(); }));
    };
    answer(QStringLiteral("定时"), QStringLiteral("3:00"));
    answer(QStringLiteral("倒计时"), QStringLiteral("1"));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    QTest::qWait(2500);
    const int threadsWhenFired = threads(p.processId());
    // Sounding for a few seconds: no box, no new thread, the window still answers.
    QTest::qWait(4000);
    QCOMPARE(otherWindows(p.processId(), main), QStringList());
    QVERIFY(threads(p.processId()) <= threadsWhenFired);
    QCOMPARE(xdotool({QStringLiteral("getwindowname"), main}), QStringLiteral("Tavrik"));

    // What a person sees at the bottom: the red status line, not cut off by the window's edge.
    QProcess shot;
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    shot.setProcessEnvironment(env);
    shot.start(QStringLiteral("import"), {QStringLiteral("-window"), main, QStringLiteral("png:-")});
    if (shot.waitForStarted(5000)) {
        QVERIFY(shot.waitForFinished(10000));
        const QImage image = QImage::fromData(shot.readAllStandardOutput(), "PNG");
        QVERIFY(!image.isNull());
        int first = -1, last = -1;
        for (int y = image.height() / 2; y < image.height(); ++y)
            for (int x = 0; x < image.width() / 2; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 160 && c.green() < 90 && c.blue() < 90) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        QVERIFY2(first >= 0, "no status line");
        QVERIFY2(last < image.height() - 1, "the status line runs off the window");
        QVERIFY2(last - first >= 12, "the status line is cut");
    }

    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+s")});
    QString status;
    QVERIFY(waitFor([&] { return !(status = windowNamed(p.processId(), QStringLiteral("状态"))).isEmpty(); }));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), status});
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QVERIFY(waitFor([&] { return windowNamed(p.processId(), QStringLiteral("状态")).isEmpty(); }));

    // Ending after the sound was played: a clean exit, not a crash in the sound's clean-up.
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

// Locked while running: a click on the word of a greyed-out button (暂停, 关闭) does
// what a click on its face does, nothing. The read-out goes on; no question opens.
void TestVexoEndToEnd::lockedCaptionsDoNothingUnderX()
{
    if (!startX())
        return;
    QProcess p;
    startUnderX(p, program_);
    QString main;
    QVERIFY(waitFor([&] { return !(main = windowNamed(p.processId(), QStringLiteral("Tavrik2.1.0053"))).isEmpty(); }));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
    const auto click = [&](int x, int y) {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), main, QString::number(x), QString::number(y),
                 QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(300);
    };
    // The seconds read-out, as the screen shows it.
    const auto readout = [&] {
        QProcess shot;
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        shot.setProcessEnvironment(env);
        shot.start(QStringLiteral("import"), {QStringLiteral("-window"), main, QStringLiteral("png:-")});
        shot.waitForFinished(10000);
        return QImage::fromData(shot.readAllStandardOutput(), "PNG").copy(52, 64, 240, 30);
    };
    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    QTest::qWait(300);
    // Tavrik菜单, then 锁定控制(L).
    click(48, 8);
    xdotool({QStringLiteral("key"), QStringLiteral("l")});
    QTest::qWait(500);
    // The captions of the greyed 暂停 (first slot) and 关闭 (last slot).
    click(40, 124);
    click(256, 124);
    const QImage before = readout();
    QVERIFY(!before.isNull());
    QTest::qWait(400);
    QVERIFY2(readout() != before, "the locked stopwatch was paused by a click on a greyed caption");
    QCOMPARE(otherWindows(p.processId(), main), QStringList());
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

void TestVexoEndToEnd::vexo3StartsItFromItsMenu()
{
    if (!startX())
        return;
    const QString vexo3 = home_->path() + QStringLiteral("/app/Vexo3");
    QVERIFY(QFile::copy(QStringLiteral(VEXO3_BINARY), vexo3));
    QProcess p;
    startUnderX(p, vexo3);
    QString main;
    QVERIFY(waitFor([&] {
        const QString ids = xdotool({QStringLiteral("search"), QStringLiteral("--pid"), QString::number(p.processId())});
        for (const QString &id : ids.split(u'\n', Qt::SkipEmptyParts))
            if (xdotool({QStringLiteral("getwindowname"), id}).startsWith(QStringLiteral("Tavrik3.")))
                main = id;
        return !main.isEmpty();
    }));
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
    // 秒表控制 → 使用旧版本: the item above the last one.
    xdotool({QStringLiteral("key"), QStringLiteral("alt+s")});
    QTest::qWait(500);
    xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Return")});
    QString old;
    QVERIFY(waitFor([&] {
        old = xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Tavrik2\\.1\\.0053$")});
        return !old.isEmpty();
    }));
    // The older program runs from the same folder, as a program of its own.
    const qint64 oldPid = xdotool({QStringLiteral("getwindowpid"), old.section(u'\n', 0, 0)}).toLongLong();
    QVERIFY(oldPid > 0 && oldPid != p.processId());
    QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/exe").arg(oldPid)).symLinkTarget(), program_);
    ::kill(pid_t(oldPid), SIGTERM);
    // Gone, or a zombie waiting for whoever adopted it.
    QVERIFY(waitFor([&] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(oldPid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    }));
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
}

TAVRIK_TEST_GUILESS_MAIN(TestVexoEndToEnd)
#include "tst_vexo_e2e.moc"
