#include "ships/ship_traffic.h"

#include <QTimer>
#include <cmath>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "ships/ship_scan_panel.h"

namespace ovant {

namespace {
// The label travels beside the ship.
constexpr double kLabelOffset = 520;
// The scanner frames the ship: "[" 250 twips left of it, 330 above, and
// "]" 1640 twips to the right of "[".
constexpr double kFrameLeft = 250;
constexpr double kFrameTop = 330;
constexpr double kFrameGap = 1640;
// One draw in ten, while no ship is in the sector, sends one.
constexpr int kChanceDraws = 10;
constexpr int kChanceHit = 6;
}  // namespace

ShipTraffic::ShipTraffic(const ShipElements& ships, ShipScanPanel& panel, ConsoleState& state,
                         RandomSource& random, SoundEffects& sounds, ConsoleOps& ops,
                         ShipTimers timers)
    : e_(ships),
      panel_(panel),
      state_(state),
      random_(random),
      sounds_(sounds),
      ops_(ops),
      timers_(timers) {}

void ShipTraffic::play(const char* file) {
    if (sounds_.soundOn()) {
        sounds_.playSound(QString::fromLatin1(file));
    }
}

void ShipTraffic::chanceTick() {
    if (random_.draw(kChanceDraws) == kChanceHit && !state_.shipInSector) {
        goShip();
    }
}

void ShipTraffic::goShip() {
    target_ = ships::drawTarget(random_);
    initShip(ships::drawEntry(random_));
    // A flight under way gives up its arrival, so that the ship can take the
    // scanner over.
    state_.scannerMoving = false;
    timers_.motion->start();
}

void ShipTraffic::initShip(ships::Point start) {
    e_.fedShip->move(start.x, start.y);
    e_.lblShipInfo->move(start.x + kLabelOffset, start.y);
    const QString name = shipName();
    e_.lblShipInfo->setText(name + ships::activityLine(random_.draw(ships::kActivities)));
    heading_ = ships::headingFrom(start);
    e_.fedShip->show();
    e_.lblShipInfo->show();
    ops_.showScanner();
    state_.shipInSector = true;
}

QString ShipTraffic::shipName() {
    const ships::ShipClass& ship =
        ships::catalogue()[static_cast<std::size_t>(random_.draw(ships::kCatalogueSize))];
    // The panel is prepared for every ship, scanned or not.
    e_.picShipScan->setPicture(QString::fromLatin1(ship.picture));
    e_.lblShipName->setText(ships::panelCaption(ship));
    return ships::infoLines(ship);
}

bool ShipTraffic::scanWanted() const {
    return state_.scanShips || state_.shipScanRequested;
}

bool ShipTraffic::mayFollow() const {
    return scanWanted() && !ops_.zoomViewOpen() && !state_.panelBusy;
}

void ShipTraffic::motionTick(int steps) {
    // A step after the jump only stops the clock again.
    for (int i = 0; i < steps; ++i) {
        motionStep();
    }
}

void ShipTraffic::motionStep() {
    if (!state_.shipInSector) {
        timers_.motion->stop();
        return;
    }
    const ships::Point now{static_cast<int>(std::lround(e_.fedShip->left())),
                           static_cast<int>(std::lround(e_.fedShip->top()))};
    const ships::Step s = ships::step(now, target_, heading_);
    if (!s.xDone) {
        e_.fedShip->setLeft(s.position.x);
        e_.lblShipInfo->setLeft(s.position.x + kLabelOffset);
    }
    if (!s.yDone) {
        e_.fedShip->setTop(s.position.y);
        e_.lblShipInfo->setTop(s.position.y);
    }
    if (mayFollow()) {
        // Placing the frame may wipe an open panel first, and whatever runs
        // during that wipe may take the scanner back; then the panel stays.
        const bool placed =
            ops_.setScannerManual(s.position.x - kFrameLeft, s.position.y - kFrameTop, kFrameGap);
        if (placed && state_.shipInSector && mayFollow()) {
            panel_.showShipScan();
        }
    }
    if (s.arrived()) {
        arrive();
    }
}

void ShipTraffic::arrive() {
    e_.fedShip->hide();
    timers_.motion->stop();
    const ships::Leaving leaving = ships::drawLeaving(random_);
    e_.lblShipInfo->setText(
        ships::leavingMessage(leaving.warp, leaving.course, leaving.courseTenth));
    state_.shipInSector = false;
    const bool scanned = scanWanted();
    // The request was for this ship. Dropped only after the way back, it
    // would still stand for a ship sent during that flight, which then gives
    // the scanner up halfway for a ship that nobody scans.
    state_.shipScanRequested = false;
    if (!ops_.zoomViewOpen() && scanned) {
        panel_.hideShipScan();
        sendScannerBack();
    }
    timers_.leaving->start();
}

void ShipTraffic::sendScannerBack() {
    if (state_.activeStar != 0) {
        ops_.scanStar(state_.activeStar);
    } else {
        ops_.setScanner();
    }
}

void ShipTraffic::leavingTimeout() {
    if (!state_.shipInSector) {
        e_.lblShipInfo->hide();
    }
    timers_.leaving->stop();
}

void ShipTraffic::shipCommand(bool fromButton) {
    if (!state_.shipInSector) {
        play("1.wav");
        goShip();
    } else if (fromButton) {
        play("7.wav");
    }
}

void ShipTraffic::shipClick() {
    if (!state_.scanShips && !state_.shipScanRequested) {
        play("1.wav");
        state_.shipScanRequested = true;
    } else {
        play("7.wav");
    }
}

void ShipTraffic::labelClick() {
    // The leaving message is not the ship.
    if (e_.fedShip->visible()) {
        shipClick();
    }
}

void ShipTraffic::requestKey() {
    if (state_.shipInSector && !state_.scanShips && !state_.shipScanRequested) {
        play("1.wav");
        state_.shipScanRequested = true;
    }
}

void ShipTraffic::toggleScanShips(Element& caption, SettingsStore& settings) {
    if (!state_.scanShips) {
        play("1.wav");
        state_.scanShips = true;
        caption.setText(QStringLiteral("* Scan Ships"));
        settings.saveSwitch(settings::kShipScan, true);
        return;
    }
    if (!state_.shipInSector) {
        play("1.wav");
    }
    state_.scanShips = false;
    caption.setText(QStringLiteral("Scan Ships"));
    settings.saveSwitch(settings::kShipScan, false);
    if (state_.shipInSector && !ops_.zoomViewOpen()) {
        sendScannerBack();
    }
}

}  // namespace ovant
