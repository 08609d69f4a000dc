#include "console/key_commands.h"

namespace ovant {

namespace {

// The letters both modes keep as commands.
KeyCommand letterCommand(int key) {
    switch (key) {
        case Qt::Key_R:
            return KeyCommand::RedAlert;
        case Qt::Key_S:
            return KeyCommand::AutoScanStep;
        case Qt::Key_Z:
            return KeyCommand::Zoom;
        case Qt::Key_H:
            return KeyCommand::ShipScanRequest;
        case Qt::Key_P:
            return KeyCommand::Ship;
        case Qt::Key_E:
            return KeyCommand::EndScan;
        default:
            return KeyCommand::None;
    }
}

// Only the modifiers a user holds count; the keypad flag says where a key
// sits, not what the user pressed with it.
Qt::KeyboardModifiers heldModifiers(Qt::KeyboardModifiers modifiers) {
    return modifiers &
           (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

}  // namespace

KeyCommand keyCommand(bool screenSaver, const KeyPress& press) {
    const KeyCommand letter = letterCommand(press.key);
    if (screenSaver) {
        // Every other key ends the screen saver, modifiers and F1 included,
        // also when the key repeats because it is held.
        return letter == KeyCommand::None ? KeyCommand::Exit : letter;
    }
    // A held key would otherwise repeat its command: red alert would flicker
    // on and off, a zoom would be asked for again and again.
    if (press.autoRepeat) {
        return KeyCommand::None;
    }
    if (letter != KeyCommand::None) {
        return letter;
    }
    switch (press.key) {
        case Qt::Key_F1:
            return KeyCommand::Info;
        case Qt::Key_X:
            return KeyCommand::Exit;
        case Qt::Key_F4:
            // Alt and nothing else; Alt+Shift+F4 or F4 alone do nothing.
            return heldModifiers(press.modifiers) == Qt::AltModifier ? KeyCommand::Exit
                                                                     : KeyCommand::None;
        default:
            return KeyCommand::None;
    }
}

KeyCommand characterCommand(bool screenSaver, const QString& text) {
    if (screenSaver) {
        return KeyCommand::None;
    }
    return text == QStringLiteral("?") ? KeyCommand::Info : KeyCommand::None;
}

}  // namespace ovant
