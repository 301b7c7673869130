// The countdown answer as the user types it, then the countdown window's ticks on the
// seconds text the main window hands it.
#include "bench/fuzz/fuzzinput.h"
#include "shared/core/numtext.h"
#include "shared/core/timing.h"
#include "vexo3/windows/biglogic.h"

using tavrik::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString answer = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const tavrik::core::CountdownAnswer a = tavrik::core::countdownAnswer(answer);
    if (!a.warning.isEmpty() || a.seconds == 0)
        return 0;
    const double seconds = a.seconds;
    check(seconds > 0 && seconds < tavrik::core::kMaxCountdownSeconds, "an accepted countdown fits");
    const QString text = tavrik::core::shortestText(seconds);
    check(tavrik::core::leadingNumber(text) == seconds, "the seconds text reads back");

    vexo3::Countdown countdown;
    const double start = 45000.0 * 86400.0 + double(size % 86400);
    for (int tick = 0; tick < 30; ++tick) {
        const double now = start + tick * 0.05 + (tick > 25 ? seconds : 0.0);
        const vexo3::Countdown::Tick t = countdown.tick(text, now);
        check(t.first == (tick == 0), "the first tick is the first");
        if (t.text)
            check(t.text->size() <= 14, "a countdown text fits fourteen cells");
    }
    check(countdown.tick(text, start + seconds + 1).text == vexo3::kCountdownDone, "a countdown ends");
    return 0;
}
