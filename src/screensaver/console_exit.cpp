#include "screensaver/console_exit.h"

#include <Qt>

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

bool keyEndsScreenSaver(const ConsoleState& state, int key) {
    if (!state.scrSavMode) {
        return false;
    }
    switch (key) {
        case Qt::Key_R:
        case Qt::Key_S:
        case Qt::Key_Z:
        case Qt::Key_H:
        case Qt::Key_P:
        case Qt::Key_E:
            return false;
        default:
            return true;
    }
}

bool commandEndsScreenSaver(const ConsoleState& state) {
    return state.scrSavMode;
}

}  // namespace ovant
