#include "screensaver/saver_start.h"

#include "console/console_state.h"
#include "platform/settings_keys.h"

namespace ovant::saverstart {

void applyAutoZoom(SwitchValue autoZoom, SwitchValue autoZoomRnd, ConsoleState& state) {
    // Three separate tests, as the settings window writes them.
    if (autoZoom == SwitchValue::On && autoZoomRnd == SwitchValue::Off) {
        state.autoZoomOn = true;
        state.autoZoomRndOn = false;
    }
    if (autoZoom == SwitchValue::On && autoZoomRnd == SwitchValue::On) {
        state.autoZoomOn = true;
        state.autoZoomRndOn = true;
    }
    if (autoZoom == SwitchValue::Off) {
        state.autoZoomOn = false;
        state.autoZoomRndOn = false;
    }
}

void readAutoZoom(const SettingsStore& settings, ConsoleState& state) {
    applyAutoZoom(settings.getSwitch(settings::kScrAutoZoom),
                  settings.getSwitch(settings::kScrAutoZoomRnd), state);
}

}  // namespace ovant::saverstart
