// Starting the real Vexo3 while another runs: one copy per settings file, the options
// carried out by the running copy, and every way that copy can fail to answer. Each
// test has a folder of its own for the settings, the runtime folder (the socket) and
// the program.
#include "tests/support/xsession.h"
#include "tests/support/testmain.h"
#include "vexo3/version.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Result {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class TestSecondStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void optionsThatNeedNoCopy_data();
    void optionsThatNeedNoCopy();
    void statusWithoutACopyStartsNone();
    void commandsReachTheRunningCopy();
    void secondStartEndsAndTheFirstStays();
    void commandWithoutACopyStartsOne();
    void deadCopysSocketReplaced();
    void stoppedCopyReportedInTime();
    void twoSettingsFilesTwoCopies();
    void secondStartActivatesTheFirst();
    void lapRefusedWhileLocked();
    void temporaryFolderTakenByAnother_data();
    void temporaryFolderTakenByAnother();

private:
    // A settings folder of its own ("config-<tag>"); the runtime folder is shared.
    QProcessEnvironment env(const QString &tag = QStringLiteral("a")) const;
    QProcess *startCopy(const QString &tag = QStringLiteral("a"), const QStringList &args = {});
    // The program and its arguments; with slashTmp_, in a mount namespace whose /tmp it is.
    QStringList command(const QStringList &args) const;
    Result run(const QStringList &args, const QString &tag = QStringLiteral("a"));
    // Until the copy answers "--status" from its window.
    bool waitLive(const QString &tag = QStringLiteral("a"));
    // The socket files in the runtime folder (not the locks beside them).
    QStringList sockets() const;
    QString mainTitle() const;

    std::unique_ptr<QTemporaryDir> base_;
    QString program_;
    QList<QProcess *> copies_;
    QString display_; // set while a test runs in an X server
    QString slashTmp_;
};

void TestSecondStart::init()
{
    // Short paths: the socket's path has a length limit, and the build folder may be deep.
    // Not in /tmp, which a test hides behind a /tmp of its own.
    base_ = std::make_unique<QTemporaryDir>(QStringLiteral("/var/tmp/tavrik-e2e-XXXXXX"));
    QVERIFY(base_->isValid());
    for (const char *d : {"run", "tmp", "app", "home"})
        QVERIFY(QDir(base_->path()).mkpath(QString::fromLatin1(d)));
    QVERIFY(QFile::setPermissions(base_->filePath(QStringLiteral("run")),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    // The program takes its folder from where it lies: give it one of its own.
    program_ = base_->filePath(QStringLiteral("app/Vexo3"));
    QVERIFY(QFile::copy(QStringLiteral(VEXO3_BINARY), program_));
    display_.clear();
    slashTmp_.clear();
}

void TestSecondStart::cleanup()
{
    for (QProcess *p : copies_) {
        if (p->state() != QProcess::NotRunning) {
            ::kill(pid_t(p->processId()), SIGCONT);
            p->kill();
            p->waitForFinished(10000);
        }
        delete p;
    }
    copies_.clear();
    base_.reset();
}

QProcessEnvironment TestSecondStart::env(const QString &tag) const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    if (display_.isEmpty()) {
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        e.insert(QStringLiteral("DISPLAY"), display_);
    }
    e.insert(QStringLiteral("HOME"), base_->filePath(QStringLiteral("home")));
    e.insert(QStringLiteral("XDG_CONFIG_HOME"), base_->filePath(QStringLiteral("config-") + tag));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), base_->filePath(QStringLiteral("run")));
    e.insert(QStringLiteral("TMPDIR"), base_->filePath(QStringLiteral("tmp")));
    e.insert(QStringLiteral("temp"), base_->filePath(QStringLiteral("tmp")));
    e.remove(QStringLiteral("XDG_CACHE_HOME"));
    if (!slashTmp_.isEmpty())
        for (const char *name : {"XDG_RUNTIME_DIR", "TMPDIR", "temp"})
            e.remove(QString::fromLatin1(name));
    return e;
}

QStringList TestSecondStart::command(const QStringList &args) const
{
    if (slashTmp_.isEmpty())
        return QStringList{program_} + args;
    return QStringList{QStringLiteral("unshare"), QStringLiteral("--mount"), QStringLiteral("--propagation"),
                       QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
                       QStringLiteral("mount --bind \"$0\" /tmp && exec \"$@\""), slashTmp_, program_} +
           args;
}

