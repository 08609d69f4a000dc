#include "screensaver/console_exit.h"


#include "console/console_state.h"
#include "elements/pacing.h"
#include "platform/mouse_cursor.h"
#include "platform/sound/sound_effects.h"

namespace ovant {

ConsoleExit::ConsoleExit(SoundEffects& sounds, Pacer& pacer, std::function<void()> endProcess)
    : sounds_(sounds), pacer_(pacer), endProcess_(std::move(endProcess)) {}

void ConsoleExit::exitConsole() {
    sounds_.playSound2();
    MouseCursor::show();
    pacer_.endAllTurns();
    if (endProcess_) {
        endProcess_();
    }
}

void ConsoleExit::windowClosed() {
    pacer_.endAllTurns();
    if (endProcess_) {
        endProcess_();
    }
}

bool commandEndsScreenSaver(const ConsoleState& state) {
    return state.scrSavMode;
}

}  // namespace ovant
