// The screen saver's rules without a window: which pointer events end it,
// the automatic zoom switches, and the automatic scan.
#include <QtTest>
#include <cmath>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "elements/element_tree.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "screensaver/auto_scan.h"
#include "screensaver/exit_rule.h"
#include "screensaver/saver_start.h"
#include "support/recording_ops.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random.h"

using namespace ovant;
using exitrule::RememberedPointer;
using ovant::testing::ScriptedRandom;

namespace {

// A few elements named as in the console, enough to tell handlers apart.
struct Tree {
    ElementTree tree{Twips(), nullptr};
    Element* picMain = tree.create(nullptr, ElementKind::Picture, QStringLiteral("PicMain"));
    Element* button = tree.create(picMain, ElementKind::Picture, QStringLiteral("ButtonOben2"));
    Element* caption = tree.create(button, ElementKind::Label, QStringLiteral("Label1(0)"));
    Element* field1 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label2(1)"));
    Element* field2 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label2(2)"));
    Element* field11 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label11(3)"));
    Element* infoLabel = tree.create(picMain, ElementKind::Label, QStringLiteral("lblStar1Info"));

    ConsoleState state;
    int exits = 0;
    ExitRule rule{state, [this] { ++exits; }};
    QStringList missing;

    explicit Tree(bool screenSaver = true) {
        state.scrSavMode = screenSaver;
        missing = rule.wire(tree);
    }
};

// Feeds the places to one remembered pointer: "." kept, "J" a jump.
QString trace(std::initializer_list<QPointF> places) {
    RememberedPointer p;
    QString out;
    for (const QPointF& at : places) out += QLatin1Char(p.jumped(at) ? 'J' : '.');
    return out;
}

}  // namespace

class SaverRulesTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    // The first event, wherever it lands, only records; so does one at the
    // origin, which the pointer keeps as "nothing recorded yet". Then only a
    // step of 20 twips or more along an axis is a jump.
    void onlyAStepOf20TwipsOrMoreFromTheKeptPlaceIsAJump() {
        QCOMPARE(trace({{9000, 7000}, {9000, 7000}, {9000, 7020}}), "..J");
        QCOMPARE(trace({{0, 0}, {5000, 5000}, {6000, 5000}}), "..J");
        // Back at the origin after a kept position is a jump like any other.
        QCOMPARE(trace({{30, 0}, {0, 0}}), ".J");
        for (const QPointF step : {QPointF(19, 0), QPointF(19, 19), QPointF(19.9, 0), QPointF()}) {
            QCOMPARE(trace({{3000, 2000}, QPointF(3000, 2000) + step}), "..");
        }
        for (const QPointF step : {QPointF(-20, 0), QPointF(0, 20), QPointF(22.5, 0)}) {
            QCOMPARE(trace({{3000, 2000}, QPointF(3000, 2000) + step}), ".J");
        }
        // A slow drag in 19-twip steps never ends.
        RememberedPointer p;
        QPointF at(100, 100);
        for (int step = 0; step < 500; ++step) {
            QVERIFY2(!p.jumped(at), qPrintable(QStringLiteral("step %1").arg(step)));
            at += QPointF(19, step % 2 == 0 ? 19 : -19);
        }
        QCOMPARE(p.lastX(), std::int64_t{100 + 499 * 19});
    }

    void halvesRoundToTheEvenWholeAndTheNextEventIsMeasuredFromIt() {
        const std::vector<std::pair<double, qint64>> cases{
            {0.5, 0},   {1.5, 2}, {2.5, 2},         {-0.5, 0},
            {-1.5, -2}, {7.6, 8}, {40000.5, 40000}, {std::nan(""), 0}};
        for (const auto& [twips, whole] : cases) {
            QCOMPARE(qint64(exitrule::roundHalfToEven(twips)), whole);
        }
        // 100.5 is kept as 100, so 120.4 is 20.4 away; 101.5 is kept as 102.
        QCOMPARE(trace({{100.5, 50}, {120.4, 50}}), ".J");
        QCOMPARE(trace({{101.5, 50}, {120.4, 50}}), "..");
    }

    void positionsBeyond32767TwipsNeitherWrapNorEnd() {
        // A screen of 4700 pixels gives 70000 twips: kept in 16 bits these
        // would wrap and a resting pointer would seem to have jumped.
        RememberedPointer p;
        p.jumped({40000, 70000});
        QCOMPARE(p.lastX(), std::int64_t{40000});
        QCOMPARE(p.lastY(), std::int64_t{70000});
        QCOMPARE(trace({{40000, 70000}, {40000, 70000}, {40015, 70015}, {40015, 70035}}), "...J");
        QCOMPARE(trace({{1e12, 1e12}, {1e12 + 10, 1e12}}), "..");
    }

    void eachHandlerKeepsItsOwnPointerAndAGroupSharesOne() {
        Tree t;
        // The press and the move of one element do not share.
        QVERIFY(!t.rule.move(t.button, {100, 100}));
        QVERIFY(!t.rule.press(t.button, {900, 100}));
        QVERIFY(!t.rule.press(t.button, {900, 100}));
        // Two elements do not share: the window itself records on its own.
        QVERIFY(!t.rule.move(&t.tree.root(), {5000, 5000}));
        QVERIFY(!t.rule.move(t.picMain, {50, 50}));
        // The same place in another member of a group: no jump.
        QVERIFY(!t.rule.move(t.field1, {100, 100}));
        QVERIFY(!t.rule.move(t.field2, {100, 100}));
        // "Label11" is a group of its own, not a member of "Label1".
        QVERIFY(!t.rule.move(t.field11, {400, 100}));
        QCOMPARE(t.exits, 0);
        QVERIFY(t.rule.move(t.button, {150, 100}));
        QVERIFY(t.rule.move(t.field2, {400, 100}));
        QCOMPARE(t.exits, 2);
    }

    void onlyListedEventsOfListedElementsEnd() {
        Tree t;
        // The info labels keep their command; the captions have no press rule.
        for (const QPointF at : {QPointF(10, 10), QPointF(3000, 3000), QPointF(9000, 10)}) {
            QVERIFY(!t.rule.move(t.infoLabel, at));
            QVERIFY(!t.rule.press(t.infoLabel, at));
            QVERIFY(!t.rule.press(t.caption, at));
        }
        QVERIFY(!t.rule.move(nullptr, {10, 10}));
        QCOMPARE(t.exits, 0);
        // The caption's move rule does apply.
        t.rule.move(t.caption, {10, 10});
        QVERIFY(t.rule.move(t.caption, {9000, 10}));
        // Names that name no element are reported; the window is always there.
        QVERIFY(t.missing.contains(QStringLiteral("PicNum")));
        for (const char* name : {"PicMain", "Label2", "MainForm"}) {
            QVERIFY2(!t.missing.contains(QLatin1String(name)), name);
        }
    }

    void theInteractiveConsoleNeitherEndsNorRecords() {
        Tree t(false);
        QVERIFY(!t.rule.move(t.picMain, {100, 100}));
        QVERIFY(!t.rule.move(t.picMain, {5000, 100}));
        QVERIFY(!t.rule.press(t.button, {100, 100}));
        QCOMPARE(t.exits, 0);
        // Nothing was kept meanwhile: the first screen-saver event records.
        t.state.scrSavMode = true;
        QVERIFY(!t.rule.move(t.picMain, {9000, 9000}));
        QVERIFY(t.rule.move(t.picMain, {100, 100}));
    }

    void theAutomaticZoomFollowsItsTwoSwitches() {
        using S = SwitchValue;
        // Before: zoom on, random closing on, so that every change shows.
        const std::vector<std::tuple<S, S, bool, bool>> cases{
            {S::On, S::Off, true, false},        // zoom, closing by time
            {S::On, S::On, true, true},          // zoom, random closing
            {S::Off, S::On, false, false},       // no zoom
            {S::Off, S::Neither, false, false},  // no zoom, other second
            {S::On, S::Neither, true, true},     // zoom, second neither
            {S::Neither, S::Off, true, true}};   // first neither
        for (const auto& [zoom, random, zoomOn, randomOn] : cases) {
            ConsoleState state;
            state.autoZoomOn = true;
            state.autoZoomRndOn = true;
            saverstart::applyAutoZoom(zoom, random, state);
            QCOMPARE(state.autoZoomOn, zoomOn);
            QCOMPARE(state.autoZoomRndOn, randomOn);
            // From both off, only the two "on" pairs change anything.
            ConsoleState off;
            saverstart::applyAutoZoom(zoom, random, off);
            QCOMPARE(off.autoZoomOn, zoom == S::On && random != S::Neither);
            QCOMPARE(off.autoZoomRndOn, zoom == S::On && random == S::On);
        }
    }

    void anAutomaticScanStepRunsOnlyWhileTheScannerIsFree() {
        // ship in sector, scan ships, ship asked for, zoom open, panel busy,
        // scanner moving -> runs
        const std::array<std::array<bool, 7>, 8> rows{{
            {false, false, false, false, false, false, true},  // all quiet
            {true, false, false, false, false, false, true},   // a ship nobody scans
            {true, true, false, false, false, false, false},   // every ship scanned
            {true, false, true, false, false, false, false},   // the ship the user asked for
            {false, true, true, false, false, false, true},    // switches on, no ship
            {false, false, false, true, false, false, false},  // a zoom view open
            {false, false, false, false, true, false, false},  // a panel building
            {false, false, false, false, false, true, false},  // the scanner flying
        }};
        for (const auto& r : rows) {
            ConsoleState state;
            state.shipInSector = r[0];
            state.scanShips = r[1];
            state.shipScanRequested = r[2];
            state.panelBusy = r[4];
            state.scannerMoving = r[5];
            QCOMPARE(autoscan::mayRun(state, r[3]), r[6]);
        }
    }

    void theAutomaticScanPicksAnotherObjectThanTheActiveOne() {
        // Draws of 3, 3 and 5 while object 3 is active: 3 is drawn again.
        ScriptedRandom random({ScriptedRandom::forDraw(3, 5), ScriptedRandom::forDraw(3, 5),
                               ScriptedRandom::forDraw(5, 5)});
        QCOMPARE(autoscan::pickObject(3, random), 5);
        QCOMPARE(random.used(), 3);
        // With no active object the first draw counts.
        ScriptedRandom first({ScriptedRandom::forDraw(1, 5)});
        QCOMPARE(autoscan::pickObject(0, first), 1);
        QCOMPARE(first.used(), 1);
        // A source stuck on the active object cannot hang the console.
        ScriptedRandom stuck({ScriptedRandom::forDraw(5, 5)});
        QCOMPARE(autoscan::pickObject(5, stuck), 1);
        ScriptedRandom stuckOnTwo({ScriptedRandom::forDraw(2, 5)});
        QCOMPARE(autoscan::pickObject(2, stuckOnTwo), 3);
    }

    void aRefusedScanStepStillDrawsItsIntervalOfTenToFiftySeconds() {
        ScriptedRandom low({0.0});
        QCOMPARE(autoscan::nextIntervalMs(low), 10000);
        ScriptedRandom high({0.9999999});
        QCOMPARE(autoscan::nextIntervalMs(high), 50000);

        ConsoleState state;
        state.activeStar = 2;
        // The refused step draws only its interval; the next one draws object
        // 4, then its interval.
        ScriptedRandom random({0.25, ScriptedRandom::forDraw(4, 5), 0.5});
        RecordingSoundPlayer player;
        SoundEffects sounds(player, QString());
        testing::RecordingOps ops;
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

    void theAutoScanSwitchTurnsScanningOffAndOnAndStoresIt() {
        ConsoleState state;
        ScriptedRandom random;
        RecordingSoundPlayer player;
        SoundEffects sounds(player, QStringLiteral(OVANT_SOUND_DIR));
        sounds.setSoundOn(true);
        testing::RecordingOps ops;
        QTimer timer;
        timer.start(6000);
        AutoScan autoScan(state, random, sounds, ops, timer);
        ElementTree tree(Twips(), nullptr);
        Element* caption = tree.create(nullptr, ElementKind::Label, QStringLiteral("Label1(8)"));
        caption->setText(QStringLiteral("* Auto Scan"));
        SettingsStore settings;
        for (const bool on : {false, true}) {
            autoScan.toggle(*caption, settings);
            QCOMPARE(timer.isActive(), on);
            QCOMPARE(caption->text(),
                     on ? QStringLiteral("* Auto Scan") : QStringLiteral("Auto Scan"));
            QCOMPARE(settings.getText(settings::kAutoScan),
                     on ? QStringLiteral("1") : QStringLiteral("0"));
        }
        QCOMPARE(player.fileNames(), (QStringList{"1.wav", "1.wav"}));
    }
};

QTEST_MAIN(SaverRulesTest)
#include "saver_rules_test.moc"
