#pragma once

namespace ovant {

// The console operations that one subsystem calls on another. The console
// window implements them by handing each to the subsystem that owns it, so
// subsystems never know each other and a test can record the calls.
class ConsoleOps {
public:
    virtual ~ConsoleOps() = default;
    virtual void scanPlanet(int star) = 0;
    virtual void hidePlanetScan() = 0;
    virtual void hideSRTeleInfos() = 0;
    virtual void hideShipScan() = 0;
    virtual void initAutoZoom() = 0;
    // Leaves the active object (its panel wiped) and flies to `object`.
    virtual void scanAnotherObject(int object) = 0;
    virtual bool zoomViewOpen() const = 0;
    // The scanner frame: flown to an object, placed at once (false when a
    // newer sequence took the frame while an open panel was being wiped),
    // parked, or shown where it stands.
    virtual void scanStar(int object) = 0;
    virtual bool setScannerManual(double x, double y, double gap) = 0;
    virtual void setScanner() = 0;
    virtual void showScanner() = 0;
};

}  // namespace ovant
