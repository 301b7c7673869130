// Writes a state for Vexo3 into a settings folder through the program's own store
// code, so that the benchmarks start it in a known state:
//
//   seed_state <settings folder> [--running SECONDS] [--speed N] [--big]
//              [--counts MAIN BIG] [--seg-height H] [--ontop 0|1]
//
// --running: a stopwatch started that many seconds ago and still running; --big: the
// big window shown. Without --running the state is the first run's.
#include "shared/core/clock.h"
#include "shared/core/settingsstore.h"
#include "vexo3/engine/persistence.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("settings folder"));
    const QCommandLineOption running(QStringLiteral("running"), QStringLiteral("started seconds ago"), QStringLiteral("s"));
    const QCommandLineOption speed(QStringLiteral("speed"), QStringLiteral("precision index"), QStringLiteral("n"), QStringLiteral("2"));
    const QCommandLineOption big(QStringLiteral("big"), QStringLiteral("big window shown"));
    const QCommandLineOption counts(QStringLiteral("counts"), QStringLiteral("digit cells, main,big"), QStringLiteral("m,b"), QStringLiteral("14,14"));
    const QCommandLineOption height(QStringLiteral("seg-height"), QStringLiteral("big display height"), QStringLiteral("h"), QStringLiteral("200"));
    const QCommandLineOption onTop(QStringLiteral("ontop"), QStringLiteral("always on top"), QStringLiteral("0|1"), QStringLiteral("0"));
    cli.addOptions({running, speed, big, counts, height, onTop});
    cli.addHelpOption();
    cli.process(app);
    if (cli.positionalArguments().size() != 1)
        cli.showHelp(2);

    vexo3::SavedState s;
    s.visible = {};
    for (int i : vexo3::kIdleSet)
        s.visible[size_t(i)] = true;
    if (cli.isSet(running)) {
        const double start = tavrik::core::SystemClock().now().absolute() - cli.value(running).toDouble();
        s.clock.StartDate = qint32(std::floor(start / 86400.0));
        s.clock.StartTime = float(start - double(s.clock.StartDate) * 86400.0);
        s.timerEnabled = true;
        s.visible = {};
        for (int i : vexo3::kRunningSet)
            s.visible[size_t(i)] = true;
    }
    s.enabled = s.visible;
    s.bigVisible = cli.isSet(big);
    const QStringList cells = cli.value(counts).split(u',');
    s.SegCounts1 = vexo3::segCountFromText(cells.value(0));
    s.SegCounts2 = vexo3::segCountFromText(cells.value(1));

    tavrik::core::IniSettingsStore store(cli.positionalArguments()[0]);
    const QString app3 = tavrik::core::kSettingsApp;
    // A save another process's lock holds up is written once it is free.
    const bool ok = (vexo3::saveState(store, s) || store.pending())
        && (store.saveAll(app3, vexo3::kDisplaySection,
                          {{QStringLiteral("Speed"), cli.value(speed)},
                           {QStringLiteral("SegHeight"), cli.value(height)},
                           {QStringLiteral("OnTop"), cli.value(onTop)}})
            || store.pending())
        && store.flush(10000);
    if (!ok)
        std::fprintf(stderr, "seed_state: cannot write %s\n", qPrintable(store.filePath(app3)));
    return ok ? 0 : 1;
}
