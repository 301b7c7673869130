#pragma once

#include "tools/images/digitglyphs.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace images {

// A digit image set as an SVG document: the 2 x 12 cells of every digit picture on a
// 15 x 27 unit grid each, black behind, drawn with the glyphs of digitglyphs.h.
// `cellSize` is the size in pixels it declares for one cell (what viewers show); the
// program draws it at whatever size its cells take.
QByteArray digitSetSvg(const QString &title, const DigitStyle &style, const QSize &cellSize);

// Writes it, and says so; false when the file cannot be written.
bool saveDigitSetSvg(const QString &path, const QString &title, const DigitStyle &style, const QSize &cellSize);

} // namespace images
