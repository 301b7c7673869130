#include "tests/support/xsession.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

// Whether the process has its own handler for the signal: Linux lists the caught
// signals of every process in /proc/<pid>/status.
bool catches(qint64 pid, int signalNumber)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    return false;
}

QStringList at(const QPoint &p) { return {QString::number(p.x()), QString::number(p.y())}; }

} // namespace

// The demonstration program as a user starts it: it opens its window and ends cleanly
// when the session asks it to; under a window manager, the title moves the window.
class TestXpFrameDemo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void startsAndEnds_data();
    void startsAndEnds();
    void clickAfterQuickDragUnderOpenbox();
    void slowDragUnderOpenboxNeverGoesBack();

private:
    // The demonstration in a private X server under openbox, the pointer on its title at
    // press_; false (the test skipped or failed) when there is none.
    bool underOpenbox();
    QPoint position() const;
    bool pointer(const QStringList &actions) const { return x_->xdotool(actions); }

    std::unique_ptr<XSession> x_;
    std::unique_ptr<QTemporaryDir> home_;
    QProcess wm_;
    QProcess demo_;
    QString window_;
    QPoint press_;
};

void TestXpFrameDemo::cleanup()
{
    for (QProcess *p : {&demo_, &wm_}) {
        p->terminate();
        p->waitForFinished(5000);
    }
    x_.reset();
    home_.reset();
}

void TestXpFrameDemo::startsAndEnds_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestXpFrameDemo::startsAndEnds()
{
    QFETCH(int, signalNumber);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(XPFRAMEDEMO_BINARY), {});
    QVERIFY(p.waitForStarted(10000));
    // Up once it has built its window and listens for the session's signals.
    QTRY_VERIFY_WITH_TIMEOUT(catches(p.processId(), signalNumber), 10000);
    QCOMPARE(p.state(), QProcess::Running);
    ::kill(pid_t(p.processId()), signalNumber);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    // It writes nothing of its own.
    QVERIFY(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

bool TestXpFrameDemo::underOpenbox()
{
    for (const char *tool : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            QTest::qSkip("needs Xvfb, openbox and xdotool (packages xvfb, openbox, xdotool)", __FILE__, __LINE__);
            return false;
        }
    QString why;
    x_ = std::make_unique<XSession>();
    if (!x_->start(&why)) {
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        return false;
    }
    home_ = std::make_unique<QTemporaryDir>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->path());
    env.insert(QStringLiteral("DISPLAY"), x_->display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The window manager runs its start-up command once it manages the screen.
    const QString ready = home_->filePath(QStringLiteral("wm-ready"));
    wm_.setProcessEnvironment(env);
    wm_.start(QStringLiteral("openbox"),
              {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
    if (!QTest::qWaitFor([&] { return QFile::exists(ready); }, 15000)) {
        QTest::qFail("openbox did not start", __FILE__, __LINE__);
        return false;
    }
    demo_.setProcessEnvironment(env);
    demo_.start(QStringLiteral(XPFRAMEDEMO_BINARY), {});
    window_ = x_->waitForWindow(demo_.processId(), QStringLiteral("XP 窗口框架演示"));
    press_ = position() + QPoint(200, 14);
    if (window_.isEmpty() || !pointer(QStringList{QStringLiteral("mousemove")} + at(press_))) {
        QTest::qFail("no demonstration window under openbox", __FILE__, __LINE__);
        return false;
    }
    return true;
}

QPoint TestXpFrameDemo::position() const
{
    // "  Position: 420,270 (screen: 0)"
    QString out;
    x_->xdotool({QStringLiteral("getwindowgeometry"), window_}, &out);
    const QStringList xy = out.section(QStringLiteral("Position: "), 1).section(u' ', 0, 0).split(u',');
    return xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint(-1, -1);
}

// The drag is over before the program sees it, so the window manager must not be
// handed a move whose button is already up: it would carry the window along with the
// pointer until the next click.
void TestXpFrameDemo::clickAfterQuickDragUnderOpenbox()
{
    if (!underOpenbox())
        return;
    // The program is held for the moment of the drag, as a busy one is: it sees the
    // press, the moves and the release together.
    ::kill(pid_t(demo_.processId()), SIGSTOP);
    QStringList quick{QStringLiteral("mousedown"), QStringLiteral("1")};
    for (int step = 1; step <= 3; ++step)
        quick << QStringLiteral("mousemove") << at(press_ + QPoint(30, 20) * step);
    const bool dragged = pointer(quick << QStringLiteral("mouseup") << QStringLiteral("1"));
    ::kill(pid_t(demo_.processId()), SIGCONT);
    QVERIFY(dragged);
    QTest::qWait(500);
    const QPoint dropped = position();
    // A click further along the title.
    QVERIFY(pointer(QStringList{QStringLiteral("mousemove")} + at(press_ + QPoint(-10, 60)) +
                    QStringList{QStringLiteral("click"), QStringLiteral("1")}));
    QTest::qWait(500);
    QCOMPARE(position(), dropped);
}

// The window manager keeps the pointer on the spot of the window where the program last
// saw it, so a move made by hand just before handing over is taken back at its first
// pointer event.
void TestXpFrameDemo::slowDragUnderOpenboxNeverGoesBack()
{
    if (!underOpenbox())
        return;
    QVERIFY(pointer({QStringLiteral("mousedown"), QStringLiteral("1")}));
    int last = position().x();
    for (const int x : {60, 70, 80}) {
        QTest::qWait(300);
        QVERIFY(pointer(QStringList{QStringLiteral("mousemove")} + at(press_ + QPoint(x, 0))));
        QTest::qWait(300);
        QVERIFY2(position().x() >= last, "the window went back against the drag");
        last = position().x();
    }
    QVERIFY(pointer({QStringLiteral("mouseup"), QStringLiteral("1")}));
}

TAVRIK_TEST_GUILESS_MAIN(TestXpFrameDemo)
#include "tst_xpframedemo.moc"
