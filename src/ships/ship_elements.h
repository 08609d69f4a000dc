#pragma once

#include "elements/element_tree.h"

namespace ovant {

// The crossing ship, its travelling label and the ship scan panel.
struct ShipElements {
    Element* fedShip = nullptr;
    Element* lblShipInfo = nullptr;
    Element* picShipScan = nullptr;
    Element* lblShipName = nullptr;
};

ShipElements buildShips(ElementTree& tree, Element* starsScan, Element* picMain);

}  // namespace ovant
