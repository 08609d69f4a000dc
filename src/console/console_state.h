#pragma once

#include <cstdint>

namespace ovant {

// The flags and numbers that the console's handlers share. Each field has one
// owner that writes it; everyone else only reads it.
struct ConsoleState {
    std::uint8_t activeStar = 0;  // sector object the scanner is assigned to, 0 = none
    bool scannerMoving = false;
    bool panelBusy = false;
    bool shipInSector = false;
    bool scanShips = false;
    bool shipScanRequested = false;
    bool autoZoomOn = false;
    bool autoZoomRndOn = false;
    bool redAlertActive = false;
    bool scrSavMode = false;
    double aniSpeed = 0.005;        // seconds per animation step
    std::uint8_t aniSpeedStep = 3;  // stored with the options; no pause uses it
};

}  // namespace ovant
