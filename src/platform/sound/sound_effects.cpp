#include "platform/sound/sound_effects.h"

#include "platform/regular_file.h"

#include <utility>

namespace ovant {
namespace {

// Only a regular file counts, checked without blocking, so that a FIFO or
// a device named like a sound is silent instead of holding the console.
bool canOpen(const QString& path) {
    return canOpenRegularFile(path);
}

}  // namespace

SoundEffects::SoundEffects(SoundPlayer& player, QString soundFolder)
    : m_player(player), m_folder(std::move(soundFolder)) {}

bool SoundEffects::soundOn() const {
    return m_soundOn;
}

void SoundEffects::setSoundOn(bool on) {
    m_soundOn = on;
}

QString SoundEffects::pathOf(const QString& fileName) const {
    return m_folder + QLatin1Char('/') + fileName;
}

void SoundEffects::playSound(const QString& fileName) {
    const QString path = pathOf(fileName);
    if (canOpen(path))
        m_player.playAsync(path);
}

void SoundEffects::playSound2() {
    if (m_soundOn)
        playBlocking(QStringLiteral("2.wav"));
}

void SoundEffects::playSound9() {
    playBlocking(QStringLiteral("9.wav"));
}

void SoundEffects::playSound10() {
    if (m_soundOn)
        playSound(QStringLiteral("10.wav"));
}

void SoundEffects::setBeforeBlocking(std::function<void()> hook) {
    m_beforeBlocking = std::move(hook);
}

void SoundEffects::playBlocking(const QString& fileName) {
    const QString path = pathOf(fileName);
    if (!canOpen(path))
        return;
    if (m_beforeBlocking)
        m_beforeBlocking();
    m_player.playSync(path);
}

}  // namespace ovant
