#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The pictures of the older program's XP-style controls: the button's look strip and
// the window frame's two skin sets with its default icon.
namespace xp {

struct NamedImage {
    QString path; // relative to the resources folder
    QImage image;
};

// Every picture, as it is to be written.
QList<NamedImage> pictures();

} // namespace xp
