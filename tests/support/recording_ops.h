#pragma once

#include <QStringList>
#include <functional>

#include "console/console_ops.h"

namespace ovant::testing {

// Stands in for the console window between subsystems: writes down every
// operation asked of it, in order, and answers the questions as a test sets.
class RecordingOps final : public ConsoleOps {
public:
    QStringList calls;
    bool zoomed = false;      // what zoomViewOpen() answers
    bool framePlaced = true;  // what setScannerManual() answers
    std::function<void(int)> onScanPlanet;
    std::function<void()> onHideShipScan;

    void scanPlanet(int star) override {
        calls << QStringLiteral("scanPlanet %1").arg(star);
        if (onScanPlanet) {
            onScanPlanet(star);
        }
    }
    void hidePlanetScan() override { calls << QStringLiteral("hidePlanetScan"); }
    void hideSRTeleInfos() override { calls << QStringLiteral("hideSRTeleInfos"); }
    void hideShipScan() override {
        calls << QStringLiteral("hideShipScan");
        if (onHideShipScan) {
            onHideShipScan();
        }
    }
    void initAutoZoom() override { calls << QStringLiteral("initAutoZoom"); }
    void scanAnotherObject(int object) override {
        calls << QStringLiteral("scanAnotherObject %1").arg(object);
    }
    bool zoomViewOpen() const override { return zoomed; }
    void scanStar(int object) override { calls << QStringLiteral("scanStar %1").arg(object); }
    bool setScannerManual(double x, double y, double gap) override {
        calls << QStringLiteral("frame %1,%2 %3").arg(x).arg(y).arg(gap);
        return framePlaced;
    }
    void setScanner() override { calls << QStringLiteral("setScanner"); }
    void showScanner() override { calls << QStringLiteral("showScanner"); }
};

}  // namespace ovant::testing
