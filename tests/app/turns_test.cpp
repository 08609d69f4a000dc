#include <QtTest>

#include "platform/settings_keys.h"
#include "scene/scanner_geometry.h"
#include "support/console_rig.h"
#include "support/panel_checks.h"

using namespace ovant;
using ovant::testing::ConsoleRig;
using ovant::testing::ScriptedRandom;
using ovant::testing::wholePanelGone;
using ovant::testing::wholePanelShown;

namespace {

constexpr int kSectorWidth = 9315;

// The draws of a ship that enters at the bottom edge at (50, 5060) and
// flies straight up to (100, targetY): it cannot move left towards a target
// on its right, so only its height changes, 5 twips a step.
void pushShipDraws(ScriptedRandom& random, int targetY) {
    random.push((100 - 10 + 0.5) / 7741.0);
    random.push((targetY - 10 + 0.5) / 5031.0);
    random.pushDraw(4, 4);
    random.push((50 + 0.5) / kSectorWidth);
    random.pushDraw(3, 9);
    random.pushDraw(4, 5);
}

// The console with its clocks stopped; a test moves the ship tick by tick,
// each tick running as the motion clock would run it.
struct Crossing {
    ConsoleRig rig;

    Crossing() { rig.form->setAnimationSpeed(0.001); }

    const ConsoleState& state() const { return rig.form->state(); }
    Element* shipPanel() const { return rig.form->shipElements().picShipScan; }
    Element* fedShip() const { return rig.form->shipElements().fedShip; }
    QTimer* motion() const { return rig.form->timers().tmrShipAni; }

    // Sends a ship (key P) and takes its motion clock over.
    void sendShip(int targetY) {
        pushShipDraws(rig.random, targetY);
        rig.form->shipCommand(false);
        QVERIFY(state().shipInSector);
        QVERIFY(motion()->isActive());
        motion()->stop();
    }
    // Runs up to `n` ticks of the motion clock, three steps each; fewer if
    // the ship jumps away first.
    void ticks(int n) {
        for (int i = 0; i < n && state().shipInSector; ++i) {
            QMetaObject::invokeMethod(motion(), "timeout", Qt::DirectConnection);
        }
    }
    bool scannerAt(int object) const {
        const scanner::Frame& f = scanner::kTargets[static_cast<std::size_t>(object)];
        return rig.bracket()->left() == f.x && rig.bracket()->top() == f.y &&
               rig.scene().sector.lblScanner[1]->left() == f.x + f.gap;
    }
    bool scannerFramesShip() const {
        return rig.bracket()->left() == fedShip()->left() - 250 &&
               rig.bracket()->top() == fedShip()->top() - 330;
    }
    // Empty when the scanner stands on Delta Vega again with its whole panel
    // over the numbers and nothing runs; else what is wrong.
    QString backOnDeltaVega() const {
        QStringList wrong;
        const auto expect = [&](bool ok, const char* what) {
            if (!ok) {
                wrong << QString::fromLatin1(what);
            }
        };
        expect(scannerAt(1), "scanner elsewhere");
        expect(wholePanelShown(rig.planet()), "panel not whole");
        expect(!shipPanel()->visible() && !rig.picNum()->visible(), "other panel shown");
        expect(!state().panelBusy && !state().scannerMoving, "still running");
        return wrong.join(QStringLiteral(", "));
    }
};

}  // namespace

// Sequences pause with the event loop running, so clicks, other sequences and
// crossing ships run inside them. Whoever comes later owns the scanner and
// the elements: the earlier sequence stops quietly, and nothing is left
// half-shown.
class TurnsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void aJumpInsideAPanelBuildStopsItAndThePanelIsBuiltOnce() {
        Crossing c;
        c.rig.form->infoLabelClick(1);
        QVERIFY(wholePanelShown(c.rig.planet()));
        c.rig.form->scanShipsSwitch();
        QVERIFY(c.state().scanShips);

        // The first ship is followed until it jumps, 14 steps up: on the
        // fifth tick.
        c.sendShip(4990);
        c.ticks(1);
        QVERIFY(c.shipPanel()->visible() && !c.rig.planet().panel->visible());
        c.ticks(3);
        QVERIFY(c.scannerFramesShip() && c.state().shipInSector);

        // Its jump sends the scanner back to Delta Vega, whose panel starts
        // to build; a second ship comes and jumps within four steps while
        // that build pauses.
        bool secondShipJumped = false, buildWasHalfDone = false, fired = false;
        const auto secondShip = [&] {
            if (fired || !c.state().panelBusy || !c.rig.planet().panel->visible()) {
                return;
            }
            fired = true;
            buildWasHalfDone = !wholePanelShown(c.rig.planet());
            // Runs inside the pause, as the motion clock would.
            QTimer::singleShot(0, c.rig.form.get(), [&] {
                c.rig.player.clear();
                c.sendShip(5040);
                c.ticks(2);
                secondShipJumped = !c.state().shipInSector;
            });
        };
        QObject::connect(&c.rig.form->pacer(), &Pacer::pauseStarted, c.rig.form.get(), secondShip);
        QObject::connect(&c.rig.form->pacer(), &Pacer::tickPauseStarted, c.rig.form.get(),
                         secondShip);
        c.ticks(1);

