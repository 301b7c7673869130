// The number texts: the leading-number reader and the whole-text parsers of stored
// values. A number written by the program reads back as the same number.
#include "bench/fuzz/fuzzinput.h"
#include "shared/core/numtext.h"

#include <cmath>
#include <cstring>

using namespace tavrik::core;
using tavrik::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double lead = leadingNumber(text);
    roundToIntegral<short>(lead, -32768, 32767);
    roundToIntegral<int>(lead, -2147483647 - 1, 2147483647);
    for (int decimals = 0; decimals < 6; ++decimals)
        formatFixed(lead, decimals);
    parseBool(text);
    if (const auto r = parseRounded(text, -32768, 32767))
        check(*r >= -32768 && *r <= 32767, "a rounded number within its range");

    if (const auto f = parseFloat(text)) {
        check(std::isfinite(*f), "a stored float is finite");
        const auto back = parseFloat(shortestText(*f));
        check(back && std::memcmp(&*back, &*f, sizeof(float)) == 0, "shortest float text reads back");
    }
    if (const auto d = parseDouble(text)) {
        check(std::isfinite(*d), "a stored double is finite");
        const auto back = parseDouble(shortestText(*d));
        check(back && *back == *d, "shortest double text reads back");
    }
    if (const auto i = parseInt32(text))
        check(parseInt32(QString::number(*i)) == *i, "an integer reads back");
    if (std::isfinite(lead))
        check(leadingNumber(shortestText(lead)) == lead, "a leading number written reads back");
    return 0;
}
