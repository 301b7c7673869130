#include "shared/gui/sound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

namespace tavrik::gui {

QtSound::QtSound() = default;

QtSound::~QtSound() = default;

void QtSound::play(const QString &path)
{
    // Made on first use: most runs never sound an alarm.
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    const QUrl url = QUrl::fromLocalFile(path);
    if (effect_->source() != url)
        effect_->setSource(url);
    // A sound still playing from the last second starts again from its beginning.
    effect_->stop();
    effect_->play();
}

void QtSound::beep() { QApplication::beep(); }

} // namespace tavrik::gui
