#include "vexo3/seg/seglayout.h"

#include <algorithm>

namespace vexo3::seg {

int glyphForChar(QChar c)
{
    const char16_t u = c.toLower().unicode();
    if (u >= u'0' && u <= u'9')
        return int(u - u'0');
    switch (u) {
    case u'.':
    case u',': return kGlyphPoint;
    case u' ': return kGlyphBlank;
    case u'-': return kGlyphMinus;
    case u'a': return 13;
    case u'b': return 14;
    case u'c': return 15;
    case u'd': return 16;
    case u'e': return 17;
    case u'f': return 18;
    case u'g': return 19;
    case u'h': return 20;
    case u'l': return 21;
    case u':': return kGlyphColon;
    default: return kGlyphBlank;
    }
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
