#pragma once

#include "ships/ship_elements.h"

namespace ovant {

// The ship scan panel in place of the number panel.
class ShipScanPanel {
public:
    ShipScanPanel(const ShipElements& ships, Element* picNum);

    // Gives the number panel back; nothing when the ship panel is hidden.
    void hideShipScan();

private:
    Element* picShipScan_;
    Element* picNum_;
};

}  // namespace ovant
