#pragma once

#include "scene/leader_panel.h"

namespace ovant {

class ConsoleOps;
class RandomSource;

// The scan panels over the number panel: the planet panel, filled with fresh
// measurements for every scan, and the telescope station's panel.
class ScanPanels {
public:
    ScanPanels(const SceneElements& scene, Element* picNum, Lane& panelArea, ConsoleState& state,
               Pacer& pacer, SoundEffects& sounds, RandomSource& random, ConsoleOps& ops);

    // Builds the panel of `star`; the ship panel gives way to it first.
    void scanPlanet(int star);
    void hidePlanetScan();
    void hideSRTeleInfos();

    const LeaderPanel& planetPanel() const { return planet_; }
    const LeaderPanel& telescopePanel() const { return telescope_; }

private:
    LeaderPanel planet_;
    LeaderPanel telescope_;
    RandomSource& random_;
    ConsoleOps& ops_;
};

}  // namespace ovant
