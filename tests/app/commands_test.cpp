// The commands of the frame's buttons, their captions, the keys and the zoom
// views, through the console's real wiring.
#include <QElapsedTimer>
#include <QtTest>

#include "platform/settings_store.h"
#include "scene/auto_zoom.h"
#include "support/saver_console.h"
#include "windows/info_window.h"

using namespace ovant;
using ovant::testing::ConsoleRig;

namespace {

// What a command leaves behind that a user or the next start could see.
struct Outcome {
    QStringList sounds;
    int ended = 0;
    QByteArray stored;
    bool scanShips, shipInSector, redAlert, autoScanRuns;
    QString autoScanCaption, scanShipsCaption;
    bool operator==(const Outcome&) const = default;
};

Outcome outcomeOf(const ConsoleRig& rig) {
    const MainForm& form = *rig.form;
    QFile file(SettingsStore::filePath());
    return {rig.player.fileNames(),
            rig.ended,
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
            form.state().scanShips,
            form.state().shipInSector,
            form.state().redAlertActive,
            form.timers().tmrScrSavScan->isActive(),
            form.frameElements().captions[8]->text(),
            form.frameElements().captions[16]->text()};
}

// Leaves the info window with Escape as soon as it shows, noting what the
// console looked like meanwhile.
struct InfoVisit {
    bool opened = false;
    bool modal = false;
    bool soundOnWhileOpen = true;

