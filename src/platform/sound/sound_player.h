#pragma once

#include <QString>

namespace ovant {

// How the console's sounds reach the speakers.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Returns at once; a new sound replaces the one playing.
    virtual void playAsync(const QString& path) = 0;
    // Returns when the sound has finished; processes no events meanwhile.
    virtual void playSync(const QString& path) = 0;
};

}  // namespace ovant
