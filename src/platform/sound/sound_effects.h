#pragma once

#include "platform/sound/sound_player.h"

#include <QString>

#include <functional>

namespace ovant {

// The console's sound helpers and the process-wide sound switch. Each helper
// first makes sure its file can be opened; if not, it returns at once and the
// player is not called, so a missing sound neither waits nor cuts another.
class SoundEffects {
public:
    SoundEffects(SoundPlayer& player, QString soundFolder);

    bool soundOn() const;
    void setSoundOn(bool on);

    QString pathOf(const QString& fileName) const;

    // Asynchronous; callers decide whether sound is on.
    void playSound(const QString& fileName);
    // "Leaving": synchronous, only while sound is on.
    void playSound2();
    // "Arrival": synchronous and played even with sound off; the console
    // holds still while it plays.
    void playSound9();
    // "Alarm": asynchronous, only while sound is on.
    void playSound10();

    // Runs right before any synchronous sound, while the console can still
    // put its pending repaint on the screen.
    void setBeforeBlocking(std::function<void()> hook);

private:
    void playBlocking(const QString& fileName);

    SoundPlayer& m_player;
    QString m_folder;
    bool m_soundOn = false;
    std::function<void()> m_beforeBlocking;
};

}  // namespace ovant
