#pragma once

#include "platform/sound/sound_player.h"

#include <QTimer>

#include <cstdint>
#include <optional>

namespace ovant {

struct SdlFunctions;

// Plays wave files through SDL's audio queue. The device is opened for a sound
// and closed again once nothing has played for a while: while it is open,
// SDL's device thread wakes for every buffer, silence included, and the
// console plays a sound only now and then. SDL's device thread does the
// playing, so playAsync only converts the file and queues it. Without any
// working audio driver the player stays silent and both calls return at once.
//
// A file that is missing or not a playable wave plays nothing and leaves the
// sound that is playing alone.
//
// SDL itself is opened by the first sound that really plays: a console whose
// sound is off never maps it. Without the library the player stays silent as
// without a driver.
class SdlSoundPlayer final : public SoundPlayer {
public:
    // How long the device stays open after the last sound has played.
    static constexpr int kQuietCloseMs = 3000;

    // The device closes `quietCloseMs` after the last sound has played, when
    // the thread that plays runs an event loop (the console's does).
    explicit SdlSoundPlayer(int quietCloseMs = kQuietCloseMs);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playAsync(const QString& path) override;
    void playSync(const QString& path) override;

    bool deviceOpen() const { return m_device != 0; }

private:
    // Opens SDL on the first call; false, after one warning, without it.
    bool loadLibrary();
    bool ensureDevice();
    bool startAudio();
    bool openDevice();
    void closeDevice();
    // Closes the device if it has nothing left to play, else looks again later.
    void closeWhenQuiet();
    // Replaces whatever is queued with the file's sound and gives its length in
    // milliseconds; no value if the file cannot be played, the queue untouched.
    std::optional<int> replaceQueued(const QString& path);

    const SdlFunctions* m_sdl = nullptr;  // null until the first sound plays
    bool m_triedToLoad = false;
    std::uint32_t m_device = 0;  // SDL_AudioDeviceID; 0 while none is open
    int m_bufferMs = 0;          // how long the device's own buffer plays
    bool m_audioInitialised = false;
    bool m_triedToOpen = false;
    int m_quietCloseMs;
    QTimer m_quiet;
};

}  // namespace ovant
