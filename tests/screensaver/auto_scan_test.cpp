#include <QtTest>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "elements/element_tree.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "screensaver/auto_scan.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::RecordingOps;
using ovant::testing::ScriptedRandom;

namespace {}  // namespace

class AutoScanTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void aStepRunsOnlyWhileTheScannerIsFree_data() {
        QTest::addColumn<bool>("shipInSector");
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("requested");
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("moving");
        QTest::addColumn<bool>("runs");
        QTest::newRow("all quiet") << false << false << false << false << false << false << true;
        QTest::newRow("a ship nobody scans")
            << true << false << false << false << false << false << true;
        QTest::newRow("every ship scanned")
            << true << true << false << false << false << false << false;
        QTest::newRow("the ship the user asked for")
            << true << false << true << false << false << false << false;
        QTest::newRow("Scan Ships on, no ship")
            << false << true << false << false << false << false << true;
        QTest::newRow("a zoom view open")
            << false << false << false << true << false << false << false;
        QTest::newRow("a panel building")
            << false << false << false << false << true << false << false;
        QTest::newRow("the scanner flying")
            << false << false << false << false << false << true << false;
    }
    void aStepRunsOnlyWhileTheScannerIsFree() {
        QFETCH(bool, shipInSector);
        QFETCH(bool, scanShips);
        QFETCH(bool, requested);
        QFETCH(bool, zoomed);
        QFETCH(bool, busy);
        QFETCH(bool, moving);
        QFETCH(bool, runs);
        ConsoleState state;
        state.shipInSector = shipInSector;
        state.scanShips = scanShips;
        state.shipScanRequested = requested;
        state.panelBusy = busy;
        state.scannerMoving = moving;
        QCOMPARE(autoscan::mayRun(state, zoomed), runs);
    }

    void theStepPicksAnotherObjectThanTheActiveOne() {
        // Draws of 3, 3 and 5 while object 3 is active: 3 is drawn again.
        ScriptedRandom random({ScriptedRandom::forDraw(3, 5), ScriptedRandom::forDraw(3, 5),
                               ScriptedRandom::forDraw(5, 5)});
        QCOMPARE(autoscan::pickObject(3, random), 5);
        QCOMPARE(random.used(), 3);
        // With no active object the first draw counts.
        ScriptedRandom first({ScriptedRandom::forDraw(1, 5)});
        QCOMPARE(autoscan::pickObject(0, first), 1);
        QCOMPARE(first.used(), 1);
    }

    void aSourceStuckOnTheActiveObjectCannotHangTheConsole() {
        ScriptedRandom stuck({ScriptedRandom::forDraw(5, 5)});
        QCOMPARE(autoscan::pickObject(5, stuck), 1);
        ScriptedRandom stuckOnTwo({ScriptedRandom::forDraw(2, 5)});
        QCOMPARE(autoscan::pickObject(2, stuckOnTwo), 3);
    }

    void theNextIntervalLiesBetweenTenAndFiftySeconds() {
        ScriptedRandom low({0.0});
        QCOMPARE(autoscan::nextIntervalMs(low), 10000);
        ScriptedRandom high({0.9999999});
        QCOMPARE(autoscan::nextIntervalMs(high), 50000);
    }

    void aRefusedStepStillDrawsTheNextInterval() {
        ConsoleState state;
        state.activeStar = 2;
        // The refused step draws only its interval; the next one draws object
        // 4, then its interval.
        ScriptedRandom random({0.25, ScriptedRandom::forDraw(4, 5), 0.5});
        RecordingSoundPlayer player;
        SoundEffects sounds(player, QString());
        RecordingOps ops;
        QTimer timer;
        timer.setInterval(6000);
        AutoScan autoScan(state, random, sounds, ops, timer);

        state.panelBusy = true;
        autoScan.step();
        QVERIFY(ops.calls.isEmpty());
        QCOMPARE(timer.interval(), 20000);

        state.panelBusy = false;
        autoScan.step();
        QCOMPARE(ops.calls, QStringList{"scanAnotherObject 4"});
        QCOMPARE(timer.interval(), 30000);
        QCOMPARE(random.used(), 3);
    }

    void theSwitchTurnsScanningOffAndOnAndStoresIt() {
        ConsoleState state;
        ScriptedRandom random;
        RecordingSoundPlayer player;
        SoundEffects sounds(player, QStringLiteral(OVANT_SOUND_DIR));
        sounds.setSoundOn(true);
        RecordingOps ops;
        QTimer timer;
        timer.start(6000);
        AutoScan autoScan(state, random, sounds, ops, timer);
        ElementTree tree(Twips(), nullptr);
        Element* caption = tree.create(nullptr, ElementKind::Label, QStringLiteral("Label1(8)"));
        caption->setText(QStringLiteral("* Auto Scan"));
        SettingsStore settings;

        autoScan.toggle(*caption, settings);
        QVERIFY(!timer.isActive());
        QCOMPARE(caption->text(), QStringLiteral("Auto Scan"));
        QCOMPARE(settings.getText(settings::kAutoScan), QStringLiteral("0"));

        autoScan.toggle(*caption, settings);
        QVERIFY(timer.isActive());
        QCOMPARE(caption->text(), QStringLiteral("* Auto Scan"));
        QCOMPARE(settings.getText(settings::kAutoScan), QStringLiteral("1"));
        QCOMPARE(player.fileNames(), (QStringList{"1.wav", "1.wav"}));
    }
};

QTEST_MAIN(AutoScanTest)
#include "auto_scan_test.moc"
