#pragma once

#include <array>

#include "platform/settings_store.h"

namespace ovant {

struct ConsoleState;

namespace saverstart {

// The captions that show a fresh number instead of a command word while the
// console runs as screen saver, in the order they are drawn.
inline constexpr std::array<int, 11> kNumberCaptions{0, 8, 9, 10, 11, 12, 13, 14, 16, 15, 17};

// The automatic zoom of the screen saver from its two stored switches: zoom
// on with random closing off, both on, or zoom off (which clears both). Any
// other pair, a value that is neither 0 nor 1 included, leaves both flags as
// they were.
void applyAutoZoom(SwitchValue autoZoom, SwitchValue autoZoomRnd, ConsoleState& state);
void readAutoZoom(const SettingsStore& settings, ConsoleState& state);

}  // namespace saverstart

}  // namespace ovant