        QVERIFY(secondShipJumped && buildWasHalfDone && !c.state().shipInSector);
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));
        QCOMPARE(c.rig.planet().title->text(), QStringLiteral("Delta Vega"));
        // Since the second ship came the panel was built once, to its end;
        // the build it cut short never got to its closing sounds.
        QCOMPARE(c.rig.player.fileNames().count(QStringLiteral("5.wav")), 1);
        QCOMPARE(c.rig.player.fileNames().first(), QStringLiteral("1.wav"));
    }

    // While a ship crosses, a decorative clock due before the ship clock's
    // next tick takes its tick on this one instead of waking the console on
    // its own; one due later waits for its own time.
    void decorativeClocksDueBeforeTheNextTickRideOnTheShipsClock() {
        Crossing c;
        pushShipDraws(c.rig.random, 4000);
        c.rig.form->shipCommand(false);
        QVERIFY(c.motion()->isActive());
        const ConsoleTimers& t = c.rig.form->timers();
        int colourTicks = 0;
        int labelTicks = 0;
        QObject::connect(t.timer2, &QTimer::timeout, t.timer2, [&] { ++colourTicks; });
        QObject::connect(t.starAni[3], &QTimer::timeout, t.starAni[3], [&] { ++labelTicks; });
        t.timer2->start(5);
        t.starAni[3]->start(10000);

        QMetaObject::invokeMethod(c.motion(), "timeout", Qt::DirectConnection);
        QVERIFY(colourTicks >= 1);
        QCOMPARE(labelTicks, 0);
        QVERIFY(t.starAni[3]->remainingTime() > c.motion()->interval());
    }

    void endScanOfARequestedShipScanSendsTheScannerBackForGood() {
        Crossing c;
        c.rig.form->infoLabelClick(1);
        QVERIFY(wholePanelShown(c.rig.planet()));
        c.sendShip(4000);
        // Key H asks for the scan; the next step follows the ship.
        c.rig.form->shipScanRequest();
        QVERIFY(c.state().shipScanRequested);
        c.ticks(1);
        QVERIFY(c.scannerFramesShip());
        QVERIFY(c.shipPanel()->visible());

        c.rig.player.clear();
        c.rig.form->endScan();
        QVERIFY(!c.state().shipScanRequested);
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));
        // One flight back and one build, each with its sounds.
        QCOMPARE(c.rig.player.fileNames(),
                 (QStringList{"8.wav", "9.wav", "8.wav", "9.wav", "5.wav"}));

        // The ship travels on and jumps: the scanner stays, nothing is
        // wiped or built again.
        c.rig.player.clear();
        c.ticks(1000);
        QVERIFY(!c.state().shipInSector);
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));
        QVERIFY(c.rig.player.calls().empty());
    }

    void switchingScanShipsOffMidCrossingSendsTheScannerBackAtOnce() {
        Crossing c;
        c.rig.form->infoLabelClick(1);
        c.rig.form->scanShipsSwitch();
        Element* caption = c.rig.form->frameElements().captions[16];
        QCOMPARE(caption->text(), QStringLiteral("* Scan Ships"));
        c.sendShip(4000);
        c.ticks(1);
        QVERIFY(c.scannerFramesShip() && c.shipPanel()->visible());

        c.rig.form->scanShipsSwitch();
        QVERIFY(c.state().shipInSector && !c.state().scanShips);
        QCOMPARE(caption->text(), QStringLiteral("Scan Ships"));
        QCOMPARE(c.rig.settings.getText(settings::kShipScan), QStringLiteral("0"));
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));

        // The ship's later steps no longer take the scanner.
        c.ticks(3);
        QVERIFY(c.state().shipInSector && c.scannerAt(1) && !c.shipPanel()->visible());
    }

    void aWipeArrivingInsideAPanelBuildLeavesTheNumbersShowing() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.002);
        // The third leader step of the build.
        rig.inPause(3, [&] { rig.form->hidePlanetScan(); });
        rig.form->scanPlanet(1);
        QVERIFY(wholePanelGone(rig.planet()) && rig.picNum()->visible());
        QVERIFY(!rig.form->state().panelBusy);
        // The build stopped before its arrival sounds.
        QCOMPARE(rig.player.fileNames(), QStringList{"8.wav"});
    }

    void aBuildArrivingInsideAWipeIsShownWhole() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0);
        rig.form->scanPlanet(1);
        QVERIFY(wholePanelShown(rig.planet()));
        rig.inPause(2, [&] { rig.form->scanPlanet(2); });
        rig.form->hidePlanetScan();
        QVERIFY(wholePanelShown(rig.planet()) && !rig.picNum()->visible());
        QCOMPARE(rig.planet().title->text(), QStringLiteral("Omicron Theta"));
        QVERIFY(!rig.form->state().panelBusy);
    }

    void aSecondScanRequestInsideAWipeIsIgnored() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.001);
        rig.form->infoLabelClick(1);
        QVERIFY(wholePanelShown(rig.planet()));
        rig.player.clear();
        // Object 2 wipes object 1's panel; a click on object 3 meanwhile finds
        // the panel busy and changes nothing.
        rig.inPause(1, [&] { rig.form->infoLabelClick(3); });
        rig.form->infoLabelClick(2);
        QCOMPARE(int(rig.form->state().activeStar), 2);
        QCOMPARE(QPointF(rig.bracket()->left(), rig.bracket()->top()), QPointF(7860, 2310));
        QVERIFY(wholePanelShown(rig.planet()));
        QCOMPARE(rig.planet().title->text(), QStringLiteral("Omicron Theta"));
        QVERIFY(!rig.form->state().panelBusy && !rig.form->state().scannerMoving);
        QCOMPARE(rig.player.fileNames(),
                 (QStringList{"1.wav", "8.wav", "9.wav", "8.wav", "9.wav", "5.wav"}));
    }

    void aShipJumpingInsideEndScansWipeKeepsTheScannerOnItsObject() {
        Crossing c;
        c.rig.form->scanShipsSwitch();
        c.rig.form->infoLabelClick(1);
        QVERIFY(wholePanelShown(c.rig.planet()));
        // End Scan wipes Delta Vega's panel; meanwhile a scanned ship comes
        // and jumps away, and sends the scanner back to the active object.
        c.rig.inPause(1, [&] {
            c.sendShip(4000);
            c.ticks(1000);
        });
        c.rig.form->endScan();
        QVERIFY(!c.state().shipInSector);
        QCOMPARE(int(c.state().activeStar), 1);
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));
    }

    void aShipSentWhileTheScannerFliesBackLetsTheFlightArrive() {
        Crossing c;
        c.rig.form->infoLabelClick(1);
        c.sendShip(4000);
        c.rig.form->shipScanRequest();
        c.ticks(1);
        QVERIFY(c.scannerFramesShip());
        // The ship the user asked for jumps away; on the scanner's way back
        // another ship comes, which nobody asked to scan.
        c.rig.inPause(4, [&] { c.sendShip(4000); });
        c.ticks(1000);
        QVERIFY(!c.state().shipInSector && !c.state().shipScanRequested);
        QVERIFY2(c.backOnDeltaVega().isEmpty(), qPrintable(c.backOnDeltaVega()));
    }

    void endScanInsideAFlightIsRefusedAndTheFlightArrives() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.001);
        rig.inPause(5, [&] { rig.form->endScan(); });
        rig.form->infoLabelClick(3);
        QCOMPARE(rig.player.fileNames().mid(0, 2), (QStringList{"8.wav", "7.wav"}));
        QCOMPARE(int(rig.form->state().activeStar), 3);
        QCOMPARE(rig.bracket()->left(), 100.0);
        QVERIFY(wholePanelShown(rig.planet()));
        QVERIFY(!rig.form->state().panelBusy && !rig.form->state().scannerMoving);
    }

    void noSequenceGoesOnAfterTheConsoleEnded() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.001);
        double leftAtEnd = 0;
        rig.inPause(5, [&] {
            rig.form->exitConsole();
            leftAtEnd = rig.bracket()->left();
        });
        rig.form->infoLabelClick(5);
        QCOMPARE(rig.ended, 1);
        QCOMPARE(rig.bracket()->left(), leftAtEnd);
        QVERIFY(!rig.planet().panel->visible());
        QCOMPARE(rig.player.fileNames().last(), QStringLiteral("2.wav"));
        // A later command finds every turn gone and pauses no more.
        QElapsedTimer clock;
        clock.start();
        rig.form->scanPlanet(1);
        QVERIFY(clock.elapsed() < 500);
    }

    void closingTheWindowDuringTheStartEndsTheStart() {
        ConsoleRig rig;
        QFile::remove(SettingsStore::filePath());
        rig.inPause(1, [&] { rig.form->close(); });
        rig.form->load();
        QVERIFY(rig.ended == 1 && !rig.form->isVisible());
        // The start never got to write its folder and speeds.
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
        QVERIFY(rig.player.calls().empty());
    }
};

QTEST_MAIN(TurnsTest)
#include "turns_test.moc"
