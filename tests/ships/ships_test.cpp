#include <QtTest>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "ships/ship_rules.h"
#include "ships/ship_scan_panel.h"
#include "ships/ship_traffic.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using namespace ovant::ships;
using ovant::testing::RecordingOps;
using ovant::testing::ScriptedRandom;

namespace {

const QString kCr(QChar(13));
QString lines(QString text) {
    return text.replace(QLatin1Char('|'), QChar(13));
}

// A ship from the left edge, (-1000, 2000), heading right and up towards
// (40, 1990): 208 steps across, 2 of them also up, and it arrives on the 209th.
std::vector<double> shipFromTheLeft() {
    return {(30 + 0.5) / 7741.0,   (1980 + 0.5) / 5031.0,         ScriptedRandom::forDraw(1, 4),
            (2000 + 0.5) / 5055.0, ScriptedRandom::forDraw(3, 9), ScriptedRandom::forDraw(4, 5)};
}

struct Traffic {
    ElementTree tree{Twips(), nullptr};
    FrameElements frame = buildFrame(tree);
    NumberElements numbers = buildNumberPanel(tree, frame.picMain);
    ShipElements ships = buildShips(tree, frame.picMain, frame.picMain);
    ScriptedRandom random{shipFromTheLeft()};
    ConsoleState state;
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    RecordingOps ops;
    QTimer chance, motion, leaving;
    ShipScanPanel panel{ships, numbers.picNum, sounds};
    ShipTraffic traffic{ships, panel, state, random, sounds, ops, {&chance, &motion, &leaving}};

    Traffic() { sounds.setSoundOn(true); }
    int steps() {
        int n = 0;
        for (; state.shipInSector && n < 1000; ++n) {
            traffic.motionStep();
        }
        return n;
    }
    QString label() const { return QString(ships.lblShipInfo->text()).replace(QChar(13), '|'); }
};

}  // namespace

class ShipsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void shipTextsAndMessages() {
        const struct {
            int draw;
            const char *lines, *caption, *picture;
        } ships[] = {
            {1, "U.S.S. Enterprise|NCC 1701-E|Sovereign-Klasse",
             "U.S.S. Enterprise - NCC 1701-E - Sovereign-Klasse", "Sovereign"},
            // two classes share a picture
            {5, "U.S.S. Hood|NCC 422296|Excelsior-Klasse",
             "U.S.S. Hood - NCC 422296 - Excelsior-Klasse", "Excelsior"},
            // small craft have no registry
            {8, "Runabout|Danube-Klasse", "Runabout - Danube-Klasse", "Runabout"},
            {9, "Shuttle|Typ 6", "Shuttle - Typ 6", "ShuttleTyp6"},
        };
        for (const auto& s : ships) {
            const ShipClass& ship = catalogue()[static_cast<std::size_t>(s.draw)];
            QCOMPARE(infoLines(ship), lines(QString::fromUtf8(s.lines)));
            QCOMPARE(panelCaption(ship), QString::fromUtf8(s.caption));
            QCOMPARE(QString::fromLatin1(ship.picture), QString::fromLatin1(s.picture));
        }
        QCOMPARE(activityLine(1), kCr + QStringLiteral("Scannt Sektor..."));
        QCOMPARE(activityLine(5), kCr + QStringLiteral("Passiert Sektor..."));
        QVERIFY(activityLine(0).isEmpty() && activityLine(6).isEmpty());
        // Numbers keep a blank where a sign would stand.
        QCOMPARE(leavingMessage(3, 12, 300),
                 lines(QStringLiteral("Das Schiff hat den Sektor verlassen.|Speed: Warp  3|"
                                      "Kurs:  12. 300")));
    }

    // Every draw lies inside its range at both ends of the random source.
    void drawsAtBothEnds() {
        for (const double r : {0.0, 0.9999999}) {
            const bool high = r > 0.5;
            ScriptedRandom random({r});
            const Leaving l = drawLeaving(random);
            QCOMPARE((QList<int>{l.warp, l.course, l.courseTenth}),
                     (high ? QList<int>{8, 360, 360} : QList<int>{1, 0, 0}));
            const Point target = drawTarget(random);
            QCOMPARE(QPoint(target.x, target.y), high ? QPoint(7750, 5040) : QPoint(10, 10));
        }
    }

    void shipsEnterJustOutsideAnEdgeHeadingInwards() {
        // heading: x * 2 + y with x 1 for right, y 1 for down
        const struct {
            int edge;
            double along;
            QPoint entry;
            int heading;
        } cases[] = {
            {1, 0.0, {-1000, 0}, 3},         {1, 0.5, {-1000, 2527}, 2},
            {2, 0.9999999, {9815, 5054}, 0}, {2, 0.0, {9815, 0}, 1},
            {3, 0.0, {0, -700}, 3},          {3, 0.5, {4657, -700}, 1},
            {4, 0.9999999, {9314, 5060}, 0},
        };
        for (const auto& c : cases) {
            ScriptedRandom random({ScriptedRandom::forDraw(c.edge, 4), c.along});
            const Point start = drawEntry(random);
            QCOMPARE(QPoint(start.x, start.y), c.entry);
            const Heading h = headingFrom(start);
            QCOMPARE(int(h.x == Horizontal::Right) * 2 + int(h.y == Vertical::Down), c.heading);
        }
    }

    // The entry edge fixes the way: a ship from the top whose target lies to
    // the right of it moves straight down and jumps away at its own X.
    void aShipOnlyMovesInItsHeadingAndArrivesAStepAfterItsLastMove() {
        Point at{4000, -700};
        const Heading heading = headingFrom(at);
        int steps = 0;
        for (Step s{at, false, false}; !s.arrived() && steps < 10000; ++steps) {
            s = step(at, {6000, 100}, heading);
            at = s.position;
        }
        QCOMPARE(QPoint(at.x, at.y), QPoint(4000, 100));
        QCOMPARE(steps, 800 / kStepTwips + 1);

        // It may pass its target by up to four twips.
        const Step past = step({1003, 50}, {1000, 50}, {Horizontal::Left, Vertical::Up});
        QCOMPARE(past.position.x, 998);
        QVERIFY(!past.xDone && past.yDone);
        QVERIFY(step({998, 50}, {1000, 50}, {Horizontal::Left, Vertical::Up}).arrived());
    }

    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void oneDrawInTenSendsAShipWhenNoneIsThere() {
        Traffic t;
        t.random = ScriptedRandom({ScriptedRandom::forDraw(5, 10)});
        t.traffic.chanceTick();
        QVERIFY(!t.state.shipInSector);
        std::vector<double> hit{ScriptedRandom::forDraw(6, 10)};
        const auto ship = shipFromTheLeft();
        hit.insert(hit.end(), ship.begin(), ship.end());
        hit.push_back(ScriptedRandom::forDraw(6, 10));
        t.random = ScriptedRandom(hit);
        t.traffic.chanceTick();
        QVERIFY(t.state.shipInSector);
        // With a ship in the sector the chance is drawn, but sends none.
        const int used = t.random.used();
        t.traffic.chanceTick();
        QCOMPARE(t.random.used(), used + 1);
        QCOMPARE(t.ships.fedShip->left(), -1000.0);
    }

    void aShipEntersCrossesAndLeavesItsMessage() {
        Traffic t;
        t.state.scannerMoving = true;
        t.random.push(0.25);  // warp, course and its tenth
        t.traffic.goShip();
        QCOMPARE(QPointF(t.ships.fedShip->left(), t.ships.fedShip->top()), QPointF(-1000, 2000));
        QCOMPARE(QPointF(t.ships.lblShipInfo->left(), t.ships.lblShipInfo->top()),
                 QPointF(-480, 2000));
        QCOMPARE(t.label(),
                 QStringLiteral("U.S.S. Defiant|NX 74205|Defiant-Klasse|Patrouilliert..."));
        QCOMPARE(t.ships.picShipScan->picture(), QStringLiteral("Defiant"));
        QCOMPARE(t.ships.lblShipName->text(),
                 QStringLiteral("U.S.S. Defiant - NX 74205 - Defiant-Klasse"));
        QVERIFY(!t.ships.picShipScan->visible());
        QVERIFY(t.ships.fedShip->visible() && t.ships.lblShipInfo->visible());
        QVERIFY(t.state.shipInSector && !t.state.scannerMoving && t.motion.isActive());
        QCOMPARE(t.traffic.target().x, 40);

        QCOMPARE(t.steps(), 1040 / 5 + 1);
        QCOMPARE(QPointF(t.ships.fedShip->left(), t.ships.fedShip->top()), QPointF(40, 1990));
        QVERIFY(!t.ships.fedShip->visible() && t.ships.lblShipInfo->visible());
        QCOMPARE(
            t.label(),
            QStringLiteral("Das Schiff hat den Sektor verlassen.|Speed: Warp  3|Kurs:  90. 90"));
        QVERIFY(!t.motion.isActive() && t.leaving.isActive());
        // An unscanned ship never moves the scanner.
        QCOMPARE(t.ops.calls, QStringList{"showScanner"});
        t.traffic.leavingTimeout();
        QVERIFY(!t.ships.lblShipInfo->visible() && !t.leaving.isActive());

        // A new ship keeps its label when the old message's time runs out.
        t.random = ScriptedRandom(shipFromTheLeft());
        t.traffic.goShip();
        t.steps();
        t.random = ScriptedRandom(shipFromTheLeft());
        t.traffic.goShip();
        t.traffic.leavingTimeout();
        QVERIFY(t.ships.lblShipInfo->visible());
    }

    void withScanShipsTheScannerFramesTheShipAndReturnsAtTheJump() {
        for (const int activeStar : {3, 0}) {
            Traffic t;
            t.state.scanShips = true;
            t.state.activeStar = static_cast<std::uint8_t>(activeStar);
            t.traffic.goShip();
            t.traffic.motionStep();
            QCOMPARE(t.ops.calls.last(), QStringLiteral("frame -1245,1665 1640"));
            QVERIFY(t.ships.picShipScan->visible() && !t.numbers.picNum->visible());
            t.steps();
            QCOMPARE(t.player.fileNames(), QStringList{"4.wav"});
            // Back to its object, or home when none is active.
            QCOMPARE(t.ops.calls.last(), QLatin1String(activeStar ? "scanStar 3" : "setScanner"));
            QVERIFY(!t.ships.picShipScan->visible() && t.numbers.picNum->visible());
        }
    }

    void followingWaitsForZoomViewsPanelsAndTheFrame() {
        Traffic t;
        t.state.scanShips = true;
        t.traffic.goShip();
        t.ops.zoomed = true;
        t.traffic.motionStep();
        t.ops.zoomed = false;
        t.state.panelBusy = true;
        t.traffic.motionStep();
        QCOMPARE(t.ops.calls, QStringList{"showScanner"});
        t.state.panelBusy = false;
        // Whatever ran while an open panel was wiped took the frame back.
        t.ops.framePlaced = false;
        t.traffic.motionStep();
        QVERIFY(!t.ships.picShipScan->visible());
        t.ops.framePlaced = true;
        t.traffic.motionStep();
        QVERIFY(t.ships.picShipScan->visible());
    }

    void askingForTheShipPlaysAcceptOnceThenRefuses() {
        Traffic t;
        t.traffic.requestKey();  // no ship: nothing
        QVERIFY(t.player.calls().empty() && !t.state.shipScanRequested);
        t.traffic.goShip();
        t.traffic.shipClick();
        QVERIFY(t.state.shipScanRequested);
        t.traffic.labelClick();
        t.traffic.requestKey();  // already asked: nothing
        QCOMPARE(t.player.fileNames(), (QStringList{"1.wav", "7.wav"}));
        t.traffic.motionStep();
        QVERIFY(t.ships.picShipScan->visible());
        t.steps();
        QVERIFY(!t.state.shipScanRequested);
        t.player.clear();
        t.traffic.labelClick();  // the leaving message is not the ship
        QVERIFY(t.player.calls().empty());

        // With Scan Ships on, every request is refused.
        Traffic on;
        on.state.scanShips = true;
        on.traffic.goShip();
        on.traffic.shipClick();
        on.traffic.requestKey();
        QCOMPARE(on.player.fileNames(), QStringList{"7.wav"});
        QVERIFY(!on.state.shipScanRequested);
    }

    void switchingScanShipsOffDuringACrossingSendsTheScannerBack() {
        Traffic t;
        SettingsStore settings;
        Element* caption = t.frame.captions[16];
        t.traffic.toggleScanShips(*caption, settings);
        QVERIFY(t.state.scanShips);
        QCOMPARE(caption->text(), QStringLiteral("* Scan Ships"));
        QCOMPARE(settings.getText(settings::kShipScan), QStringLiteral("1"));
        t.state.activeStar = 2;
        t.traffic.goShip();
        t.traffic.motionStep();
        t.traffic.toggleScanShips(*caption, settings);
        QCOMPARE(caption->text(), QStringLiteral("Scan Ships"));
        QCOMPARE(settings.getText(settings::kShipScan), QStringLiteral("0"));
        QCOMPARE(t.ops.calls.last(), QStringLiteral("scanStar 2"));
        // Accepted with a sound only while no ship is in the sector.
        QCOMPARE(t.player.fileNames(), (QStringList{"1.wav", "4.wav"}));
    }
};

QTEST_MAIN(ShipsTest)
#include "ships_test.moc"
