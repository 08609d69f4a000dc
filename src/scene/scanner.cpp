#include "scene/scanner.h"

#include "console/console_ops.h"
#include "console/console_state.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "scene/scanner_flight.h"
#include "scene/sector_scene.h"
#include "scene/sector_table.h"

namespace ovant {

Scanner::Scanner(SectorElements& elements, SectorScene& scene, ConsoleState& state, Pacer& pacer,
                 SoundEffects& sounds, ConsoleOps& ops)
    : e_(elements),
      scene_(scene),
      state_(state),
      pacer_(pacer),
      sounds_(sounds),
      ops_(ops),
      frame_(pacer) {}

void Scanner::playIfOn(const char* file) {
    if (sounds_.soundOn()) {
        sounds_.playSound(QString::fromLatin1(file));
    }
}

void Scanner::hideActivePanel() {
    if (state_.activeStar == sector::kTelescope) {
        ops_.hideSRTeleInfos();
    } else if (state_.activeStar != 0) {
        ops_.hidePlanetScan();
    }
}

void Scanner::infoLabelClick(int object) {
    if (state_.shipInSector && state_.scanShips) {
        // Every crossing ship is being scanned: the scanner is not free.
        playIfOn("7.wav");
        return;
    }
    if (state_.scannerMoving || state_.panelBusy) {
        return;
    }
    if (state_.activeStar == object && !state_.shipScanRequested) {
        return;
    }
    state_.shipScanRequested = false;
    scanAnotherObject(object);
}

void Scanner::scanAnotherObject(int object) {
    if (state_.activeStar != 0) {
        playIfOn("1.wav");
    }
    if (state_.activeStar == sector::kTelescope) {
        ops_.hideSRTeleInfos();
    } else {
        ops_.hidePlanetScan();
    }
    state_.activeStar = static_cast<std::uint8_t>(object);
    scanStar(object);
}

void Scanner::scanStar(int object) {
    ops_.hideShipScan();
    if (object < 1 || object > sector::kObjects) {
        return;
    }
    const scanner::Frame& target = scanner::kTargets[static_cast<std::size_t>(object)];
    moveScanner(target.x, target.y, target.gap);
}

void Scanner::moveScanner(double x, double y, double gap) {
    const Turn turn = frame_.take();
    state_.scannerMoving = true;
    Element* open = e_.lblScanner[0];
    Element* close = e_.lblScanner[1];
    Element* line0 = e_.lineScan[0];
    Element* line1 = e_.lineScan[1];
    scanner::Flight flight({open->left(), open->top()}, scanner::Frame{x, y, gap});
    for (Element* e : {open, close, line0, line1}) {
        e->show();
    }
    playIfOn("8.wav");

    while (!flight.finished()) {
        // A ship scan takes the scanner over.
        if (state_.shipInSector && (state_.scanShips || state_.shipScanRequested)) {
            break;
        }
        const scanner::FlightPosition before = flight.position();
        flight.step();
        const scanner::FlightPosition now = flight.position();
        if (now.bracketLeft != before.bracketLeft) {
            open->setLeft(now.bracketLeft);
            close->setLeft(now.bracketLeft + gap);
            line0->setX1(open->left());
            line1->setX1(close->left() + scanner::kLine1Offset);
        }
        if (now.bracketTop != before.bracketTop) {
            open->setTop(now.bracketTop);
            close->setTop(now.bracketTop);
            const double lineY = scanner::lineHeightFor(now.bracketTop, open->height());
            line0->setLine(line0->x1(), lineY, line0->x2(), lineY);
            line1->setLine(line1->x1(), lineY, line1->x2(), lineY);
        }
        if (!pacer_.pause(state_.aniSpeed, turn)) {
            // A newer flight or a placement took the frame while this one
            // paused; dragging it on would pull it away from its new place.
            return;
        }
    }
    if (!state_.scannerMoving) {
        // A ship that started crossing during the flight cleared the flag so
        // that it could take the scanner over. A ship nobody scans leaves the
        // scanner to this flight, which still holds the frame: it arrives as
        // usual, else the frame would stay up to a step off its object, the
        // object's panel would never come and a click on it would be refused.
        if (state_.shipInSector && (state_.scanShips || state_.shipScanRequested)) {
            return;
        }
        state_.scannerMoving = true;
        if (ops_.zoomViewOpen()) {
            // With the flag cleared a zoom view could open meanwhile; the
            // frame still ends on its object, and the view's closing builds
            // the panel.
            placeFrame(x, y, gap, turn);
            state_.scannerMoving = false;
            return;
        }
    }
    playIfOn("9.wav");
    if (!placeFrame(x, y, gap, turn)) {
        return;
    }
    if (!state_.autoZoomOn) {
        ops_.scanPlanet(state_.activeStar);
    } else {
        ops_.initAutoZoom();
    }
    state_.scannerMoving = false;
}

bool Scanner::placeFrame(double x, double y, double gap, const Turn& turn) {
    // The wipe of the panel pauses; whoever took the frame meanwhile keeps it.
    hideActivePanel();
    if (!frame_.heldBy(turn)) {
        return false;
    }
    scene_.placeScanner(x, y, gap);
    return true;
}

bool Scanner::setScannerManual(double x, double y, double gap) {
    // A flight paused meanwhile no longer owns the frame, nor its moving flag.
    const Turn turn = frame_.take();
    state_.scannerMoving = false;
    return placeFrame(x, y, gap, turn);
}

void Scanner::showScanner() {
    for (Element* e : {e_.lblScanner[0], e_.lblScanner[1], e_.lineScan[0], e_.lineScan[1]}) {
        e->show();
    }
}

bool Scanner::setScanner() {
    const Turn turn = frame_.take();
    state_.scannerMoving = false;
    ops_.hideShipScan();
    hideActivePanel();
    if (!frame_.heldBy(turn)) {
        return false;
    }
    const scanner::Frame corner =
        scanner::kParking[static_cast<std::size_t>(scene_.drawParkingCorner())];
    scene_.placeScanner(corner.x, corner.y, corner.gap);
    return true;
}

void Scanner::endScan(bool zoomViewOpen) {
    if (zoomViewOpen || state_.panelBusy || state_.scannerMoving) {
        playIfOn("7.wav");
        return;
    }
    const bool shipScanned = state_.scanShips || state_.shipScanRequested;
    if (state_.shipInSector && !state_.scanShips && state_.shipScanRequested) {
        // Back from the ship the user asked for, to the object or home.
        state_.shipScanRequested = false;
        ops_.hideShipScan();
        if (state_.activeStar != 0) {
            scanStar(state_.activeStar);
        } else {
            setScanner();
        }
        return;
    }
    if (state_.activeStar > 0 && (!state_.shipInSector || !shipScanned)) {
        playIfOn("1.wav");
        // A scan started while the panel is wiped (a ship that jumps away
        // sends the scanner back to its object) owns the scanner from then
        // on: the object stays active with the frame on it.
        if (setScanner()) {
            state_.activeStar = 0;
        }
        return;
    }
    playIfOn("7.wav");
}

}  // namespace ovant
