#pragma once

#include "ships/ship_elements.h"

namespace ovant {

class SoundEffects;

// The ship scan panel in place of the number panel. Neither operation
// pauses, so a motion step may call them on every tick.
class ShipScanPanel {
public:
    ShipScanPanel(const ShipElements& ships, Element* picNum, SoundEffects& sounds);

    // Shows the ship's side view with "4.wav"; nothing when it is shown.
    void showShipScan();
    // Gives the number panel back; nothing when the ship panel is hidden.
    void hideShipScan();

private:
    Element* picShipScan_;
    Element* picNum_;
    SoundEffects& sounds_;
};

}  // namespace ovant
