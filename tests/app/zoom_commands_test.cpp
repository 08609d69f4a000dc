#include <QElapsedTimer>
#include <QtTest>

#include "scene/auto_zoom.h"
#include "support/saver_console.h"

using namespace ovant;
using ovant::testing::ConsoleRig;

namespace {

QList<const Element*> viewParts(const SchematicElements& z) {
    QList<const Element*> all{z.picture, z.labelName, z.closeButton};
    for (const auto* group : {&z.leaders, &z.dots, &z.labels}) {
        all.append(QList<const Element*>(group->begin(), group->end()));
    }
    return all;
}

bool wholeViewShown(const SchematicElements& z) {
    const auto all = viewParts(z);
    return std::all_of(all.begin(), all.end(), [](const Element* e) { return e->visible(); });
}

bool viewGone(const SchematicElements& z) {
    const auto all = viewParts(z);
    return std::none_of(all.begin(), all.end(), [](const Element* e) { return e->visible(); });
}

// Which elements of the console are visible, by name.
QStringList visibleElements(const Element& root) {
    QStringList names;
    std::function<void(const Element&)> walk = [&](const Element& e) {
        if (e.visible()) {
            names << e.name();
        }
        for (const auto& child : e.children()) {
            walk(*child);
        }
    };
    walk(root);
    return names;
}

// A console that has scanned `object`: the scanner stands on it and its
// panel is shown.
void scanned(ConsoleRig& rig, int object) {
    rig.form->setAnimationSpeed(0);
    rig.scene().sector.infoLabel[object]->click();
    rig.player.clear();
}

}  // namespace

class ZoomCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void aClickOnAScanPanelOpensItsZoomAndItsCloseButtonBringsThePanelBack_data() {
        QTest::addColumn<int>("object");
        QTest::newRow("planet panel") << 3;
        QTest::newRow("telescope panel") << 4;
    }
    void aClickOnAScanPanelOpensItsZoomAndItsCloseButtonBringsThePanelBack() {
        QFETCH(int, object);
        ConsoleRig rig;
        scanned(rig, object);
        const bool telescope = object == 4;
        const SchematicElements& z = telescope ? rig.scene().telescopeZoom : rig.scene().starZoom;
        const Element* panel = telescope ? rig.scene().telescopePanel.panel : rig.planet().panel;
        (telescope ? rig.scene().telescopePanel.title : rig.planet().label[2])->click();
        QVERIFY(wholeViewShown(z));
        QVERIFY(rig.form->zoomViewOpen());
        QCOMPARE(rig.form->frameElements().lblCaption->text(), QStringLiteral("Short Range Scan"));
        QVERIFY(!rig.scene().sector.starsScan->visible());
        QVERIFY(!panel->visible());
        QCOMPARE(rig.player.fileNames().first(), QStringLiteral("1.wav"));
        if (!telescope) {
            QCOMPARE(z.labelName->text(), QStringLiteral("Lamda Pass [Klasse K]"));
        }

        // The pointer over the button lights it; over the view it goes dark.
        for (Element* elsewhere : {z.labels[3], z.picture, z.labelName}) {
            z.closeButton->mouseMove(QPointF(100, 100));
            QCOMPARE(z.closeButton->picture(), QStringLiteral("Back_Hell"));
            elsewhere->mouseMove(QPointF(10, 10));
            QCOMPARE(z.closeButton->picture(), QStringLiteral("Back"));
        }

        rig.player.clear();
        z.closeButton->click();
        QVERIFY(viewGone(z));
        QVERIFY(rig.scene().sector.starsScan->visible());
        QCOMPARE(rig.form->frameElements().lblCaption->text(), QStringLiteral("Field Probe 76421"));
        QVERIFY(panel->visible());
        if (!telescope) {
            QCOMPARE(rig.planet().title->text(), QStringLiteral("Lamda Pass"));
            QCOMPARE(rig.player.fileNames(), (QStringList{"1.wav", "8.wav", "9.wav", "5.wav"}));
        }
    }

    // Input handled inside a running build-up or wipe starts no second zoom,
    // scan or panel and leaves nothing half-shown; the zoom key then opens
    // the active object's view once.
    void keysAndClicksInsideABuildUpStartNothing() {
        ConsoleRig rig;
        scanned(rig, 2);
        rig.form->setAnimationSpeed(0.001);
        const SchematicElements& z = rig.scene().starZoom;
        for (int pause : {3, 60, 115}) {  // the panel's wipe, a leader, a point
            rig.inPause(pause, [&] {
                rig.form->zoomKey();
                rig.planet().title->click();
                rig.scene().telescopePanel.label[1]->click();
                rig.form->endScan();
            });
        }
        rig.form->zoomKey();
        QVERIFY(wholeViewShown(z));
        QVERIFY(viewGone(rig.scene().telescopeZoom));
        // Normal mode: nothing will close it by itself.
        QVERIFY(!rig.form->timers().tmrAutoZoomStop->isActive());
        const QStringList sounds = rig.player.fileNames();
        QCOMPARE(sounds.count(QStringLiteral("1.wav")), 1);
        QCOMPARE(sounds.count(QStringLiteral("8.wav")), 1);
        QCOMPARE(sounds.count(QStringLiteral("6.wav")), 1);
        // The stop command is refused while a zoom view is open.
        QCOMPARE(sounds.count(QStringLiteral("7.wav")), 3);
        QCOMPARE(int(rig.form->state().activeStar), 2);
    }

    void keysAndClicksInsideAWipeStartNothing() {
        ConsoleRig rig;
        scanned(rig, 2);
        rig.form->zoomKey();
        rig.player.clear();
        const SchematicElements& z = rig.scene().starZoom;
        for (int pause : {1, 4, 8}) {
            rig.inPause(pause, [&] {
                rig.form->zoomKey();
                rig.planet().title->click();
                z.closeButton->click();
            });
        }
        rig.form->hideStarZoom();
        QVERIFY(viewGone(z));
        // The panel was built once, after the wipe.
        QVERIFY(rig.planet().panel->visible() && rig.planet().title->visible());
        QCOMPARE(rig.player.fileNames(), (QStringList{"8.wav", "9.wav", "5.wav"}));
        QVERIFY(!rig.form->state().panelBusy);
    }

    void closingTheWindowInsideABuildUpLeavesEverythingAsItWas() {
        ConsoleRig rig;
        scanned(rig, 1);
        rig.form->setAnimationSpeed(0.001);
        QStringList atClose;
        rig.inPause(40, [&] {
            rig.form->close();
            atClose = visibleElements(rig.form->root());
        });
        rig.form->zoomKey();
        QCOMPARE(rig.ended, 1);
        QCOMPARE(visibleElements(rig.form->root()), atClose);
        QVERIFY(!rig.scene().starZoom.dots[0]->visible());
        QCOMPARE(rig.player.fileNames(), (QStringList{"1.wav", "8.wav"}));
        // Whatever comes later returns at once and changes nothing.
        QElapsedTimer clock;
        clock.start();
        rig.form->hideStarZoom();
        rig.form->autoZoomTick();
        rig.form->zoomPlanet(4);
        QVERIFY(clock.elapsed() < 100);
        QCOMPARE(visibleElements(rig.form->root()), atClose);
    }

    void anArrivalWithTheAutomaticZoomOpensTheViewAndItsTimerClosesIt() {
        ConsoleRig rig;
        scanned(rig, 2);
        rig.form->hidePlanetScan();
        // Six measurements, then 20 to 80 seconds: the lowest.
        rig.random = testing::ScriptedRandom({0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.0});
        rig.form->initAutoZoom();
        QVERIFY(wholeViewShown(rig.scene().starZoom));
        QVERIFY(rig.form->timers().tmrAutoZoomStop->isActive());
        for (int i = 0; i < 20; ++i) {
            rig.form->autoZoomTick();
        }
        QVERIFY(!rig.form->zoomViewOpen());
        QVERIFY(rig.planet().panel->visible());
    }

    // The screen saver's zoom key: no close button, and the view closes by
    // itself after 20 to 90 seconds.
    void onTheScreenSaverTheZoomKeyArmsTheClosingTimer() {
        ConsoleRig rig;
        testing::rebuildAsScreenSaver(rig);
        rig.form->load();
        QVERIFY(rig.form->state().scrSavMode);
        testing::stopClocks(*rig.form);  // only this test scans
        scanned(rig, 2);
        // Six measurements, then the time: the longest.
        rig.random = testing::ScriptedRandom({0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.999999});
        rig.form->zoomKey();
        const SchematicElements& z = rig.scene().starZoom;
        QVERIFY(z.picture->visible() && z.labelName->visible() && z.dots[6]->visible());
        QVERIFY(!z.closeButton->visible());
        QVERIFY(rig.form->timers().tmrAutoZoomStop->isActive());
        QCOMPARE(rig.form->autoZoom().durationSeconds(), 90);
        for (int i = 0; i < 89; ++i) {
            rig.form->autoZoomTick();
        }
        QVERIFY(rig.form->zoomViewOpen());
        rig.form->autoZoomTick();
        QVERIFY(!rig.form->zoomViewOpen());
        QVERIFY(rig.planet().panel->visible());
    }
};

QTEST_MAIN(ZoomCommandsTest)
#include "zoom_commands_test.moc"
