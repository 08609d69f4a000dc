#pragma once

#include "ships/ship_elements.h"
#include "ships/ship_rules.h"

class QTimer;

namespace ovant {

class ConsoleOps;
class RandomSource;
class ShipScanPanel;
class SettingsStore;
class SoundEffects;
struct ConsoleState;

// The ship's clocks: the chance every 5 s, the motion (a step every 10 ms,
// taken a few at a time) and the one-shot that takes the leaving message away.
struct ShipTimers {
    QTimer* chance;
    QTimer* motion;
    QTimer* leaving;
};

// Starships crossing the sector, and the ship scan that follows one with the
// scanner and shows its side view in place of the number panel.
class ShipTraffic {
public:
    ShipTraffic(const ShipElements& ships, ShipScanPanel& panel, ConsoleState& state,
                RandomSource& random, SoundEffects& sounds, ConsoleOps& ops, ShipTimers timers);

    // Clock handlers.
    void chanceTick();
    // The motion clock's tick: `steps` steps.
    void motionTick(int steps);
    void motionStep();
    void leavingTimeout();

    void goShip();
    // The "Ship" command: from the button a refusal sound while a ship is
    // in the sector; from the key nothing.
    void shipCommand(bool fromButton);
    // A click on the ship, or on its label while the ship is shown.
    void shipClick();
    void labelClick();
    // Key H: asks for a scan of the ship in the sector.
    void requestKey();
    // The "Scan Ships" switch, stored as "Options"/"ShipScan".
    void toggleScanShips(Element& caption, SettingsStore& settings);

    ships::Point target() const { return target_; }
    ships::Heading heading() const { return heading_; }

private:
    void initShip(ships::Point start);
    QString shipName();
    bool scanWanted() const;
    bool mayFollow() const;
    void arrive();
    void sendScannerBack();
    void play(const char* file);

    const ShipElements& e_;
    ShipScanPanel& panel_;
    ConsoleState& state_;
    RandomSource& random_;
    SoundEffects& sounds_;
    ConsoleOps& ops_;
    ShipTimers timers_;
    ships::Point target_{};
    ships::Heading heading_{};
};

}  // namespace ovant
