// An hour of the old program's alarm sounding, sped up through the clock seam: the
// real Vexo window with the real sound (Qt Multimedia's QSoundEffect and the desktop's
// beep). A countdown of one second is set through the dialog seam and started; once
// it has fired, the bench moves the clock on by one second and runs Timer2's tick,
// every PACE ms of real time, for SECONDS ticks, while the event loop runs on (the
// window's own timers included). Memory, threads and open files are sampled along the
// way; the tick's own time is measured around each call.
//
//   bench_alarm [--seconds 3600] [--pace 20] [--app DIR]
//
// DIR is the program folder the window plays Beep.wav from (default: the bench's own
// folder, next to the programs). The settings go to a temporary folder.

#include "shared/core/clock.h"
#include "shared/core/settingsstore.h"
#include "shared/gui/dialogs.h"
#include "shared/gui/services.h"
#include "shared/gui/sound.h"
#include "vexo/main/frmsec.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// A clock the bench moves on; it starts at the real now.
class BenchClock final : public tavrik::core::Clock {
public:
    tavrik::core::Now now() const override
    {
        const double day = std::floor(absolute_ / 86400.0);
        return {qint32(day), float(absolute_ - day * 86400.0)};
    }
    double absoluteSeconds() const override { return absolute_; }
    void advance(double seconds) { absolute_ += seconds; }

private:
    double absolute_ = tavrik::core::SystemClock().absoluteSeconds();
};

// Answers the countdown prompt; a box of any kind is counted (there must be none).
class BenchDialogs final : public tavrik::gui::Dialogs {
public:
    void message(QWidget *, const QString &text, const QString &, tavrik::gui::MsgIcon) override
    {
        ++boxes;
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
    }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("1");
    }
    bool question(QWidget *, const QString &, const QString &) override
    {
        ++boxes;
        return false;
    }
    int boxes = 0;
};

// The program's own sound, counted on its way through.
class CountingSound final : public tavrik::gui::Sound {
public:
    explicit CountingSound(tavrik::gui::Sound *real) : real_(real) {}
    void play(const QString &path) override
    {
        ++played;
        real_->play(path);
    }
    void beep() override
    {
        ++beeps;
        real_->beep();
    }
    int played = 0;
    int beeps = 0;

private:
    tavrik::gui::Sound *real_;
};

struct Sample {
    int second = 0;
    double rssMb = 0;
    int threads = 0;
    int files = 0;
};

Sample sample(int second)
{
    Sample s;
    s.second = second;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                s.rssMb = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
            else if (line.startsWith("Threads:"))
                s.threads = line.mid(8).trimmed().toInt();
        }
    }
    s.files = int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexo"));
    QApplication::setQuitOnLastWindowClosed(false);
    int seconds = 3600;
    int pace = 20;
    QString appDir = QCoreApplication::applicationDirPath();
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--seconds"))
            seconds = args[i + 1].toInt();
        else if (args[i] == QStringLiteral("--pace"))
            pace = args[i + 1].toInt();
        else if (args[i] == QStringLiteral("--app"))
            appDir = args[i + 1];
    }
    const QString beep = QDir(appDir).filePath(QStringLiteral("Beep.wav"));
    std::printf("platform %s, Beep.wav %s, %d ticks of Timer2 every %d ms\n", qPrintable(QGuiApplication::platformName()),
                QFileInfo(beep).isFile() ? "present" : "missing", seconds, pace);

    QTemporaryDir settings;
    tavrik::core::IniSettingsStore store(settings.path());
    BenchClock clock;
    BenchDialogs dialogs;
    CountingSound sound(tavrik::gui::services().sound);
    tavrik::gui::Services s;
    s.clock = &clock;
    s.store = &store;
    s.dialogs = &dialogs;
    s.sound = &sound;
    s.appDir = appDir;
    s.userDir = settings.path();
    tavrik::gui::ScopedServices scope(s);

    vexo::FrmSec w;
    w.Form_Load();
    w.mMode2_Click(2);
    w.Start();
    clock.advance(1.5);
    w.Timer1_Timer();
    if (!w.stopwatch().AlarmFired()) {
        std::fprintf(stderr, "the countdown did not fire\n");
        return 1;
    }

    std::vector<Sample> samples{sample(0)};
    std::vector<qint64> tickNs;
    tickNs.reserve(size_t(seconds));
    int done = 0;
    int ownTicks = -sound.beeps; // Timer2's own ticks, beside the bench's
    QElapsedTimer real;
    real.start();
    QTimer pacer;
    pacer.setTimerType(Qt::PreciseTimer);
    pacer.setInterval(pace);
    QObject::connect(&pacer, &QTimer::timeout, [&] {
        clock.advance(1);
        QElapsedTimer t;
        t.start();
        w.Timer2_Timer();
        tickNs.push_back(t.nsecsElapsed());
        ++done;
        if (done % 60 == 0)
            samples.push_back(sample(done));
        if (done >= seconds) {
            pacer.stop();
            QCoreApplication::exit(0);
        }
    });
    pacer.start();
    QApplication::exec();
    const double realSeconds = real.elapsed() / 1000.0;
    ownTicks += sound.beeps - done;

    std::printf("%8s %9s %8s %11s\n", "second", "RSS (MB)", "threads", "open files");
    for (const Sample &x : samples)
        if (x.second % 600 == 0 || x.second == 60 || &x == &samples.back())
            std::printf("%8d %9.1f %8d %11d\n", x.second, x.rssMb, x.threads, x.files);
    const auto byRss = [](const Sample &a, const Sample &b) { return a.rssMb < b.rssMb; };
    const auto byThreads = [](const Sample &a, const Sample &b) { return a.threads < b.threads; };
    const Sample &warm = samples.size() > 1 ? samples[1] : samples[0];
    std::printf("RSS %.1f MB after the first minute, %.1f MB at the end (max %.1f); threads %d, %d (max %d); "
                "open files %d, %d\n",
                warm.rssMb, samples.back().rssMb, std::max_element(samples.begin(), samples.end(), byRss)->rssMb,
                warm.threads, samples.back().threads,
                std::max_element(samples.begin(), samples.end(), byThreads)->threads, warm.files, samples.back().files);
    std::sort(tickNs.begin(), tickNs.end());
    if (!tickNs.empty())
        std::printf("Timer2 tick (date line, play, beep): median %.0f us, 99th percentile %.0f us, max %.0f us\n",
                    tickNs[tickNs.size() / 2] / 1000.0, tickNs[tickNs.size() * 99 / 100] / 1000.0,
                    tickNs.back() / 1000.0);
    std::printf("%d simulated seconds in %.1f s; played %d, beeped %d (%d by Timer2's own timer); boxes %d\n", done,
                realSeconds, sound.played, sound.beeps, ownTicks, dialogs.boxes);
    std::fflush(stdout);
    return dialogs.boxes == 0 ? 0 : 2;
}
