// How long a display takes to show a new reading: a SegValue write plus a full
// repaint, rendered offscreen into an image, with the built-in bitmap digits and with
// the shipped vector set (found next to the benchmark). Not a test; run it by hand.
//
//   build/bin/bench_seg

#include "controls/seg/seg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vexo3;

namespace {

struct Case {
    const char *name;
    int cells;
    QSize size;
    double targetMicros;
    const char *set = nullptr; // relative to the benchmark's folder; none: built-in
};

void run(const Case &c)
{
    Seg s;
    s.resize(c.size);
    s.setSegCount(QString::number(c.cells));
    if (c.set) {
        QString error;
        if (!s.LoadSegImageFile(QCoreApplication::applicationDirPath() + "/" + c.set, &error)) {
            std::printf("%-28s %s\n", c.name, qPrintable(error));
            return;
        }
    }
    QImage target(c.size, QImage::Format_ARGB32_Premultiplied);

    // Readings as the stopwatch tick writes them, one millisecond apart.
    constexpr int kRuns = 4000;
    std::vector<QString> values;
    values.reserve(kRuns);
    for (int i = 0; i < kRuns; ++i)
        values.push_back(QString::number(83.457 + i * 0.001, 'f', 3));

    for (int i = 0; i < 200; ++i) {
        s.setSegValue(values[size_t(i)]);
        s.render(&target);
    }

    std::vector<qint64> nanos;
    nanos.reserve(kRuns);
    QElapsedTimer clock;
    for (const QString &v : values) {
        clock.start();
        s.setSegValue(v);
        s.render(&target);
        nanos.push_back(clock.nsecsElapsed());
    }
    std::sort(nanos.begin(), nanos.end());
    const double median = nanos[nanos.size() / 2] / 1000.0;
    const double p90 = nanos[nanos.size() * 9 / 10] / 1000.0;
    std::printf("%-34s median %7.1f us   p90 %7.1f us   target < %3.0f us   %s\n", c.name, median, p90,
                c.targetMicros, median < c.targetMicros ? "ok" : "TOO SLOW");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("SegValue write + full repaint (render into a QImage), %s\n",
                qPrintable(QGuiApplication::platformName()));
    run({"14 cells, 640 x 120 px", 14, QSize(640, 120), 100});
    run({"20 cells, 1600 x 300 px", 20, QSize(1600, 300), 400});
    run({"14 cells, 640 x 120 px, svg", 14, QSize(640, 120), 100, "seg/red.svg"});
    run({"20 cells, 1600 x 300 px, svg", 20, QSize(1600, 300), 400, "seg/red.svg"});
    return 0;
}
