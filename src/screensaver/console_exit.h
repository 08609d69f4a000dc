#pragma once

#include <functional>

namespace ovant {

class Pacer;
class SoundEffects;
struct ConsoleState;

// Leaving the console: the leaving sound to its end, the pointer shown again,
// and the process ends at once. Nothing is saved on the way out, and no paused
// sequence may carry on afterwards, not even when a test keeps the process.
class ConsoleExit {
public:
    ConsoleExit(SoundEffects& sounds, Pacer& pacer, std::function<void()> endProcess);

    void exitConsole();
    // The window closes: the same end, without the sound.
    void windowClosed();

private:
    SoundEffects& sounds_;
    Pacer& pacer_;
    std::function<void()> endProcess_;
};

// Whether a command ends the console instead of running. In screen-saver mode
// the commands that would open a window over the screen saver, switch sound
// on or rewrite the interactive console's stored options (Info, Auto Scan,
// Scan Ships) end it; the caller then exits and stores nothing. Presses and
// moves of the pointer follow the ExitRule.
bool commandEndsScreenSaver(const ConsoleState& state);

}  // namespace ovant
