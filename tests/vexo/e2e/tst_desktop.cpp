// Both programs with the desktop's own clients: gdbus on a private session bus, dunst
// (under Xvfb and openbox) for notifications, weston (headless, with XWayland) for a
// Wayland session. A case whose tools are missing is skipped, saying which.
#include "tests/support/testmain.h"
#include "tests/support/xsession.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

#define NEED_TOOLS(...)                                                                                                \
    for (const char *tool : {__VA_ARGS__})                                                                             \
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())                                             \
            QSKIP(qPrintable(QLatin1String(tool) + " is missing"_L1));

namespace {

const QString kBusName = u"org.example.tavrik.Vexo3"_s;

bool waitDesktop(const std::function<bool()> &done, int ms = 20000)
{
    for (QDeadlineTimer deadline(ms); !done(); QTest::qWait(50))
        if (deadline.hasExpired())
            return false;
    return true;
}

// "method Name" and "property Name type" of our interface, from introspection XML.
QStringList membersOf(const QString &xml)
{
    static const QRegularExpression member(uR"x(<(method|property) name="(\w+)"(?: type="(\w+)")?)x"_s);
    QStringList members;
    for (const auto &m : member.globalMatch(xml.section(uR"x(<interface name="%1">)x"_s.arg(kBusName), 1).section(u"</interface>"_s, 0, 0)))
        members << m.captured(1) + u' ' + m.captured(2) + u' ' + m.captured(3);
    members.sort();
    return members;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { dir_.emplace(u"/var/tmp/tavrik-desk-XXXXXX"_s), bus_.clear(), display_.clear(); }
    void cleanup();
    void gdbusDrivesVexo3();
    void timeUpNotified_data();
    void timeUpNotified();
    void waylandThroughXWayland_data() { timeUpNotified_data(); }
    void waylandThroughXWayland();

private:
    QProcessEnvironment env() const;
    QProcess *start(const QString &program, const QStringList &args, const QProcessEnvironment &e);
    QString run(const QString &tool, const QStringList &args, bool *ok = nullptr) const;

    std::optional<QTemporaryDir> dir_;
    QString bus_, display_;
    QList<QProcess *> processes_;
};

void TestDesktop::cleanup()
{
    while (!processes_.isEmpty()) { // the programs before the servers they use
        std::unique_ptr<QProcess> p(processes_.takeLast());
        p->terminate();
        if (!p->waitForFinished(5000))
            p->kill();
    }
}

QProcessEnvironment TestDesktop::env() const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "TMPDIR", "temp"})
        e.insert(QLatin1String(name), dir_->path());
    for (const char *name : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY"})
        e.remove(QLatin1String(name));
    e.insert(u"QT_QPA_PLATFORM"_s, display_.isEmpty() ? u"offscreen"_s : u"xcb"_s);
    for (const auto &[name, value] : {std::pair{u"DISPLAY"_s, display_}, std::pair{u"DBUS_SESSION_BUS_ADDRESS"_s, bus_}})
        if (!value.isEmpty())
            e.insert(name, value);
    return e;
}

QProcess *TestDesktop::start(const QString &program, const QStringList &args, const QProcessEnvironment &e)
{
    processes_ << new QProcess;
    processes_.last()->setProcessEnvironment(e);
    processes_.last()->start(program, args);
    processes_.last()->waitForStarted(10000);
    if (program == "dbus-daemon"_L1 && processes_.last()->waitForReadyRead(10000))
        bus_ = QString::fromUtf8(processes_.last()->readLine()).trimmed();
    return processes_.last();
}

QString TestDesktop::run(const QString &tool, const QStringList &args, bool *ok) const
{
    QProcess p;
    p.setProcessEnvironment(env());
    p.start(tool, args);
    const bool done = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    return QString::fromUtf8(done ? p.readAllStandardOutput() : p.readAllStandardError()).trimmed();
}

