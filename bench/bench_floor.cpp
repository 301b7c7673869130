// What any Qt Widgets program pays on this machine for a 20 ms tick, for
// bench/cpu_run.sh to show beside the programs' own rows:
//   bench_floor wake    a shown window woken every 20 ms, nothing written;
//   bench_floor label   a plain QLabel given a new reading every 20 ms;
//   bench_floor big     that, and a second window repainting a 80 x 300 px digit cell
//                       every 20 ms (the size of a big display's changed digit).
// Drawn as the programs draw: without MIT-SHM.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <cstring>

namespace {

// A cell filled in the other colour at each tick.
class Cell : public QWidget {
public:
    Cell() { setAttribute(Qt::WA_OpaquePaintEvent); }
    const QRect cell{20, 10, 80, 300};
    bool lit = false;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(cell, lit ? Qt::red : Qt::darkRed); }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    const bool big = argc > 1 && std::strcmp(argv[1], "big") == 0;
    const bool label = big || (argc > 1 && std::strcmp(argv[1], "label") == 0);
    QLabel window(QStringLiteral("00:00:00.000"));
    window.setWindowTitle(QStringLiteral("bench_floor"));
    window.setMinimumSize(240, 40);
    window.show();
    Cell bigWindow;
    bigWindow.setWindowTitle(QStringLiteral("bench_floor big"));
    bigWindow.resize(120, 320);
    if (big)
        bigWindow.show();
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
        if (big) {
            bigWindow.lit = !bigWindow.lit;
            bigWindow.update(bigWindow.cell);
        }
    });
    tick.start(20);
    return app.exec();
}
