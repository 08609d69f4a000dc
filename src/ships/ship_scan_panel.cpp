#include "ships/ship_scan_panel.h"

namespace ovant {

ShipScanPanel::ShipScanPanel(const ShipElements& ships, Element* picNum)
    : picShipScan_(ships.picShipScan), picNum_(picNum) {}

void ShipScanPanel::hideShipScan() {
    if (picShipScan_->visible()) {
        picShipScan_->hide();
        picNum_->show();
    }
}

}  // namespace ovant
