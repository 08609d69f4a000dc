#include "screensaver/auto_scan.h"

#include <QTimer>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/timings.h"
#include "elements/element.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"

namespace ovant {

namespace autoscan {

namespace {
constexpr int kObjects = 5;
// Far more equal draws in a row than a uniform source ever gives (0.2^64).
constexpr int kMaxRedraws = 64;
}  // namespace

bool mayRun(const ConsoleState& state, bool zoomViewOpen) {
    const bool shipScanned = state.shipInSector && (state.shipScanRequested || state.scanShips);
    return !shipScanned && !zoomViewOpen && !state.panelBusy && !state.scannerMoving;
}

int pickObject(int activeStar, RandomSource& random) {
    int n = random.draw(kObjects);
    for (int redraws = 0; n == activeStar; ++redraws) {
        if (redraws == kMaxRedraws) {
            return activeStar % kObjects + 1;
        }
        n = random.draw(kObjects);
    }
    return n;
}

int nextIntervalMs(RandomSource& random) {
    return random.between(timing::kAutoScanNext.minMs, timing::kAutoScanNext.maxMs);
}

}  // namespace autoscan

AutoScan::AutoScan(ConsoleState& state, RandomSource& random, SoundEffects& sounds, ConsoleOps& ops,
                   QTimer& timer)
    : state_(state), random_(random), sounds_(sounds), ops_(ops), timer_(timer) {}

void AutoScan::step() {
    if (autoscan::mayRun(state_, ops_.zoomViewOpen())) {
        ops_.scanAnotherObject(autoscan::pickObject(state_.activeStar, random_));
    }
    // The scan above may pause; the next interval is drawn when it is done.
    timer_.setInterval(autoscan::nextIntervalMs(random_));
}

void AutoScan::toggle(Element& caption, SettingsStore& settings) {
    if (sounds_.soundOn()) {
        sounds_.playSound(QStringLiteral("1.wav"));
    }
    const bool on = !timer_.isActive();
    if (on) {
        timer_.start();
    } else {
        timer_.stop();
    }
    caption.setText(on ? QStringLiteral("* Auto Scan") : QStringLiteral("Auto Scan"));
    settings.saveSwitch(settings::kAutoScan, on);
}

}  // namespace ovant
