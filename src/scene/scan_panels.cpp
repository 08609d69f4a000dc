#include "scene/scan_panels.h"

#include "console/console_ops.h"
#include "scene/planet_texts.h"
#include "scene/sector_table.h"

namespace ovant {

ScanPanels::ScanPanels(const SceneElements& scene, Element* picNum, Lane& panelArea,
                       ConsoleState& state, Pacer& pacer, SoundEffects& sounds,
                       RandomSource& random, ConsoleOps& ops)
    : planet_(scene.planetPanel, picNum, panelArea, state, pacer, sounds),
      telescope_(scene.telescopePanel, picNum, panelArea, state, pacer, sounds),
      random_(random),
      ops_(ops) {}

void ScanPanels::scanPlanet(int star) {
    ops_.hideShipScan();
    // The two panels share one place. A wipe of the other one that a newer
    // sequence cut short, or a panel rebuilt while the scanner flew on,
    // may still stand there; it goes at once.
    if (star == sector::kTelescope) {
        if (planet_.layout().panel->visible()) {
            planet_.clear();
        }
        telescope_.show();
        return;
    }
    const auto texts = planet::panelTexts(star, random_);
    if (!texts) {
        return;
    }
    const LeaderPanelLayout& panel = planet_.layout();
    panel.title->setText(texts->name);
    for (int i = 1; i <= 5; ++i) {
        panel.label[i]->setText(texts->label[static_cast<std::size_t>(i)]);
    }
    if (telescope_.layout().panel->visible()) {
        telescope_.clear();
    }
    planet_.show();
}

void ScanPanels::hidePlanetScan() {
    planet_.hide();
}

void ScanPanels::hideSRTeleInfos() {
    telescope_.hide();
}

}  // namespace ovant
