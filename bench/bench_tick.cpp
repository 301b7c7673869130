// One tick's work: both readings built from the clock values, as tmrGo_Timer does it.
// Prints the median time per tick over many rounds.
#include "vexo3/engine/engine.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    using namespace vexo3;
    for (int style : {0, 1}) {
        Stopwatch sw;
        sw.msStyle = short(style);
        sw.msCount = style == 0 ? 3 : 2;
        sw.clock.StartDate = 45000;
        sw.clock.StartTime = 36000.0f;
        const int rounds = 201, perRound = 20000;
        std::vector<double> ns;
        ns.reserve(rounds);
        long long n = 0;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < perRound; ++i) {
                // 7 ms steps: every tick shows a new reading.
                const float t = float(36000.0 + double(++n % 5000000) * 0.007);
                sw.tick(tavrik::core::Now{45000, t});
            }
            ns.push_back(double(timer.nsecsElapsed()) / perRound);
        }
        std::nth_element(ns.begin(), ns.begin() + rounds / 2, ns.end());
        std::printf("tick (%s): median %.0f ns per tick; last reading %s / %s\n",
                    style == 0 ? "thousandths, 3 digits" : "sixtieths, 2 digits", ns[rounds / 2],
                    qPrintable(sw.TimerString), qPrintable(sw.TimeString));
    }
    return 0;
}