QProcess *TestSecondStart::startCopy(const QString &tag, const QStringList &args)
{
    auto *p = new QProcess;
    copies_.append(p);
    p->setProcessEnvironment(env(tag));
    const QStringList c = command(args);
    p->start(c.first(), c.mid(1));
    if (!p->waitForStarted(10000))
        qWarning("could not start %s", qPrintable(program_));
    return p;
}

Result TestSecondStart::run(const QStringList &args, const QString &tag)
{
    QProcess p;
    p.setProcessEnvironment(env(tag));
    const QStringList c = command(args);
    p.start(c.first(), c.mid(1));
    Result r;
    // Generous: the limit that matters is the program's own.
    r.finished = p.waitForStarted(10000) && p.waitForFinished(20000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

bool TestSecondStart::waitLive(const QString &tag)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000) {
        const Result r = run({QStringLiteral("--status")}, tag);
        if (r.exitCode == 0 && r.out.contains(QStringLiteral("记录：")))
            return true;
        QTest::qWait(100);
    }
    return false;
}

QStringList TestSecondStart::sockets() const
{
    return QDir(base_->filePath(QStringLiteral("run/tavrik"))).entryList({QStringLiteral("vexo3-*")}, QDir::System);
}

QString TestSecondStart::mainTitle() const
{
    const tavrik::core::Version &v = vexo3::kVersion;
    return QStringLiteral("Tavrik%1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

void TestSecondStart::optionsThatNeedNoCopy_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QStringLiteral("--start-pause") << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << QStringLiteral("用法：") << QString();
    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << QStringLiteral("Vexo3 ") + QString::fromLatin1(vexo3::kVersionText) + u'\n' << QString();
    QTest::newRow("unknown") << QStringList{"--lap", "--bogus"} << 2 << QString() << QStringLiteral("没有“--bogus”这个选项");
    QTest::newRow("argument") << QStringList{"notes.txt"} << 2 << QString() << QStringLiteral("不接受参数“notes.txt”");
}

void TestSecondStart::optionsThatNeedNoCopy()
{
    // With a copy running or not, these answer by themselves and start nothing.
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    for (bool running : {false, true}) {
        if (running) {
            startCopy();
            QVERIFY(waitLive());
        }
        const Result r = run(args);
        QVERIFY(r.finished);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.out.contains(out), qPrintable(r.out));
        if (err.isEmpty())
            QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        else
            QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }
    // The running copy did nothing.
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("状态：未计时")));
}

void TestSecondStart::statusWithoutACopyStartsNone()
{
    const Result r = run({QStringLiteral("--status")});
    QVERIFY(r.finished);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("读数：0.000（0:00:00.000）\n状态：未计时\n（Vexo3 没有运行，这是保存的状态。）\n"));
    QVERIFY(r.err.isEmpty());
    QVERIFY(sockets().isEmpty());
}

void TestSecondStart::commandsReachTheRunningCopy()
{
    QProcess *first = startCopy();
    QVERIFY(waitLive());
    auto step = [this](const QStringList &args, int exitCode) {
        const Result r = run(args);
        qInfo().noquote() << "$ Vexo3" << args.join(u' ') << "→" << r.exitCode << "\n" + r.out + r.err;
        return r.finished && r.exitCode == exitCode ? r.out : QStringLiteral("<failed: %1 %2>").arg(r.exitCode).arg(r.err);
    };
    QVERIFY(step({"--status"}, 0).contains(QStringLiteral("状态：未计时\n记录：0 条\n")));
    QCOMPARE(step({"--start-pause"}, 0), QString());
    QTest::qWait(300);
    QVERIFY(step({"--status"}, 0).contains(QStringLiteral("状态：正在计时\n记录：0 条\n")));
    QCOMPARE(step({"--lap"}, 0), QString());
    QVERIFY(step({"--status"}, 0).contains(QStringLiteral("状态：正在计时\n记录：1 条\n")));
    // Several in one go, in their order.
    const QString both = step({"--lap", "--start-pause", "--status"}, 0);
    QVERIFY2(both.contains(QStringLiteral("状态：已暂停\n记录：2 条\n")), qPrintable(both));
    QCOMPARE(step({"--reset"}, 0), QString());
    QVERIFY(step({"--status"}, 0).contains(QStringLiteral("读数：0.000（0:00:00.000）\n状态：未计时\n")));
    // A refusal says why, and ends with 1.
    const Result lap = run({QStringLiteral("--lap")});
    QCOMPARE(lap.exitCode, 1);
    QVERIFY2(lap.err.contains(QStringLiteral("还没有开始计时")), qPrintable(lap.err));
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(sockets().size(), 1);
}

