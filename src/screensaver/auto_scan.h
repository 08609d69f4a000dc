#pragma once

#include <functional>

class QTimer;

namespace ovant {

class ConsoleOps;
class Element;
class RandomSource;
class SettingsStore;
class SoundEffects;
struct ConsoleState;

namespace autoscan {

// A step may start a scan only while the scanner is free: no ship is being
// scanned, no zoom view is open, no panel builds and the scanner stands still.
bool mayRun(const ConsoleState& state, bool zoomViewOpen);
// Another object than the active one, 1 to 5. A source that keeps drawing the
// active object cannot hang the console: after many equal draws the next
// object in turn is taken.
int pickObject(int activeStar, RandomSource& random);
// The timer's next interval, 10000 to 50000 ms, drawn after every step.
int nextIntervalMs(RandomSource& random);

}  // namespace autoscan

// The console scanning by itself: the tick of tmrScrSavScan, the S key that
// runs one step at once, and the "Auto Scan" switch that starts and stops
// the timer and stores its state.
class AutoScan {
public:
    AutoScan(ConsoleState& state, RandomSource& random, SoundEffects& sounds, ConsoleOps& ops,
             QTimer& timer);

    void step();
    // The switch: caption "* Auto Scan" when on, stored as "Options"/"AutoScan".
    void toggle(Element& caption, SettingsStore& settings);

private:
    ConsoleState& state_;
    RandomSource& random_;
    SoundEffects& sounds_;
    ConsoleOps& ops_;
    QTimer& timer_;
};

}  // namespace ovant
