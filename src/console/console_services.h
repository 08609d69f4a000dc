#pragma once

#include <QRect>
#include <QString>
#include <functional>

#include "app/twips.h"

namespace ovant {

class RandomSource;
class SettingsStore;
class SoundEffects;
class PictureStore;

// What the console needs from the outside world, handed in so that tests can
// replace each part.
struct ConsoleServices {
    RandomSource* random = nullptr;
    SettingsStore* settings = nullptr;
    SoundEffects* sounds = nullptr;
    const PictureStore* pictures = nullptr;
    std::function<void()> endProcess;  // ends the process at once; never returns in the program
    QString commandLine;               // the arguments as one text
    QString executableFolder;
    QRect screen;  // pixels
    Twips twips;
};

}  // namespace ovant
