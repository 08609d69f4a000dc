#include <QtTest>

#include "support/console_rig.h"
#include "support/panel_checks.h"

using namespace ovant;
using ovant::testing::ConsoleRig;
using ovant::testing::panelParts;
using ovant::testing::wholePanelGone;
using ovant::testing::wholePanelShown;

// Sequences pause with the event loop running, so clicks and other sequences
// run inside them. Whoever comes later owns the elements: the earlier sequence
// stops quietly, and nothing is left half-shown.
class SequenceTurnsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void aWipeArrivingInsideAPanelBuildLeavesTheNumbersShowing() {
        ConsoleRig rig;
        rig.form->setAnimationSpeed(0.002);
        // The third leader step of the build.
        rig.inPause(3, [&] { rig.form->hidePlanetScan(); });
        rig.form->scanPlanet(1);
        QVERIFY(wholePanelGone(rig.planet()));
        QVERIFY(rig.picNum()->visible());
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
        QVERIFY(wholePanelShown(rig.planet()));
        QCOMPARE(rig.planet().title->text(), QStringLiteral("Omicron Theta"));
        QVERIFY(!rig.picNum()->visible());
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
        QCOMPARE(rig.bracket()->left(), 7860.0);
        QCOMPARE(rig.bracket()->top(), 2310.0);
        QVERIFY(wholePanelShown(rig.planet()));
        QCOMPARE(rig.planet().title->text(), QStringLiteral("Omicron Theta"));
        QVERIFY(!rig.form->state().panelBusy && !rig.form->state().scannerMoving);
        QCOMPARE(rig.player.fileNames(),
                 (QStringList{"1.wav", "8.wav", "9.wav", "8.wav", "9.wav", "5.wav"}));
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
        QCOMPARE(rig.ended, 1);
        QVERIFY(!rig.form->isVisible());
        // The start never got to write its folder and speeds.
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
        QVERIFY(rig.player.calls().empty());
    }
};

QTEST_MAIN(SequenceTurnsTest)
#include "sequence_turns_test.moc"
