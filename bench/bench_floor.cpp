// What any Qt Widgets program pays on this machine for a 20 ms tick, for
// bench/cpu_run.sh to show beside the programs' own rows:
//   bench_floor wake    a shown window woken every 20 ms, nothing written;
//   bench_floor label   a plain QLabel given a new reading every 20 ms.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool label = argc > 1 && std::strcmp(argv[1], "label") == 0;
    QLabel window(QStringLiteral("00:00:00.000"));
    window.setWindowTitle(QStringLiteral("bench_floor"));
    window.setMinimumSize(240, 40);
    window.show();
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!label)
            return;
        const qint64 ms = clock.elapsed();
        window.setText(QStringLiteral("%1:%2:%3.%4")
                           .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
                           .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
                           .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
                           .arg(ms % 1000, 3, 10, QLatin1Char('0')));
    });
    tick.start(20);
    return app.exec();
}