// The interface as resources/dbus describes it; the calls go through the window's
// guards; PropertiesChanged comes once for each change, never for the ticks.
void TestDesktop::gdbusDrivesVexo3()
{
    NEED_TOOLS("dbus-daemon", "gdbus")
    start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s}, env());
    start(QStringLiteral(VEXO3_BINARY), {}, env());
    const QStringList at{u"--session"_s, u"--dest"_s, kBusName, u"--object-path"_s, u"/org/example/tavrik/Vexo3"_s};
    bool ok = false;
    QString live;
    QVERIFY(waitDesktop([&] { return live = run(u"gdbus"_s, QStringList{u"introspect"_s, u"--xml"_s} + at, &ok), ok; }));
    QFile described(QStringLiteral(DBUS_INTERFACE_XML));
    QVERIFY(described.open(QIODevice::ReadOnly));
    QCOMPARE(membersOf(live), membersOf(QString::fromUtf8(described.readAll())));
    QCOMPARE(membersOf(live).size(), 8);

    QProcess *monitor = start(u"gdbus"_s, {u"monitor"_s, u"--session"_s, u"--dest"_s, kBusName}, env());
    QString seen;
    const auto monitored = [&](const QString &text) {
        return waitDesktop([&] { return (seen += QString::fromUtf8(monitor->readAllStandardOutput())).contains(text); });
    };
    QVERIFY(monitored(u"is owned by"_s));
    const auto call = [&](const QString &method, const QStringList &args = {}) {
        return run(u"gdbus"_s, QStringList{u"call"_s} + at + QStringList{u"--method"_s, method} + args, &ok);
    };
    const auto get = [&](const QString &name) { return call(u"org.freedesktop.DBus.Properties.Get"_s, {kBusName, name}); };
    QVERIFY(call(kBusName + u".Record"_s).endsWith(u"Vexo3：秒表还没有开始计时，没有记录。"_s) && !ok);
    call(kBusName + u".StartPause"_s);
    QCOMPARE(get(u"State"_s), u"(<'running'>,)"_s);
    QTest::qWait(400); // ticks, which say nothing on the bus
    call(kBusName + u".Record"_s);
    QVERIFY(get(u"Records"_s).contains(QRegularExpression(uR"x(^\(<\['0\.[0-9]+S \[0:00:00\.[0-9]+\]'\]>,\)$)x"_s)));
    QVERIFY(call(kBusName + u".Reset"_s).endsWith(u"不能复位；请先暂停或停止。"_s) && !ok);
    call(kBusName + u".StartPause"_s);
    QVERIFY(get(u"Reading"_s).contains(QRegularExpression(uR"x(^\(<'0\.[1-9][0-9]*'>,\)$)x"_s)));
    call(kBusName + u".Reset"_s);
    QCOMPARE(get(u"Seconds"_s), u"(<0.0>,)"_s);
    QVERIFY(monitored(u"'idle'"_s));
    QTest::qWait(300);
    const QStringList changes = (seen + QString::fromUtf8(monitor->readAllStandardOutput())).split(u'\n').filter(u"PropertiesChanged"_s);
    QCOMPARE(changes.size(), 4);
    QVERIFY(changes[0].contains(u"'running'"_s) && changes[1].contains(u"'Records'"_s) && changes[2].contains(u"'paused'"_s));
}

void TestDesktop::timeUpNotified_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Vexo3") << QStringLiteral(VEXO3_BINARY);
    QTest::newRow("Vexo") << QStringLiteral(VEXO_BINARY);
}

