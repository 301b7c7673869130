#pragma once

#include <QPointer>
#include <QString>

class QSoundEffect;

namespace tavrik::gui {

// Sounds: a sound file played without waiting for it, and the desktop's beep.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString &path) = 0;
    virtual void beep() = 0;
};

// Plays through Qt Multimedia; with no audio device it plays nothing, silently.
class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void play(const QString &path) override;
    void beep() override;

private:
    QPointer<QSoundEffect> effect_;
};

} // namespace tavrik::gui
