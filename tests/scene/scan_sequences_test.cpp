#include <QElapsedTimer>
#include <QtTest>
#include <cmath>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "scene/leader_panel.h"
#include "scene/scanner.h"
#include "scene/scene_elements.h"
#include "scene/sector_scene.h"
#include "ships/ship_elements.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::RecordingOps;

namespace {

// The sector, the scanner and the panels on their own, without a window.
struct Scene {
    ElementTree tree{Twips(), nullptr};
    FrameElements frame = buildFrame(tree);
    NumberElements numbers = buildNumberPanel(tree, frame.picMain);
    SceneElements elements = buildScene(tree, frame.picMain);
    ShipElements ships = buildShips(tree, elements.sector.starsScan, frame.picMain);
    ovant::testing::ScriptedRandom random{{0.9}};
    ConsoleState state;
    Pacer pacer{40};
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    RecordingOps ops;
    SectorScene sector{elements.sector, ships.lblShipInfo, random};
    Scanner scanner{elements.sector, sector, state, pacer, sounds, ops};
    Lane panelArea{pacer};
    LeaderPanel planet{elements.planetPanel, numbers.picNum, panelArea, state, pacer, sounds};

    Scene() {
        sounds.setSoundOn(true);
        state.aniSpeed = 0;  // flights and growth without waiting, unless a test wants pauses
    }
    Element* open() { return elements.sector.lblScanner[0]; }
    Element* close() { return elements.sector.lblScanner[1]; }
    Element* line(int i) { return elements.sector.lineScan[static_cast<std::size_t>(i)]; }
};

}  // namespace

class ScanSequencesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The flight from a corner, its snap onto the target and the arrival
    // sounds are pinned by the golden scan.
    void flightToWhereItStandsStillArrives() {
        Scene s;
        s.scanner.setScannerManual(3200, 800, 1300);
        s.state.activeStar = 1;
        s.state.autoZoomOn = true;
        s.scanner.moveScanner(3200, 800, 1300);
        QCOMPARE(s.open()->top(), 800.0);
        QCOMPARE(s.ops.calls.last(), QStringLiteral("initAutoZoom"));
    }

    void aShipCrossingDuringAFlightTakesTheScannerOnlyWhenScanned_data() {
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("shipScanRequested");
        QTest::addColumn<bool>("zoomOpens");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("every ship is scanned: the flight stops")
            << true << false << false << "stops";
        QTest::newRow("the user asked for the ship: the flight stops")
            << false << true << false << "stops";
        QTest::newRow("nobody scans the ship: the flight arrives")
            << false << false << false << "arrives";
        QTest::newRow("nobody scans the ship, a zoom view opens: the frame only snaps")
            << false << false << true << "snaps";
    }
    void aShipCrossingDuringAFlightTakesTheScannerOnlyWhenScanned() {
        QFETCH(bool, scanShips);
        QFETCH(bool, shipScanRequested);
        QFETCH(bool, zoomOpens);
        QFETCH(QString, outcome);
        Scene s;
        s.state.aniSpeed = 0.005;
        s.scanner.setScannerManual(-2000, -2000, 600);
        s.state.activeStar = 2;
        QTimer::singleShot(20, [&] {
            s.state.shipInSector = true;
            s.state.scanShips = scanShips;
            s.state.shipScanRequested = shipScanRequested;
            s.state.scannerMoving = false;
            // With the flag cleared the zoom key is no longer refused.
            s.ops.zoomed = zoomOpens;
        });
        s.scanner.scanStar(2);
        if (outcome == QLatin1String("stops")) {
            // The ship takes the scanner over: no arrival, no panel.
            QVERIFY(s.open()->left() < 7860 - 100);
            QVERIFY(!s.ops.calls.contains(QStringLiteral("scanPlanet 2")));
            QCOMPARE(s.player.fileNames(), QStringList{"8.wav"});
        } else {
            // Snapped onto the target, the flag cleared; the panel is built
            // now, or by the zoom view when it closes.
            QCOMPARE(s.open()->left(), 7860.0);
            QCOMPARE(s.open()->top(), 2310.0);
            QVERIFY(!s.state.scannerMoving);
            const bool arrives = outcome == QLatin1String("arrives");
            QCOMPARE(s.ops.calls.contains(QStringLiteral("scanPlanet 2")), arrives);
            const QStringList sounds =
                arrives ? QStringList{"8.wav", "9.wav"} : QStringList{"8.wav"};
            QCOMPARE(s.player.fileNames(), sounds);
        }
    }

    void placingTheFrameWipesThePanelOfTheActiveObject_data() {
        QTest::addColumn<int>("activeStar");
        QTest::addColumn<QStringList>("wipes");
        QTest::newRow("no object, no panel") << 0 << QStringList{};
        QTest::newRow("a planet's panel") << 2 << QStringList{"hidePlanetScan"};
        QTest::newRow("the telescope's panel") << 4 << QStringList{"hideSRTeleInfos"};
    }
    void placingTheFrameWipesThePanelOfTheActiveObject() {
        QFETCH(int, activeStar);
        QFETCH(QStringList, wipes);
        Scene s;
        s.state.activeStar = static_cast<std::uint8_t>(activeStar);
        s.scanner.setScannerManual(4650, 3320, 1100);
        QCOMPARE(s.ops.calls, wipes);
        QCOMPARE(s.open()->left(), 4650.0);
        QCOMPARE(s.close()->left(), 4650.0 + 1100);
        QCOMPARE(int(s.state.activeStar), activeStar);
    }

    void aSupersededFlightStopsAndLeavesTheFrameOnTheNewTarget() {
        Scene s;
        s.state.aniSpeed = 0.005;
        s.scanner.setScannerManual(11300, 7000, 600);
        s.state.activeStar = 3;
        // A ship crossing clears the moving flag, so a click during the first
        // flight's pause starts a second flight nested inside it.
        QTimer::singleShot(30, [&] {
            s.state.scannerMoving = false;
            s.state.activeStar = 5;
            s.scanner.scanStar(5);
        });
        s.scanner.scanStar(3);
        QCOMPARE(s.open()->left(), 7640.0);
        QCOMPARE(s.open()->top(), 10.0);
        QCOMPARE(s.close()->left(), 7640.0 + 1310);
        QCOMPARE(s.ops.calls.filter(QStringLiteral("scanPlanet")), QStringList{"scanPlanet 5"});
        QVERIFY(!s.state.scannerMoving);
    }

    void infoLabelClick_data() {
        QTest::addColumn<int>("activeStar");
        QTest::addColumn<bool>("shipInSector");
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("shipScanRequested");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<int>("expectedStar");
        QTest::newRow("first click plays no click sound")
            << 0 << false << false << false << false << 1 << QStringList{"8.wav", "9.wav"}
            << "hidePlanetScan" << 1;
        QTest::newRow("leaving the telescope wipes its panel")
            << 4 << false << false << false << false << 2 << QStringList{"1.wav", "8.wav", "9.wav"}
            << "hideSRTeleInfos" << 2;
        QTest::newRow("the current target is ignored")
            << 2 << false << false << false << false << 2 << QStringList{} << "" << 2;
        QTest::newRow("the current target after a ship scan request")
            << 2 << true << false << true << false << 2 << QStringList{"1.wav", "8.wav", "9.wav"}
            << "hidePlanetScan" << 2;
        QTest::newRow("refused while every ship is scanned")
            << 1 << true << true << false << false << 3 << QStringList{"7.wav"} << "" << 1;
        QTest::newRow("ignored while busy")
            << 1 << false << false << false << true << 3 << QStringList{} << "" << 1;
    }
    void infoLabelClick() {
        QFETCH(int, activeStar);
        QFETCH(bool, shipInSector);
        QFETCH(bool, scanShips);
        QFETCH(bool, shipScanRequested);
        QFETCH(bool, busy);
        QFETCH(int, clicked);
        QFETCH(QStringList, sounds);
        QFETCH(QString, hidden);
        QFETCH(int, expectedStar);
        Scene s;
        s.state.activeStar = static_cast<std::uint8_t>(activeStar);
        s.state.shipInSector = shipInSector;
        s.state.scanShips = scanShips;
        s.state.shipScanRequested = shipScanRequested;
        s.state.panelBusy = busy;
        s.scanner.infoLabelClick(clicked);
        QCOMPARE(s.player.fileNames(), sounds);
        QCOMPARE(int(s.state.activeStar), expectedStar);
        if (hidden.isEmpty()) {
            QVERIFY(s.ops.calls.isEmpty());
        } else {
            QCOMPARE(s.ops.calls.first(), hidden);
            QVERIFY(!s.state.shipScanRequested);
            QCOMPARE(s.ops.calls.last(), QStringLiteral("scanPlanet %1").arg(expectedStar));
        }
    }

    void endScan_data() {
        QTest::addColumn<int>("activeStar");
        QTest::addColumn<bool>("shipInSector");
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("shipScanRequested");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<int>("starAfter");
        QTest::addColumn<double>("leftAfter");
        QTest::newRow("parks the scanner")
            << 2 << false << false << false << false << QStringList{"1.wav"} << 0 << 11300.0;
        QTest::newRow("refused while busy or zoomed")
            << 2 << false << false << false << true << QStringList{"7.wav"} << 2 << 7860.0;
        QTest::newRow("back from a requested ship scan")
            << 2 << true << false << true << false << QStringList{"8.wav", "9.wav"} << 2 << 7860.0;
        QTest::newRow("parks beside a ship nobody scans")
            << 2 << true << false << false << false << QStringList{"1.wav"} << 0 << 11300.0;
        QTest::newRow("refused while every ship is scanned")
            << 2 << true << true << false << false << QStringList{"7.wav"} << 2 << 7860.0;
        QTest::newRow("refused with no object")
            << 0 << false << false << false << false << QStringList{"7.wav"} << 0 << 7860.0;
    }
    void endScan() {
        QFETCH(int, activeStar);
        QFETCH(bool, shipInSector);
        QFETCH(bool, scanShips);
        QFETCH(bool, shipScanRequested);
        QFETCH(bool, blocked);
        QFETCH(QStringList, sounds);
        QFETCH(int, starAfter);
        QFETCH(double, leftAfter);
        Scene s;
        s.scanner.setScannerManual(7860, 2310, 1230);
        s.state.activeStar = static_cast<std::uint8_t>(activeStar);
        s.state.shipInSector = shipInSector;
        s.state.scanShips = scanShips;
        s.state.shipScanRequested = shipScanRequested;
        s.scanner.endScan(blocked);
        QCOMPARE(s.player.fileNames(), sounds);
        QCOMPARE(int(s.state.activeStar), starAfter);
        QCOMPARE(s.open()->left(), leftAfter);
        QVERIFY(!s.state.shipScanRequested);
    }

    // The build-up's order and sounds are pinned by the golden scan; here
    // that it holds the panel area while it runs, and the wipe.
    void theBuildHoldsThePanelAreaAndTheWipeGivesTheNumbersBack() {
        Scene s;
        const LeaderPanelLayout& p = s.planet.layout();
        bool busyWhileBuilding = false;
        QTimer::singleShot(1, [&] { busyWhileBuilding = s.state.panelBusy; });
        s.planet.show();
        QVERIFY(busyWhileBuilding);
        QVERIFY(!s.state.panelBusy);
        QVERIFY(p.panel->visible() && !s.numbers.picNum->visible());
        s.planet.hide();
        QVERIFY(!p.panel->visible() && s.numbers.picNum->visible());
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(!p.dot[i]->visible() && !p.label[i]->visible() && !p.horizontal[i]->visible());
        }
        QVERIFY(!p.vertical->visible() && !p.title->visible());
        QVERIFY(!s.state.panelBusy);
    }

    void wipingAHiddenPanelDoesNothingAndDoesNotWait() {
        Scene s;
        QElapsedTimer clock;
        clock.start();
        s.planet.hide();
        QVERIFY(clock.elapsed() < 35);
        QVERIFY(s.numbers.picNum->visible());
    }

    // Every sound of the panel asks the switch itself.
    void silentConsoleBuildsWithoutSounds() {
        Scene s;
        s.sounds.setSoundOn(false);
        s.planet.show();
        QVERIFY(s.player.calls().empty());
        QVERIFY(s.planet.layout().title->visible());
    }

    void parkingPutsTheFrameAtTheDrawnCorner() {
        Scene s;
        s.state.activeStar = 4;
        s.scanner.setScanner();
        QCOMPARE(s.ops.calls, (QStringList{"hideShipScan", "hideSRTeleInfos"}));
        QCOMPARE(s.open()->left(), 11300.0);
        QCOMPARE(s.open()->top(), 7000.0);
        QCOMPARE(s.close()->left(), 11900.0);
        QCOMPARE(int(s.state.activeStar), 4);
    }
};

QTEST_MAIN(ScanSequencesTest)
#include "scan_sequences_test.moc"
