// The scanner's flights and the scan panels over the number panel, without a
// window.
#include <QElapsedTimer>
#include <QtTest>

#include "console/console_ops.h"
#include "scene/leader_panel.h"
#include "scene/planet_texts.h"
#include "scene/scan_panels.h"
#include "scene/scanner.h"
#include "scene/sector_scene.h"
#include "scene_rig.h"
#include "ships/ship_elements.h"
#include "ships/ship_scan_panel.h"
#include "support/panel_checks.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;

namespace {

// The console's elements with the ships' elements beside them.
struct Base : testing::SceneRig {
    ShipElements ships = buildShips(tree, scene.sector.starsScan, frame.picMain);
    Lane panelArea{pacer};

    Base() : SceneRig(0.9) {}
    // "every": every ship is scanned; "asked": the user asked for this one;
    // "nobody": a ship nobody scans; anything else: no ship.
    void ship(const QString& who) {
        state.shipInSector = who == "every" || who == "asked" || who == "nobody";
        state.scanShips = who == "every";
        state.shipScanRequested = who == "asked";
    }
};

// The sector, the scanner and the planet panel.
struct Scene : Base {
    SectorScene sector{scene.sector, ships.lblShipInfo, random};
    Scanner scanner{scene.sector, sector, state, pacer, sounds, ops};
    LeaderPanel planet{scene.planetPanel, numbers.picNum, panelArea, state, pacer, sounds};

    Element* open() { return scene.sector.lblScanner[0]; }
    Element* close() { return scene.sector.lblScanner[1]; }
};

// The two scan panels, with the ship panel beside them.
struct Panels : Base {
    ShipScanPanel shipPanel{ships, numbers.picNum, sounds};
    ScanPanels panels{scene, numbers.picNum, panelArea, state, pacer, sounds, random, ops};

    Panels() {
        ops.onHideShipScan = [this] { shipPanel.hideShipScan(); };
        sounds.setSoundOn(false);
    }
    void scan(int star, const std::vector<double>& draws) {
        random = ScriptedRandom(draws);
        panels.scanPlanet(star);
    }
    // The planet panel reads what a scan of `star` with `draws` measures.
    void verifyPlanetPanelReads(int star, const std::vector<double>& draws) const {
        ScriptedRandom replay(draws);
        const planet::PanelTexts texts = *planet::panelTexts(star, replay);
        const LeaderPanelLayout& p = scene.planetPanel;
        QCOMPARE(p.title->text(), texts.name);
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(p.label[i]->text(), texts.label[static_cast<std::size_t>(i)]);
        }
    }
};

}  // namespace

