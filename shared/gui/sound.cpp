#include "shared/gui/sound.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

namespace tavrik::gui {

QtSound::QtSound() = default;

// The effect belongs to the application, which deletes it: a QSoundEffect outliving
// the application corrupts the heap in Qt Multimedia's sample cache at exit.
QtSound::~QtSound() { delete effect_.data(); }

void QtSound::play(const QString &path)
{
    // Made on first use: most runs never sound an alarm.
    if (!effect_) {
        if (!QCoreApplication::instance())
            return;
        effect_ = new QSoundEffect(QCoreApplication::instance());
    }
    const QUrl url = QUrl::fromLocalFile(path);
    if (effect_->source() != url)
        effect_->setSource(url);
    // A sound still playing from the last second starts again from its beginning.
    effect_->stop();
    effect_->play();
}

void QtSound::beep() { QApplication::beep(); }

} // namespace tavrik::gui
