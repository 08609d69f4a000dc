#pragma once

#include "elements/pacing.h"
#include "scene/scene_elements.h"

namespace ovant {

class ConsoleOps;
class SectorScene;
class SoundEffects;
struct ConsoleState;

// The scanner frame's operations: flying to an object, placing it at once,
// parking it, and the click on an object's info label that starts a scan.
// Every flight takes its turn on the frame; placing or parking the frame
// takes it too, so a flight paused meanwhile stops instead of dragging the
// frame away from where it was put.
class Scanner {
public:
    Scanner(SectorElements& elements, SectorScene& scene, ConsoleState& state, Pacer& pacer,
            SoundEffects& sounds, ConsoleOps& ops);

    void infoLabelClick(int object);
    // Wipes the active object's panel and flies to `object`, which becomes
    // the active one; "1.wav" when the scanner leaves an object.
    void scanAnotherObject(int object);
    void scanStar(int object);
    void moveScanner(double x, double y, double gap);
    bool setScannerManual(double x, double y, double gap);
    void showScanner();
    // Parks the frame; false when a newer sequence took it during the wipe.
    bool setScanner();
    // "End Scan": leaves a ship the user asked to scan, or parks the scanner.
    void endScan(bool zoomViewOpen);

private:
    void hideActivePanel();
    bool placeFrame(double x, double y, double gap, const Turn& turn);
    void playIfOn(const char* file);

    SectorElements& e_;
    SectorScene& scene_;
    ConsoleState& state_;
    Pacer& pacer_;
    SoundEffects& sounds_;
    ConsoleOps& ops_;
    Lane frame_;
};

}  // namespace ovant