void TestSecondStart::secondStartEndsAndTheFirstStays()
{
    QProcess *first = startCopy();
    QVERIFY(waitLive());
    for (int i = 0; i < 3; ++i) {
        const Result r = run({});
        QVERIFY(r.finished);
        QCOMPARE(r.exitCode, 0);
    }
    QCOMPARE(run({QStringLiteral("--show")}).exitCode, 0);
    QCOMPARE(first->state(), QProcess::Running);
    // The first copy ends as ever, and takes its socket with it.
    ::kill(pid_t(first->processId()), SIGTERM);
    QVERIFY(first->waitForFinished(15000));
    QCOMPARE(first->exitCode(), 0);
    const QDir run(base_->filePath(QStringLiteral("run/tavrik")));
    QCOMPARE(run.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

void TestSecondStart::commandWithoutACopyStartsOne()
{
    QProcess *p = startCopy(QStringLiteral("a"), {QStringLiteral("--start-pause")});
    QVERIFY(waitLive());
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("状态：正在计时")));
    QCOMPARE(p->state(), QProcess::Running);
}

void TestSecondStart::deadCopysSocketReplaced()
{
    QProcess *first = startCopy();
    QVERIFY(waitLive());
    QCOMPARE(run({QStringLiteral("--start-pause")}).exitCode, 0);
    // Saved right after its answer went.
    QTRY_VERIFY(QSettings(base_->filePath(QStringLiteral("config-a/BriselSoftware.ini")), QSettings::IniFormat)
                    .value(QStringLiteral("Setting/TimerEnabled"))
                    .toString() == QStringLiteral("True"));
    first->kill();
    QVERIFY(first->waitForFinished(10000));
    // The crash left its socket behind.
    QCOMPARE(sockets().size(), 1);
    QProcess *second = startCopy();
    QVERIFY(waitLive());
    QCOMPARE(second->state(), QProcess::Running);
    // It took over the running stopwatch the first one saved.
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("状态：正在计时")));
    QCOMPARE(run({QStringLiteral("--lap")}).exitCode, 0);
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("记录：1 条")));
}

void TestSecondStart::stoppedCopyReportedInTime()
{
    QProcess *first = startCopy();
    QVERIFY(waitLive());
    QCOMPARE(run({QStringLiteral("--start-pause")}).exitCode, 0);
    ::kill(pid_t(first->processId()), SIGSTOP);
    for (const QStringList &args : {QStringList{"--lap"}, QStringList{"--status"}, QStringList{}}) {
        const Result r = run(args);
        QVERIFY2(r.finished, "the command waited on the stopped copy");
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.err.contains(QStringLiteral("没有回答")), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
    // Nor did it start a second copy on the same settings.
    QCOMPARE(copies_.size(), 1);
    ::kill(pid_t(first->processId()), SIGCONT);
    QVERIFY(waitLive());
    // What was reported as not done was not done once it went on.
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("记录：0 条")));
    QCOMPARE(run({QStringLiteral("--lap")}).exitCode, 0);
    QVERIFY(run({QStringLiteral("--status")}).out.contains(QStringLiteral("记录：1 条")));
}

void TestSecondStart::twoSettingsFilesTwoCopies()
{
    QProcess *a = startCopy(QStringLiteral("a"));
    QProcess *b = startCopy(QStringLiteral("b"));
    QVERIFY(waitLive(QStringLiteral("a")));
    QVERIFY(waitLive(QStringLiteral("b")));
    QCOMPARE(run({QStringLiteral("--start-pause")}, QStringLiteral("a")).exitCode, 0);
    QVERIFY(run({QStringLiteral("--status")}, QStringLiteral("a")).out.contains(QStringLiteral("状态：正在计时")));
    QVERIFY(run({QStringLiteral("--status")}, QStringLiteral("b")).out.contains(QStringLiteral("状态：未计时")));
    QCOMPARE(a->state(), QProcess::Running);
    QCOMPARE(b->state(), QProcess::Running);
    QCOMPARE(sockets().size(), 2);
}

