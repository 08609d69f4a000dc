#include <QtTest>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "console/frame_elements.h"
#include "elements/pacing.h"
#include "platform/sound/sound_effects.h"
#include "scene/planet_texts.h"
#include "scene/scan_panels.h"
#include "scene/scene_elements.h"
#include "ships/ship_elements.h"
#include "ships/ship_scan_panel.h"
#include "support/panel_checks.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::RecordingOps;
using ovant::testing::ScriptedRandom;

namespace {

// The two scan panels over the number panel, with the ship panel beside them.
struct Panels {
    ElementTree tree{Twips(), nullptr};
    FrameElements frame = buildFrame(tree);
    NumberElements numbers = buildNumberPanel(tree, frame.picMain);
    SceneElements scene = buildScene(tree, frame.picMain);
    ShipElements ships = buildShips(tree, scene.sector.starsScan, frame.picMain);
    ScriptedRandom random;
    ConsoleState state;
    Pacer pacer{40};
    RecordingSoundPlayer player;
    SoundEffects sounds{player, QStringLiteral(OVANT_SOUND_DIR)};
    ShipScanPanel shipPanel{ships, numbers.picNum, sounds};
    RecordingOps ops;
    Lane panelArea{pacer};
    ScanPanels panels{scene, numbers.picNum, panelArea, state, pacer, sounds, random, ops};

    Panels() {
        // The ship panel's wipe goes to the real ship panel.
        ops.onHideShipScan = [this] { shipPanel.hideShipScan(); };
        sounds.setSoundOn(false);
        state.aniSpeed = 0;
    }

    // A ship scan holds the place of the number panel.
    void showShipPanel() {
        ships.picShipScan->show();
        numbers.picNum->hide();
    }

    // What the planet panel must read after a scan of `star` with `draws`.
    static planet::PanelTexts expected(int star, const std::vector<double>& draws) {
        ScriptedRandom replay(draws);
        return *planet::panelTexts(star, replay);
    }

    void scan(int star, const std::vector<double>& draws) {
        random = ScriptedRandom(draws);
        panels.scanPlanet(star);
    }

    void verifyPlanetPanelReads(const planet::PanelTexts& texts) const {
        const LeaderPanelLayout& p = scene.planetPanel;
        QCOMPARE(p.title->text(), texts.name);
        for (int i = 1; i <= 5; ++i) {
            QVERIFY2(
                p.label[i]->text() == texts.label[static_cast<std::size_t>(i)],
                qPrintable(QStringLiteral("label %1 reads \"%2\"").arg(i).arg(p.label[i]->text())));
        }
    }
};

}  // namespace

class ScanPanelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theShipPanelGivesWayToEveryScan_data() {
        QTest::addColumn<int>("star");
        QTest::addColumn<bool>("planetShown");
        QTest::addColumn<bool>("telescopeShown");
        QTest::newRow("a planet") << 2 << true << false;
        QTest::newRow("the asteroid") << 3 << true << false;
        QTest::newRow("the telescope station") << 4 << false << true;
        QTest::newRow("no object gives the numbers back") << 0 << false << false;
        QTest::newRow("an unknown object gives the numbers back") << 6 << false << false;
    }
    void theShipPanelGivesWayToEveryScan() {
        QFETCH(int, star);
        QFETCH(bool, planetShown);
        QFETCH(bool, telescopeShown);
        Panels p;
        p.showShipPanel();
        p.panels.scanPlanet(star);
        QCOMPARE(p.ops.calls.value(0), QStringLiteral("hideShipScan"));
        QVERIFY(!p.ships.picShipScan->visible());
        QCOMPARE(p.scene.planetPanel.panel->visible(), planetShown);
        QCOMPARE(p.scene.telescopePanel.panel->visible(), telescopeShown);
        // The number panel is back unless a scan panel lies over it.
        QCOMPARE(p.numbers.picNum->visible(), !planetShown && !telescopeShown);
    }

    void everyScanWritesTitleAndAllFiveTextsAfresh() {
        Panels p;
        const std::vector<double> first = {0.1, 0.2, 0.3};
        p.scan(1, first);
        p.verifyPlanetPanelReads(Panels::expected(1, first));
        const QString fifthOfTheFirst = p.scene.planetPanel.label[5]->text();

        p.panels.hidePlanetScan();
        const std::vector<double> second = {0.9, 0.8, 0.7, 0.6, 0.5};
        p.scan(2, second);
        p.verifyPlanetPanelReads(Panels::expected(2, second));
        QVERIFY(p.scene.planetPanel.label[5]->text() != fifthOfTheFirst);

        // The same object again measures anew.
        p.panels.hidePlanetScan();
        const std::vector<double> third = {0.0, 0.05, 0.0, 0.0, 0.0};
        p.scan(2, third);
        p.verifyPlanetPanelReads(Panels::expected(2, third));
        QVERIFY(Panels::expected(2, third).label != Panels::expected(2, second).label);
    }

    // A panel still standing when the other one is built (its wipe cut
    // short, or rebuilt while the scanner flew on) goes at once.
    void aScanPanelTakesTheOtherOneDown_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("the telescope's after a planet's") << 2 << 4;
        QTest::newRow("a planet's after the telescope's") << 4 << 2;
    }
    void aScanPanelTakesTheOtherOneDown() {
        QFETCH(int, first);
        QFETCH(int, second);
        Panels p;
        p.scan(first, {0.5});
        p.scan(second, {0.5});
        const bool planet = second != 4;
        QVERIFY(testing::wholePanelShown(planet ? p.scene.planetPanel : p.scene.telescopePanel));
        QVERIFY(testing::wholePanelGone(planet ? p.scene.telescopePanel : p.scene.planetPanel));
        QVERIFY(!p.numbers.picNum->visible());
    }

    void theTelescopeStationLeavesThePlanetTextsAlone() {
        Panels p;
        p.scan(5, {0.5});
        const planet::PanelTexts shown = Panels::expected(5, {0.5});
        p.panels.hidePlanetScan();
        const int used = p.random.used();
        p.panels.scanPlanet(4);
        QCOMPARE(p.random.used(), used);
        p.verifyPlanetPanelReads(shown);
        QVERIFY(!p.scene.planetPanel.panel->visible());
    }
};

QTEST_MAIN(ScanPanelsTest)
#include "scan_panels_test.moc"