class ScanTest : public QObject {
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
        QTest::addColumn<QString>("ship");
        QTest::addColumn<bool>("zoomOpens");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("every ship is scanned") << "every" << false << "stops";
        QTest::newRow("the user asked for the ship") << "asked" << false << "stops";
        QTest::newRow("nobody scans the ship") << "nobody" << false << "arrives";
        QTest::newRow("a zoom view opens: the frame only snaps") << "nobody" << true << "snaps";
    }
    void aShipCrossingDuringAFlightTakesTheScannerOnlyWhenScanned() {
        QFETCH(QString, ship);
        QFETCH(bool, zoomOpens);
        QFETCH(QString, outcome);
        Scene s;
        s.state.aniSpeed = 0.005;
        s.scanner.setScannerManual(-2000, -2000, 600);
        s.state.activeStar = 2;
        QTimer::singleShot(20, [&] {
            s.ship(ship);
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
            QCOMPARE(QPointF(s.open()->left(), s.open()->top()), QPointF(7860, 2310));
            QVERIFY(!s.state.scannerMoving);
            const bool arrives = outcome == QLatin1String("arrives");
            QCOMPARE(s.ops.calls.contains(QStringLiteral("scanPlanet 2")), arrives);
            QCOMPARE(s.player.fileNames(),
                     (arrives ? QStringList{"8.wav", "9.wav"} : QStringList{"8.wav"}));
        }
    }

    void placingOrParkingTheFrameWipesThePanelOfTheActiveObject() {
        const std::vector<std::pair<int, QStringList>> cases{
            {0, {}}, {2, {"hidePlanetScan"}}, {4, {"hideSRTeleInfos"}}};
        for (const auto& [activeStar, wipes] : cases) {
            Scene s;
            s.state.activeStar = static_cast<std::uint8_t>(activeStar);
            s.scanner.setScannerManual(4650, 3320, 1100);
            QCOMPARE(s.ops.calls, wipes);
            QCOMPARE(s.open()->left(), 4650.0);
            QCOMPARE(s.close()->left(), 4650.0 + 1100);
            QCOMPARE(int(s.state.activeStar), activeStar);
        }
        // Parking puts it at the drawn corner and takes the ship's panel too.
        Scene s;
        s.state.activeStar = 4;
        s.scanner.setScanner();
        QCOMPARE(s.ops.calls, (QStringList{"hideShipScan", "hideSRTeleInfos"}));
        QCOMPARE(QPointF(s.open()->left(), s.open()->top()), QPointF(11300, 7000));
        QCOMPARE(s.close()->left(), 11900.0);
        QCOMPARE(int(s.state.activeStar), 4);
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
        QCOMPARE(QPointF(s.open()->left(), s.open()->top()), QPointF(7640, 10));
        QCOMPARE(s.close()->left(), 7640.0 + 1310);
        QCOMPARE(s.ops.calls.filter(QStringLiteral("scanPlanet")), QStringList{"scanPlanet 5"});
        QVERIFY(!s.state.scannerMoving);
    }

    void anInfoLabelClickFliesToItsObject() {
        struct Click {
            int active;
            const char* ship;
            bool busy;
            int clicked;
            const char* sounds;
            const char* wipe;  // empty: nothing happens
        };
        for (const Click& c : std::initializer_list<Click>{
                 {0, "", false, 1, "8.wav 9.wav", "hidePlanetScan"},  // no click sound at first
                 {4, "", false, 2, "1.wav 8.wav 9.wav", "hideSRTeleInfos"},
                 {2, "", false, 2, "", ""},  // the current target is ignored
                 {2, "asked", false, 2, "1.wav 8.wav 9.wav", "hidePlanetScan"},  // unless a ship
                 {1, "every", false, 3, "7.wav", ""},                            // was scanned
                 {1, "", true, 3, "", ""}}) {
            Scene s;
            s.state.activeStar = static_cast<std::uint8_t>(c.active);
            s.ship(QString::fromLatin1(c.ship));
            s.state.panelBusy = c.busy;
            s.scanner.infoLabelClick(c.clicked);
            const bool flies = *c.wipe != 0;
            QCOMPARE(s.player.fileNames().join(QLatin1Char(' ')), QLatin1String(c.sounds));
            QCOMPARE(int(s.state.activeStar), flies ? c.clicked : c.active);
            QCOMPARE(s.ops.calls.value(0), QLatin1String(c.wipe));
            QCOMPARE(s.ops.calls.value(s.ops.calls.size() - 1),
                     flies ? QStringLiteral("scanPlanet %1").arg(c.clicked) : QString());
            QVERIFY(!flies || !s.state.shipScanRequested);
        }
    }

    void endScanParksTheScannerOrGoesBackFromAShipScan() {
        // Who holds the scanner, blocked by a panel or zoom, sounds, parks.
        for (const auto& [active, ship, blocked, sounds, parks] :
             std::vector<std::tuple<int, const char*, bool, const char*, bool>>{
                 {2, "", false, "1.wav", true},
                 {2, "", true, "7.wav", false},
                 {2, "asked", false, "8.wav 9.wav", false},  // back from the ship
                 {2, "nobody", false, "1.wav", true},
                 {2, "every", false, "7.wav", false},
                 {0, "", false, "7.wav", false}}) {
            Scene s;
            s.scanner.setScannerManual(7860, 2310, 1230);
            s.state.activeStar = static_cast<std::uint8_t>(active);
            s.ship(QString::fromLatin1(ship));
            s.scanner.endScan(blocked);
            QCOMPARE(s.player.fileNames().join(QLatin1Char(' ')), QLatin1String(sounds));
            QCOMPARE(int(s.state.activeStar), parks ? 0 : active);
            QCOMPARE(s.open()->left(), parks ? 11300.0 : 7860.0);
            QVERIFY(!s.state.shipScanRequested);
        }
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
        QVERIFY(testing::wholePanelGone(p));
        QVERIFY(s.numbers.picNum->visible());
        QVERIFY(!s.state.panelBusy);
        // A hidden panel's wipe does nothing and does not wait.
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

    // A planet, the asteroid, the telescope station, no object, an unknown one.
    void theShipPanelGivesWayToEveryScan() {
        for (const int star : {2, 3, 4, 0, 6}) {
            Panels p;
            // A ship scan holds the place of the number panel.
            p.ships.picShipScan->show();
            p.numbers.picNum->hide();
            p.panels.scanPlanet(star);
            QCOMPARE(p.ops.calls.value(0), QStringLiteral("hideShipScan"));
            QVERIFY(!p.ships.picShipScan->visible());
            const bool planet = star == 2 || star == 3;
            QCOMPARE(p.scene.planetPanel.panel->visible(), planet);
            QCOMPARE(p.scene.telescopePanel.panel->visible(), star == 4);
            // The number panel is back unless a scan panel lies over it.
            QCOMPARE(p.numbers.picNum->visible(), !planet && star != 4);
        }
    }

    void everyScanWritesTitleAndAllFiveTextsAfresh() {
        Panels p;
        // Another object, then the same one again, measure anew.
        const std::vector<std::pair<int, std::vector<double>>> scans{
            {1, {0.1, 0.2, 0.3}}, {2, {0.9, 0.8, 0.7, 0.6, 0.5}}, {2, {0.0, 0.05, 0.0, 0.0, 0.0}}};
        QStringList shown;
        for (const auto& [star, draws] : scans) {
            p.scan(star, draws);
            p.verifyPlanetPanelReads(star, draws);
            const LeaderPanelLayout& panel = p.scene.planetPanel;
            QString all = panel.title->text();
            for (int i = 1; i <= 5; ++i) all += panel.label[i]->text();
            QVERIFY(!shown.contains(all));
            shown << all;
            p.panels.hidePlanetScan();
        }
        // The telescope station leaves the planet texts alone and draws nothing.
        const int used = p.random.used();
        p.panels.scanPlanet(4);
        QCOMPARE(p.random.used(), used);
        p.verifyPlanetPanelReads(2, scans[2].second);
        QVERIFY(!p.scene.planetPanel.panel->visible());
    }

    // A panel still standing when the other one is built (its wipe cut
    // short, or rebuilt while the scanner flew on) goes at once.
    void aScanPanelTakesTheOtherOneDown() {
        for (const auto& [first, second] : {std::pair{2, 4}, std::pair{4, 2}}) {
            Panels p;
            p.scan(first, {0.5});
            p.scan(second, {0.5});
            const bool planet = second != 4;
            QVERIFY(
                testing::wholePanelShown(planet ? p.scene.planetPanel : p.scene.telescopePanel));
            QVERIFY(testing::wholePanelGone(planet ? p.scene.telescopePanel : p.scene.planetPanel));
            QVERIFY(!p.numbers.picNum->visible());
        }
    }
};

QTEST_MAIN(ScanTest)
#include "scan_test.moc"
