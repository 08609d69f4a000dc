#include "ships/ship_scan_panel.h"

#include "platform/sound/sound_effects.h"

namespace ovant {

ShipScanPanel::ShipScanPanel(const ShipElements& ships, Element* picNum, SoundEffects& sounds)
    : picShipScan_(ships.picShipScan), picNum_(picNum), sounds_(sounds) {}

void ShipScanPanel::showShipScan() {
    if (picShipScan_->visible()) {
        return;
    }
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("4.wav"));
    }
    picNum_->hide();
    picShipScan_->show();
}

void ShipScanPanel::hideShipScan() {
    if (picShipScan_->visible()) {
        picShipScan_->hide();
        picNum_->show();
    }
}

}  // namespace ovant
