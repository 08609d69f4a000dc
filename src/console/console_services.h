#pragma once

#include <QRect>
#include <QString>
#include <functional>

#include "platform/twips.h"

namespace ovant {

class RandomSource;
class SettingsStore;
class SoundEffects;
class PictureStore;

// How the console starts: interactive, or unattended as screen saver. The
// entry decides it once from the command line.
enum class StartMode { Normal, ScreenSaver };

// What the console needs from the outside world, handed in so that tests can
// replace each part.
struct ConsoleServices {
    RandomSource* random = nullptr;
    SettingsStore* settings = nullptr;
    SoundEffects* sounds = nullptr;
    const PictureStore* pictures = nullptr;
    std::function<void()> endProcess;  // ends the process at once; never returns in the program
    StartMode mode = StartMode::Normal;
    QString executableFolder;
    QRect screen;  // pixels
    Twips twips;
    // As screen saver inside another program's window (a screen-saver
    // daemon's): its native id, 0 for none. `screen` is then that window's
    // inner area, and the daemon owns the input.
    quintptr hostWindow = 0;
};

}  // namespace ovant