    explicit InfoVisit(ConsoleRig& rig) {
        QTimer::singleShot(20, rig.form.get(), [&rig, this] {
            if (auto* info = rig.form->findChild<InfoWindow*>()) {
                opened = info->isVisible();
                modal = info->isModal();
                soundOnWhileOpen = rig.sounds.soundOn();
                QTest::keyClick(info, Qt::Key_Escape);
            }
        });
    }
};

// How many parts of a zoom view show, of how many.
std::pair<int, int> viewShown(const SchematicElements& z) {
    QList<const Element*> all{z.picture, z.labelName, z.closeButton};
    for (const auto* group : {&z.leaders, &z.dots, &z.labels}) {
        all.append(QList<const Element*>(group->begin(), group->end()));
    }
    return {
        int(std::count_if(all.begin(), all.end(), [](const Element* e) { return e->visible(); })),
        int(all.size())};
}
bool wholeViewShown(const SchematicElements& z) {
    return viewShown(z).first == viewShown(z).second;
}
bool viewGone(const SchematicElements& z) {
    return viewShown(z).first == 0;
}

// Which elements of the console are visible, by name.
QStringList visibleElements(const Element& e) {
    QStringList names;
    if (e.visible()) {
        names << e.name();
    }
    for (const auto& child : e.children()) {
        names << visibleElements(*child);
    }
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

class CommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void aCaptionRunsTheCommandOfItsButton_data() {
        QTest::addColumn<bool>("oben");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("caption");
        QTest::newRow("Exit") << true << 1 << 11;
        QTest::newRow("Info") << true << 3 << 9;
        QTest::newRow("Auto Scan") << true << 4 << 8;
        QTest::newRow("Red Alert") << false << 1 << 12;
        QTest::newRow("Ship") << false << 2 << 14;
        QTest::newRow("Scan Ships") << false << 3 << 16;
        QTest::newRow("End Scan") << false << 4 << 15;
    }
    void aCaptionRunsTheCommandOfItsButton() {
        QFETCH(bool, oben);
        QFETCH(int, button);
        QFETCH(int, caption);
        const auto press = [&](bool onCaption) {
            QFile::remove(SettingsStore::filePath());
            ConsoleRig rig;
            InfoVisit visit(rig);
            const FrameElements& frame = rig.form->frameElements();
            (onCaption ? frame.captions[caption]
             : oben    ? frame.buttonOben[button]
                       : frame.buttonUnten[button])
                ->click();
            return outcomeOf(rig);
        };
        const Outcome byButton = press(false);
        QVERIFY2(!byButton.sounds.isEmpty(), "every command answers with a sound");
        const Outcome byCaption = press(true);
        QCOMPARE(byCaption.sounds, byButton.sounds);
        QVERIFY(byCaption == byButton);
    }

    void numberCaptionsAndTheFirstNumberColumnDoNothing() {
        ConsoleRig rig;
        const Outcome before = outcomeOf(rig);
        for (int member : {0, 10, 13, 17}) {
            rig.form->frameElements().captions[member]->click();
        }
        for (int row = 1; row <= 7; ++row) {
            rig.form->numberElements().field[1][row]->click();
        }
        QVERIFY(outcomeOf(rig) == before);
    }

    void infoIsModalKeepsTheConsoleQuietAndLeavesSoundOn() {
        // F1 with sound on and off, and the question mark
        for (const auto& [soundBefore, questionMark] :
             {std::pair{true, false}, {false, false}, {true, true}}) {
            ConsoleRig rig;
            rig.sounds.setSoundOn(soundBefore);
            InfoVisit visit(rig);
            if (questionMark) {
                QTest::keyClick(rig.form.get(), '?', Qt::ShiftModifier);
            } else {
                QTest::keyClick(rig.form.get(), Qt::Key_F1);
            }
            QVERIFY(visit.opened && visit.modal && !visit.soundOnWhileOpen);
            QVERIFY(rig.sounds.soundOn());
            QCOMPARE(rig.player.fileNames(), soundBefore ? QStringList{"1.wav"} : QStringList{});
            QVERIFY(rig.form->findChild<InfoWindow*>() == nullptr);
        }
    }

    void theConsoleClosingWhileInfoIsOpenLeavesTheInfoLoop() {
        ConsoleRig rig;
        QTimer::singleShot(20, rig.form.get(), [&rig] { rig.form->close(); });
        QElapsedTimer clock;
        clock.start();
        rig.form->infoCommand();
        QCOMPARE(rig.ended, 1);
        QVERIFY(clock.elapsed() < 5000);
    }

    void theShipKeyIsSilentWhileAShipCrossesAndItsButtonRefuses() {
        ConsoleRig rig;
        // A held key does not repeat its command.
        QKeyEvent held(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"), true);
        QCoreApplication::sendEvent(rig.form.get(), &held);
        QVERIFY(!rig.form->state().shipInSector && rig.player.fileNames().isEmpty());
        QTest::keyClick(rig.form.get(), Qt::Key_P);
        QVERIFY(rig.form->state().shipInSector);
        QTest::keyClick(rig.form.get(), Qt::Key_P);
        QCOMPARE(rig.player.fileNames(), QStringList{"1.wav"});
        rig.form->frameElements().buttonUnten[2]->click();
        QCOMPARE(rig.player.fileNames(), (QStringList{"1.wav", "7.wav"}));
    }

    void leavingKeysEndAfterTheLeavingSound() {
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_X, Qt::KeyboardModifiers()}, {Qt::Key_F4, Qt::AltModifier}}) {
            ConsoleRig rig;
            QTest::keyClick(rig.form.get(), key, modifiers);
            QCOMPARE(rig.ended, 1);
            QCOMPARE(rig.player.fileNames(), QStringList{"2.wav"});
            QVERIFY(rig.player.calls().front().sync);
        }
    }

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
        QVERIFY(wholeViewShown(z) && rig.form->zoomViewOpen());
        QCOMPARE(rig.form->frameElements().lblCaption->text(), QStringLiteral("Short Range Scan"));
        QVERIFY(!rig.scene().sector.starsScan->visible() && !panel->visible());
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
        QVERIFY(viewGone(z) && rig.scene().sector.starsScan->visible() && panel->visible());
        QCOMPARE(rig.form->frameElements().lblCaption->text(), QStringLiteral("Field Probe 76421"));
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

    // An arrival with the automatic zoom opens the view; on the screen saver
    // the zoom key opens it too, without a close button. Either closes by
    // itself after the drawn 20 to 80 (arrival) or 20 to 90 (key) seconds.
    void theAutomaticZoomAndTheScreenSaversZoomKeyCloseByThemselves() {
        for (const bool saver : {false, true}) {
            ConsoleRig rig;
            if (saver) {
                testing::rebuildAsScreenSaver(rig);
                rig.form->load();
                QVERIFY(rig.form->state().scrSavMode);
                testing::stopClocks(*rig.form);  // only this test scans
            }
            scanned(rig, 2);
            // Six measurements, then the time: the shortest, or the longest.
            rig.random =
                testing::ScriptedRandom({0.5, 0.5, 0.5, 0.5, 0.5, 0.5, saver ? 0.999999 : 0.0});
            if (saver) {
                rig.form->zoomKey();
            } else {
                rig.form->hidePlanetScan();
                rig.form->initAutoZoom();
            }
            const SchematicElements& z = rig.scene().starZoom;
            // The whole view, but for the close button on the screen saver.
            QCOMPARE(viewShown(z).first, viewShown(z).second - int(saver));
            QCOMPARE(z.closeButton->visible(), !saver);
            QVERIFY(rig.form->timers().tmrAutoZoomStop->isActive());
            const int seconds = saver ? 90 : 20;
            QCOMPARE(rig.form->autoZoom().durationSeconds(), seconds);
            for (int i = 1; i < seconds; ++i) {
                rig.form->autoZoomTick();
            }
            QVERIFY(rig.form->zoomViewOpen());
            rig.form->autoZoomTick();
            QVERIFY(!rig.form->zoomViewOpen());
            QVERIFY(rig.planet().panel->visible());
        }
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
