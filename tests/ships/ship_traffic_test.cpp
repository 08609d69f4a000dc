#include <QtTest>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "ships/ship_scan_panel.h"
#include "ships/ship_traffic.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::RecordingOps;
using ovant::testing::ScriptedRandom;

namespace {

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
        while (state.shipInSector && n < 1000) {
            traffic.motionStep();
            ++n;
        }
        return n;
    }
};

}  // namespace

class ShipTrafficTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void oneDrawInTenSendsAShipWhenNoneIsThere() {
        Traffic t;
        ScriptedRandom script({ScriptedRandom::forDraw(5, 10)});
        t.random = script;
        t.traffic.chanceTick();
        QVERIFY(!t.state.shipInSector);
        std::vector<double> hit{ScriptedRandom::forDraw(6, 10)};
        const auto ship = shipFromTheLeft();
        hit.insert(hit.end(), ship.begin(), ship.end());
        hit.push_back(ScriptedRandom::forDraw(6, 10));
        t.random = ScriptedRandom(hit);
        t.traffic.chanceTick();
        QVERIFY(t.state.shipInSector);
        const int used = t.random.used();
        t.traffic.chanceTick();
        QCOMPARE(t.random.used(), used + 1);
        QCOMPARE(t.ships.fedShip->left(), -1000.0);
    }

    void aShipEntersWithItsLabelAndPreparesItsPanel() {
        Traffic t;
        t.state.scannerMoving = true;
        t.traffic.goShip();
        QCOMPARE(QPointF(t.ships.fedShip->left(), t.ships.fedShip->top()), QPointF(-1000, 2000));
        QCOMPARE(QPointF(t.ships.lblShipInfo->left(), t.ships.lblShipInfo->top()),
                 QPointF(-480, 2000));
        QCOMPARE(t.ships.lblShipInfo->text(),
                 QStringLiteral("U.S.S. Defiant\rNX 74205\rDefiant-Klasse\rPatrouilliert...")
                     .replace(QLatin1Char('\r'), QChar(13)));
        QCOMPARE(t.ships.picShipScan->picture(), QStringLiteral("Defiant"));
        QCOMPARE(t.ships.lblShipName->text(),
                 QStringLiteral("U.S.S. Defiant - NX 74205 - Defiant-Klasse"));
        QVERIFY(!t.ships.picShipScan->visible());
        QVERIFY(t.ships.fedShip->visible() && t.ships.lblShipInfo->visible());
        QVERIFY(t.state.shipInSector && !t.state.scannerMoving && t.motion.isActive());
        QCOMPARE(t.ops.calls, QStringList{"showScanner"});
        QCOMPARE(t.traffic.target().x, 40);
    }

    void anUnscannedShipCrossesAndLeavesItsMessage() {
        Traffic t;
        t.random.push(0.25);  // warp, course and its tenth
        t.traffic.goShip();
        QCOMPARE(t.steps(), 1040 / 5 + 1);
        QCOMPARE(QPointF(t.ships.fedShip->left(), t.ships.fedShip->top()), QPointF(40, 1990));
        QVERIFY(!t.ships.fedShip->visible() && t.ships.lblShipInfo->visible());
        QCOMPARE(
            t.ships.lblShipInfo->text(),
            QStringLiteral("Das Schiff hat den Sektor verlassen.\rSpeed: Warp  3\rKurs:  90. 90")
                .replace(QLatin1Char('\r'), QChar(13)));
        QVERIFY(!t.motion.isActive() && t.leaving.isActive());
        QCOMPARE(t.ops.calls, QStringList{"showScanner"});
        t.traffic.leavingTimeout();
        QVERIFY(!t.ships.lblShipInfo->visible() && !t.leaving.isActive());
    }

    void aNewShipKeepsItsLabelWhenTheOldMessageExpires() {
        Traffic t;
        t.traffic.goShip();
        t.steps();
        t.random = ScriptedRandom(shipFromTheLeft());
        t.traffic.goShip();
        t.traffic.leavingTimeout();
        QVERIFY(t.ships.lblShipInfo->visible());
    }

    void withScanShipsTheScannerFramesTheShipAndReturnsAtTheJump_data() {
        QTest::addColumn<int>("activeStar");
        QTest::addColumn<QString>("back");
        QTest::newRow("to its object") << 3 << "scanStar 3";
        QTest::newRow("home") << 0 << "setScanner";
    }
    void withScanShipsTheScannerFramesTheShipAndReturnsAtTheJump() {
        QFETCH(int, activeStar);
        QFETCH(QString, back);
        Traffic t;
        t.state.scanShips = true;
        t.state.activeStar = static_cast<std::uint8_t>(activeStar);
        t.traffic.goShip();
        t.traffic.motionStep();
        QCOMPARE(t.ops.calls.last(), QStringLiteral("frame -1245,1665 1640"));
        QVERIFY(t.ships.picShipScan->visible() && !t.numbers.picNum->visible());
        t.steps();
        QCOMPARE(t.player.fileNames(), QStringList{"4.wav"});
        QCOMPARE(t.ops.calls.last(), back);
        QVERIFY(!t.ships.picShipScan->visible() && t.numbers.picNum->visible());
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
    }

    void withScanShipsOnEveryRequestIsRefused() {
        Traffic t;
        t.state.scanShips = true;
        t.traffic.goShip();
        t.traffic.shipClick();
        t.traffic.requestKey();
        QCOMPARE(t.player.fileNames(), QStringList{"7.wav"});
        QVERIFY(!t.state.shipScanRequested);
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

QTEST_MAIN(ShipTrafficTest)
#include "ship_traffic_test.moc"
