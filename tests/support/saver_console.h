#pragma once

#include "support/console_rig.h"

namespace ovant::testing {

inline void stopClocks(MainForm& form) {
    for (QTimer* timer : form.findChildren<QTimer*>()) {
        timer->stop();
    }
}

// Replaces the rig's window by the console built for "Mode:ScrSav", not yet
// started, its clocks stopped so that only the start and the test change it.
inline void rebuildAsScreenSaver(ConsoleRig& rig, StartupReporter* reporter = nullptr) {
    ConsoleServices s;
    s.random = &rig.random;
    s.settings = &rig.settings;
    s.sounds = &rig.sounds;
    s.pictures = &rig.pictures;
    s.endProcess = [&rig] { ++rig.ended; };
    s.mode = StartMode::ScreenSaver;
    s.executableFolder = QStringLiteral("/opt/ovant");
    s.screen = QRect(0, 0, 1024, 768);
    rig.form = std::make_unique<MainForm>(s, reporter);
    stopClocks(*rig.form);
}

}  // namespace ovant::testing
