#pragma once

#include <QString>
#include <Qt>

namespace ovant {

// What a key or a typed character asks of the console. One table serves both
// modes: the interactive console knows a few letters and function keys, the
// screen saver keeps six letters as commands and ends on every other key.
enum class KeyCommand {
    None,
    Info,
    RedAlert,
    AutoScanStep,
    Zoom,
    ShipScanRequest,
    Ship,
    EndScan,
    Exit,
};

struct KeyPress {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    bool autoRepeat = false;
};

KeyCommand keyCommand(bool screenSaver, const KeyPress& press);

// The character handler: in the interactive console "?" opens the info
// window (whatever keys produced it); the screen saver ignores characters.
KeyCommand characterCommand(bool screenSaver, const QString& text);

}  // namespace ovant
