#pragma once

#include "platform/sound/sound_player.h"

#include <cstdint>
#include <optional>

namespace ovant {

// Plays wave files through SDL's audio queue. The device is opened on the first
// sound and kept open; SDL's device thread does the playing, so playAsync only
// converts the file and queues it. Without any working audio driver the player
// stays silent and both calls return at once.
//
// A file that is missing or not a playable wave plays nothing and leaves the
// sound that is playing alone.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer() = default;
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playAsync(const QString& path) override;
    void playSync(const QString& path) override;

private:
    bool ensureDevice();
    bool openDevice();
    // Replaces whatever is queued with the file's sound and gives its length in
    // milliseconds; no value if the file cannot be played, the queue untouched.
    std::optional<int> replaceQueued(const QString& path);

    std::uint32_t m_device = 0;  // SDL_AudioDeviceID; 0 while none is open
    int m_bufferMs = 0;          // how long the device's own buffer plays
    bool m_audioInitialised = false;
    bool m_triedToOpen = false;
};

}  // namespace ovant