// A 2-second countdown set as a person sets it: one notification however long the
// alarm sounds, whose action brings the window back from the task bar.
void TestDesktop::timeUpNotified()
{
    QFETCH(QString, program);
    NEED_TOOLS("dbus-daemon", "dunst", "openbox")
    XSession x;
    QString why;
    if (!x.start(&why))
        QSKIP(qPrintable(why));
    display_ = x.display();
    start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s}, env());
    QFile config(dir_->filePath(u"dunstrc"_s)); // a second notification must count
    QVERIFY(config.open(QIODevice::WriteOnly) && config.write("[global]\nstack_duplicates = false\n") > 0);
    config.close();
    // openbox manages the screen before the program maps its window: it runs its start-up command then.
    start(u"openbox"_s, {u"--sm-disable"_s, u"--startup"_s, u"touch "_s + dir_->filePath(u"wm-ready"_s)}, env());
    QVERIFY(waitDesktop([&] { return QFile::exists(dir_->filePath(u"wm-ready"_s)); }));
    start(u"dunst"_s, {u"-config"_s, config.fileName()}, env());
    QProcess *p = start(program, {}, env());
    const bool vexo3 = program.endsWith("Vexo3"_L1);
    const QString main = x.waitForWindow(p->processId(), vexo3 ? u"Tavrik3.2.74"_s : u"Tavrik2.1.0053"_s);
    QVERIFY2(!main.isEmpty(), p->readAllStandardError().constData());
    const auto answer = [&](const QString &title, const QString &text) {
        const QString box = x.waitForWindow(p->processId(), title);
        QVERIFY(x.keys(box, {u"ctrl+a"_s}) && x.xdotool({u"type"_s, text}) && x.keys(box, {u"Return"_s}));
    };
    if (vexo3) { // 秒表控制 › 定时 › 倒计时, from the menu's end: 关闭, 使用旧版本, 定时
        QVERIFY(x.keys(main, {u"alt+s"_s, u"Up"_s, u"Up"_s, u"Up"_s, u"Right"_s, u"Down"_s, u"Return"_s}));
        answer(u"倒计时"_s, u"2"_s);
    } else { // each click on the mode label asks: the alarm, then the countdown
        for (const auto &[title, text] : {std::pair{u"定时"_s, u"3:00"_s}, std::pair{u"倒计时"_s, u"2"_s}}) {
            QVERIFY(x.click(main, 20, 80));
            answer(title, text);
        }
        QVERIFY(x.keys(main, {u"space"_s}));
    }
    QVERIFY(waitDesktop([&] { return run(u"dunstctl"_s, {u"count"_s, u"displayed"_s}) != "0"_L1; }));
    const auto shown = [&] {
        QString out;
        return x.xdotool({u"search"_s, u"--onlyvisible"_s, u"--pid"_s, QString::number(p->processId())}, &out) && !out.isEmpty();
    };
    for (const XSession::Window &w : x.windowsOf(p->processId()))
        x.xdotool({u"windowminimize"_s, u"--sync"_s, w.id});
    QVERIFY(waitDesktop([&] { return !shown(); }));
    run(u"dunstctl"_s, {u"action"_s, u"0"_s});
    QVERIFY(waitDesktop(shown, 5000));
    QTest::qWait(2500); // the alarm goes on
    run(u"dunstctl"_s, {u"close-all"_s});
    const QString history = run(u"dunstctl"_s, {u"history"_s});
    QCOMPARE(history.count(u"\"appname\""_s), 1);
    QVERIFY2(history.contains(vexo3 ? u"\"Vexo3\""_s : u"\"Vexo\""_s), qPrintable(history));
    QVERIFY2(history.contains(vexo3 ? u"倒计时结束"_s : u"定时已到"_s), qPrintable(history));
}

// A Wayland session with XWayland, no platform chosen: the window is an X window, so
// on-top and placement work as under X.
void TestDesktop::waylandThroughXWayland()
{
    QFETCH(QString, program);
    NEED_TOOLS("weston", "Xwayland", "xdotool")
    const QString log = dir_->filePath(u"weston.log"_s);
    start(u"weston"_s, {u"--backend=headless-backend.so"_s, u"--xwayland"_s, u"--socket=tavrik-w"_s, u"--log="_s + log}, env());
    QRegularExpressionMatch m;
    QVERIFY(waitDesktop([&] {
        QFile f(log);
        return f.open(QIODevice::ReadOnly)
            && (m = QRegularExpression(u"xserver listening on display (:[0-9]+)"_s).match(QString::fromUtf8(f.readAll()))).hasMatch();
    }));
    QProcessEnvironment e = env();
    e.remove(u"QT_QPA_PLATFORM"_s);
    for (const auto &[name, value] : {std::pair{u"WAYLAND_DISPLAY"_s, u"tavrik-w"_s}, std::pair{u"XDG_SESSION_TYPE"_s, u"wayland"_s},
                                      std::pair{u"DISPLAY"_s, m.captured(1)}})
        e.insert(name, value);
    const QString pid = QString::number(start(program, {}, e)->processId());
    QVERIFY2(waitDesktop([&] {
        QProcess s;
        s.setProcessEnvironment(e);
        s.start(u"xdotool"_s, {u"search"_s, u"--pid"_s, pid});
        return s.waitForFinished(5000) && !s.readAllStandardOutput().trimmed().isEmpty();
    }, 15000), "no X window: the program runs natively on Wayland");
}

TAVRIK_TEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
