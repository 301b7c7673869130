#include "controls/seg/seglayout.h"

#include <algorithm>

namespace vexo3::seg {

int glyphForChar(QChar c)
{
    const char16_t u = c.toLower().unicode();
    if (u == u',')
        return kGlyphPoint;
    for (int g = 0; g < kGlyphCount && u < 0x80; ++g)
        if (kGlyphChars[g] == char(u))
            return g;
    return kGlyphBlank;
}

std::array<int, kCellSlots> glyphsFor(const QString &value, int count)
{
    std::array<int, kCellSlots> out;
    out.fill(kGlyphBlank);
    count = clampCount(count);
    const qsizetype skip = value.size() - count; // > 0: characters lost on the left
    for (int p = 0; p < count; ++p) {
        const qsizetype i = skip + p;
        if (i >= 0)
            out[size_t(p)] = glyphForChar(value.at(i));
    }
    return out;
}

int clampCount(int count) { return std::clamp(count, kMinCells, kMaxCells); }

std::array<QRectF, kCellSlots> cellRects(float widthTwips, float heightTwips, int count)
{
    std::array<QRectF, kCellSlots> out{};
    count = clampCount(count);
    const float w = widthTwips / float(count);
    float left = 1.0f;
    float width = w + kFirstCellExtra;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            left = left + width - kCellOverlap;
            width = w;
        }
        out[size_t(i)] = QRectF(left, kCellTop, width, heightTwips);
    }
    return out;
}

} // namespace vexo3::seg
