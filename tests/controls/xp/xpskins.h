#pragma once

// The XP controls' built-in pictures, as the tests read them.

#include <QColor>
#include <QImage>
#include <QString>

// Pixels of this colour in a skin are see-through.
inline const QRgb kKey = qRgb(255, 0, 255);

inline QImage skin(const QString &name) { return QImage(QStringLiteral(":/tavrik/xp/") + name + QStringLiteral(".png")); }