void TestSecondStart::secondStartActivatesTheFirst()
{
    XSession x;
    QString why;
    QVERIFY2(x.start(&why), qPrintable(why));
    display_ = x.display();
    // Two copies on two settings files; the other one has the focus.
    QProcess *a = startCopy(QStringLiteral("a"));
    QProcess *b = startCopy(QStringLiteral("b"));
    const QString mainA = x.waitForWindow(a->processId(), mainTitle());
    const QString mainB = x.waitForWindow(b->processId(), mainTitle());
    QVERIFY(!mainA.isEmpty() && !mainB.isEmpty());
    QVERIFY(waitLive(QStringLiteral("a")));
    auto focus = [&x] {
        QString out;
        x.xdotool({QStringLiteral("getwindowfocus")}, &out);
        return out.trimmed();
    };
    QVERIFY(x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), mainB}));
    QTRY_COMPARE_WITH_TIMEOUT(focus(), mainB, 10000);
    // A command for a global shortcut leaves the focus where it is.
    QCOMPARE(run({QStringLiteral("--start-pause")}, QStringLiteral("a")).exitCode, 0);
    QCOMPARE(run({QStringLiteral("--lap")}, QStringLiteral("a")).exitCode, 0);
    QTest::qWait(500);
    QCOMPARE(focus(), mainB);
    // Starting it again brings it to the front.
    const Result r = run({}, QStringLiteral("a"));
    QVERIFY(r.finished);
    QCOMPARE(r.exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(focus(), mainA, 10000);
    QCOMPARE(a->state(), QProcess::Running);
}

void TestSecondStart::lapRefusedWhileLocked()
{
    XSession x;
    QString why;
    QVERIFY2(x.start(&why), qPrintable(why));
    display_ = x.display();
    QProcess *a = startCopy();
    const QString main = x.waitForWindow(a->processId(), mainTitle());
    QVERIFY(!main.isEmpty());
    QVERIFY(waitLive());
    QCOMPARE(run({QStringLiteral("--start-pause")}).exitCode, 0);
    // Locked from the window's own menu, as a user does.
    QVERIFY(x.keys(main, {QStringLiteral("alt+s"), QStringLiteral("l")}));
    QTRY_VERIFY_WITH_TIMEOUT(run({QStringLiteral("--status")}).out.contains(QStringLiteral("控制：已经锁定")), 10000);
    for (const QString &option : {QStringLiteral("--lap"), QStringLiteral("--start-pause"), QStringLiteral("--reset")}) {
        const Result r = run({option});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("控制已经锁定")), qPrintable(r.err));
    }
    const QString status = run({QStringLiteral("--status")}).out;
    QVERIFY2(status.contains(QStringLiteral("状态：正在计时")) && status.contains(QStringLiteral("记录：0 条")),
             qPrintable(status));
    QCOMPARE(a->state(), QProcess::Running);
}

void TestSecondStart::temporaryFolderTakenByAnother_data()
{
    QTest::addColumn<bool>("link");
    QTest::newRow("a link") << true;
    QTest::newRow("another user's open folder") << false;
}

void TestSecondStart::temporaryFolderTakenByAnother()
{
    // No runtime folder, no TMPDIR, and another user got to "/tmp/tavrik-<uid>" first:
    // in a /tmp of the test's own (a mount namespace, as root).
    QFETCH(bool, link);
    if (::geteuid() != 0)
        QSKIP("needs root for a mount namespace and a folder of another user");
    slashTmp_ = base_->filePath(QStringLiteral("slash-tmp"));
    const QString taken = slashTmp_ + QStringLiteral("/tavrik-0");
    QVERIFY(QDir().mkpath(slashTmp_));
    // Not where / is no mount point (a chroot): no namespace can hide /tmp there.
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                                            QStringLiteral("mount"), QStringLiteral("--bind"), slashTmp_, QStringLiteral("/tmp")});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        QSKIP("no mount namespace can be made here (a chroot?)");
    QVERIFY(link ? QFile::link(QStringLiteral("/"), taken)
                 : QDir().mkdir(taken) && ::chmod(QFile::encodeName(taken).constData(), 0777) == 0 &&
                       ::chown(QFile::encodeName(taken).constData(), 65534, 65534) == 0);
    // Nor a cache folder in the home: no check can be made, and the command says so.
    QVERIFY(::chmod(QFile::encodeName(base_->filePath(QStringLiteral("home"))).constData(), 0700) == 0);
    QFile cache(base_->filePath(QStringLiteral("home/.cache")));
    QVERIFY(cache.open(QIODevice::WriteOnly));
    const Result unchecked = run({QStringLiteral("--status")});
    QCOMPARE(unchecked.exitCode, 4);
    QVERIFY(unchecked.out.isEmpty());
    QVERIFY2(unchecked.err.contains(QStringLiteral("无法确定")), qPrintable(unchecked.err));
    // With the home's cache folder: one copy per settings file, as ever.
    QVERIFY(cache.remove());
    QProcess *first = startCopy();
    QVERIFY(waitLive());
    QCOMPARE(run({}).exitCode, 0);
    QCOMPARE(first->state(), QProcess::Running);
}

TAVRIK_TEST_GUILESS_MAIN(TestSecondStart)
#include "tst_secondstart.moc"
