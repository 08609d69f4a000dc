// Red alert: the chase light's steps on their own, then the alarm in the
// console built as the program builds it.
#include <QtTest>
#include <cmath>
#include <map>
#include <set>

#include "alert/chase_light.h"
#include "alert/red_alert.h"
#include "app/main_form.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "scene/scene_elements.h"
#include "support/saver_console.h"

using namespace ovant;
using namespace ovant::alert;
using ovant::testing::ConsoleRig;
using ovant::testing::ScriptedRandom;

namespace {

// The frame as the chase light leaves it: what each part was painted last.
// Red alert starts with everything red.
struct ChaseFrame {
    std::map<std::pair<ChasePart, int>, ChasePaint> paint;

    void apply(const std::vector<ChaseChange>& changes) {
        for (const ChaseChange& c : changes) paint[{c.part, c.number}] = c.paint;
    }
    std::set<int> white(ChasePart part) const {
        std::set<int> out;
        for (const auto& [where, p] : paint) {
            if (where.first == part && p == ChasePaint::White)
                out.insert(where.second);
        }
        return out;
    }
    ChasePaint of(ChasePart part, int number) const {
        const auto it = paint.find({part, number});
        return it == paint.end() ? ChasePaint::Red : it->second;
    }
};

// What the schemes and the chase light set on every element of the console,
// depth first.
QStringList looks(const Element& parent) {
    QStringList out;
    for (const auto& child : parent.children()) {
        out << QStringLiteral("%1: back %2 fore %3 border %4 picture %5")
                   .arg(child->name(), child->backColor().name(), child->foreColor().name(),
                        child->borderColor().name(), child->picture());
        out << looks(*child);
    }
    return out;
}

ConsoleRig::Setup withDraws(std::vector<double> draws, bool soundOn = true) {
    ConsoleRig::Setup setup;
    setup.draws = std::move(draws);
    setup.soundOn = soundOn;
    return setup;
}

bool isWhite(const QColor& c) {
    return c == QColor(255, 255, 255);
}

// A timer's tick, without waiting for it.
void fire(QTimer* timer) {
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

void store(const QString& redAlert, const QString& random) {
    QFile::remove(SettingsStore::filePath());
    SettingsStore settings;
    if (!redAlert.isNull())
        settings.saveText(settings::kScrRedAlert, redAlert);
    if (!random.isNull())
        settings.saveText(settings::kScrRedAlertRnd, random);
}

}  // namespace

class AlertTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void theChaseCounterRunsOneToTwelveAndTheSecondHalfRepeatsTheFirst() {
        // Never used, into the second half, last, out of range, negative.
        for (const auto& [step, next] : {std::pair{0, 1}, std::pair{6, 7}, std::pair{12, 1},
                                         std::pair{200, 1}, std::pair{-3, 1}}) {
            QCOMPARE(nextChaseStep(step), next);
        }
        for (int step = 1; step <= kChasePhases; ++step) {
            QVERIFY(!chaseStep(step).empty());
            QCOMPARE(chaseStep(step + kChasePhases), chaseStep(step));
        }
        QVERIFY(chaseStep(0).empty());
        QVERIFY(chaseStep(kChaseSteps + 1).empty());
    }

    // After each step of two full rounds: one white segment runs along the
    // pairs while one runs down the side; the block is white until the
    // flash, when the elbows and pair 1 are white and the side is all red.
    // A white button turns to a random red, a white separator to plain red.
    void theChaseLightsWhiteSegmentsRunAlongThePairsAndDownTheSide() {
        // Per phase: white pair, white side button (0: none), block white, elbows white.
        const std::array<std::tuple<int, int, bool, bool>, kChasePhases> phases{
            {{2, 5, true, false},
             {3, 4, true, false},
             {4, 3, true, false},
             {5, 2, true, false},
             {6, 1, true, false},
             {1, 0, false, true}}};
        ChaseFrame frame;
        int counter = 0;
        for (int i = 0; i < 2 * kChaseSteps; ++i) {
            counter = nextChaseStep(counter);
            for (const ChaseChange& c : chaseStep(counter)) {
                const ChasePaint was = frame.of(c.part, c.number);
                const bool button = c.part == ChasePart::SideButton || c.part == ChasePart::Block;
                if (c.paint == ChasePaint::RandomRed) {
                    QVERIFY(button);
                    QCOMPARE(was, ChasePaint::White);
                } else if (button && was == ChasePaint::White && c.paint != ChasePaint::White) {
                    QFAIL("a white button turns to plain red");
                }
                if (c.part == ChasePart::SeparatorPair && was == ChasePaint::White) {
                    QCOMPARE(c.paint, ChasePaint::Red);
                }
            }
            frame.apply(chaseStep(counter));
            const auto& [pair, button, block, shapes] = phases[std::size_t(i % kChasePhases)];
            QCOMPARE(frame.white(ChasePart::SeparatorPair), std::set<int>{pair});
            QCOMPARE(frame.white(ChasePart::SideButton),
                     button == 0 ? std::set<int>{} : std::set<int>{button});
            QCOMPARE(frame.of(ChasePart::Block, 0) == ChasePaint::White, block);
            QCOMPARE(frame.of(ChasePart::FrameShapes, 0) == ChasePaint::White, shapes);
        }
    }

    // The alarm sounds before the number tones, the markers and the chase
    // light turn, and nothing pauses meanwhile.
    void theToggleConfirmsAndAlarmsOnlyWithSoundOn() {
        for (const bool soundOn : {true, false}) {
            ConsoleRig rig(withDraws({0.1}, soundOn));
            rig.form->redAlert().end();  // the normal scheme, as after the start
            const MainForm& form = *rig.form;
            const Element* field = form.numberElements().field[1][1];
            const Element* marker = form.sceneElements().sector.marker[1];
            bool checked = false;
            rig.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
                if (call.path.endsWith(QStringLiteral("/10.wav"))) {
                    QCOMPARE(field->foreColor(), NumberPanel::tone(Scheme::Normal, 1));
                    QVERIFY(!isWhite(marker->backColor()));
                    QVERIFY(!form.timers().tmrRedAlert->isActive());
                    checked = true;
                }
            });
            rig.form->redAlertToggle();
            QCOMPARE(checked, soundOn);
            QCOMPARE(rig.player.fileNames(),
                     (soundOn ? QStringList{"1.wav", "10.wav"} : QStringList{}));
            QVERIFY(form.state().redAlertActive);
            QVERIFY(form.timers().tmrRedAlert->isActive());
            QCOMPARE(form.timers().tmrRedAlert->interval(), 150);
            QVERIFY(isWhite(marker->backColor()));
            QVERIFY(!form.pacer().timer1().isActive());
            rig.player.clear();
            rig.form->redAlertKey();  // key R in window mode is the same toggle
            QCOMPARE(rig.player.fileNames(), soundOn ? QStringList{"1.wav"} : QStringList{});
            QVERIFY(!form.state().redAlertActive);
            QVERIFY(!form.timers().tmrRedAlert->isActive());
        }
    }

    // The object markers, their labels and the ship's info are coloured
    // outside the scheme table; hidden panels take the red all the same.
    void markersLabelsAndHiddenPanelsFollowTheAlarm() {
        ConsoleRig rig;
        MainForm& form = *rig.form;
        const SectorElements& sector = form.sceneElements().sector;
        const Element* hiddenText = form.sceneElements().planetPanel.label[3];
        QVERIFY(!form.sceneElements().planetPanel.panel->visible());
        for (const Scheme scheme : {Scheme::RedAlert, Scheme::Normal}) {
            scheme == Scheme::RedAlert ? form.redAlert().start() : form.redAlert().end();
            for (int n = 1; n <= 5; ++n) {
                QCOMPARE(sector.marker[n]->backColor(), objectMarkerColour(scheme));
                QCOMPARE(sector.infoLabel[n]->foreColor(), objectLabelColour(scheme));
            }
            QCOMPARE(form.shipElements().lblShipInfo->foreColor(), shipInfoColour(scheme));
            QCOMPARE(hiddenText->foreColor() == QColor(255, 0, 0), scheme == Scheme::RedAlert);
        }
    }

    void endingInAnyStepLooksExactlyLikeAConsoleThatNeverWentRed_data() {
        QTest::addColumn<int>("ticks");
        for (int ticks = 0; ticks <= 12; ++ticks) QTest::addRow("after %d steps", ticks) << ticks;
    }
    void endingInAnyStepLooksExactlyLikeAConsoleThatNeverWentRed() {
        QFETCH(int, ticks);
        // One value for every draw, so both consoles draw the same number tones.
        ConsoleRig never(withDraws({0.1}));
        never.form->redAlert().end();  // the normal scheme, nothing else
        ConsoleRig alarmed(withDraws({0.1}));
        alarmed.form->redAlert().start();
        for (int i = 0; i < ticks; ++i) alarmed.form->redAlert().chaseTick();
        const QStringList normal = looks(never.form->root());
        QVERIFY(looks(alarmed.form->root()) != normal);
        alarmed.form->redAlert().end();
        const QStringList after = looks(alarmed.form->root());
        QCOMPARE(after.size(), normal.size());
        for (qsizetype i = 0; i < after.size(); ++i) QCOMPARE(after[i], normal[i]);
    }

    void theChaseLightGoesOnAfterTheStepWhereItStopped() {
        ConsoleRig rig;
        RedAlert& alert = rig.form->redAlert();
        const FrameElements& frame = rig.form->frameElements();
        alert.start();
        for (int i = 0; i < 3; ++i) alert.chaseTick();
        QCOMPARE(alert.step(), 3);
        alert.end();
        alert.chaseTick();  // a tick already on its way when the alert ended
        QCOMPARE(alert.step(), 3);
        QCOMPARE(frame.trennOben[4]->backColor(), palette::kMauve);
        alert.start();
        alert.chaseTick();
        QCOMPARE(alert.step(), 4);
        // Which pair and button each step paints is the chase light's own
        // table; here only that the parts named there are the frame's.
        QVERIFY(isWhite(frame.trennOben[5]->backColor()));
        QVERIFY(isWhite(frame.trennUnten[5]->backColor()));
        QVERIFY(isWhite(frame.buttonUnten[2]->backColor()));
        alert.chaseTick();
        alert.chaseTick();
        QCOMPARE(frame.shapeOben->picture(), QStringLiteral("Shape_oben_wei\u00df"));
        QCOMPARE(frame.shapeUnten->picture(), QStringLiteral("Shape_unten_wei\u00df"));
        for (int i = 0; i < 7; ++i) alert.chaseTick();
        QCOMPARE(alert.step(), 1);
        QCOMPARE(frame.shapeOben->picture(), QStringLiteral("Shape_oben_rot"));
    }

    void theRandomAlarmStartsOnlyOnAThirtyOutOfSeventy() {
        for (const int drawn : {1, 29, 30, 31, 70}) {
            ConsoleRig rig(withDraws({ScriptedRandom::forDraw(drawn, 70), 0.5}));
            const ConsoleTimers& timers = rig.form->timers();
            timers.tmrRedAlertRnd->start();
            rig.form->redAlert().randomStartTick();
            const bool starts = drawn == 30;
            QCOMPARE(rig.form->state().redAlertActive, starts);
            QCOMPARE(timers.tmrRedAlert->isActive(), starts);
            QCOMPARE(timers.tmrRedAlertRnd->isActive(), !starts);
            QCOMPARE(timers.tmrRedAlertRndStop->isActive(), starts);
            QCOMPARE(rig.player.fileNames(), starts ? QStringList{"10.wav"} : QStringList{});
        }
    }

    void aRandomAlarmLastsExactlyItsDrawnSeconds() {
        // Shortest, middle, longest.
        for (const auto& [drawn, seconds] :
             {std::pair{1, 60}, std::pair{91, 150}, std::pair{181, 240}}) {
            // The start draw, then one value for the number tones and the length.
            ConsoleRig rig(
                withDraws({ScriptedRandom::forDraw(30, 70), ScriptedRandom::forDraw(drawn, 181)}));
            RedAlert& alert = rig.form->redAlert();
            const ConsoleTimers& timers = rig.form->timers();
            timers.tmrRedAlertRnd->start();
            alert.randomStartTick();
            QCOMPARE(alert.randomDuration(), seconds);
            QCOMPARE(timers.tmrRedAlertRndStop->interval(), 1000);
            for (int s = 1; s < seconds; ++s) alert.randomStopTick();
            QVERIFY(rig.form->state().redAlertActive);
            alert.randomStopTick();
            QVERIFY(!rig.form->state().redAlertActive);
            QVERIFY(!timers.tmrRedAlert->isActive());
            QVERIFY(!timers.tmrRedAlertRndStop->isActive());
            QVERIFY(timers.tmrRedAlertRnd->isActive());
            QCOMPARE(rig.form->frameElements().trennOben[1]->backColor(), palette::kLilac);
        }
    }

    void aRandomDrawDuringAnAlarmStartsNothing() {
        ConsoleRig rig(withDraws({ScriptedRandom::forDraw(30, 70)}));
        RedAlert& alert = rig.form->redAlert();
        const ConsoleTimers& timers = rig.form->timers();
        rig.form->redAlertToggle();
        rig.player.clear();
        timers.tmrRedAlertRnd->start();
        alert.randomStartTick();
        QVERIFY(rig.form->state().redAlertActive);
        QVERIFY(rig.player.fileNames().isEmpty());
        QVERIFY(!timers.tmrRedAlertRndStop->isActive());
        QCOMPARE(alert.randomDuration(), 0);
    }

    void theScreenSaverStartChoosesByTheStoredPair() {
        // Stored red alert and random switch (null: missing), then whether
        // the alarm runs and the random clock arms.
        const QString none;
        const std::vector<std::tuple<QString, QString, bool, bool>> cases{
            {"1", "0", true, false},   // permanent
            {"1", none, true, false},  // permanent, random missing
            {"1", "1", false, true},   // random
            {"0", "0", false, false},  // none
            {"0", "1", false, false},  // none, random on
            {"0", "5", false, false},  // none, random odd
            {none, none, false, false},
            // Odd values leave the probe as it was: in red alert with the
            // arming clock on, a state no choice leaves behind.
            {"2", "0", true, true},
            {"1", "2", true, true}};
        for (const auto& [redAlert, random, active, arming] : cases) {
            store(redAlert, random);
            ConsoleRig rig;
            rig.form->redAlert().start();
            rig.form->timers().tmrRedAlertRnd->start();
            rig.form->redAlert().selectScreenSaverMode(rig.settings);
            const QString row = redAlert + QLatin1Char('/') + random;
            QVERIFY2(rig.form->state().redAlertActive == active, qPrintable(row));
            QVERIFY2(rig.form->timers().tmrRedAlertRnd->isActive() == arming, qPrintable(row));
            QVERIFY(!rig.form->timers().tmrRedAlertRndStop->isActive());
        }
    }

    void keyRInRandomModeKeepsExactlyOneRandomClockOn() {
        store(QStringLiteral("1"), QStringLiteral("1"));
        ConsoleRig rig(withDraws({ScriptedRandom::forDraw(30, 70)}));
        RedAlert& alert = rig.form->redAlert();
        const ConsoleTimers& timers = rig.form->timers();
        const auto oneClock = [&] {
            return timers.tmrRedAlertRnd->isActive() != timers.tmrRedAlertRndStop->isActive();
        };
        alert.selectScreenSaverMode(rig.settings);
        QVERIFY(oneClock());
        alert.screenSaverKey(rig.settings);  // in by hand
        QVERIFY(rig.form->state().redAlertActive);
        QVERIFY(timers.tmrRedAlertRndStop->isActive());
        QVERIFY(oneClock());
        QCOMPARE(alert.randomSeconds(), 0);
        QCOMPARE(rig.player.fileNames(), (QStringList{"1.wav", "10.wav"}));
        alert.randomStopTick();
        alert.screenSaverKey(rig.settings);  // out by hand
        QVERIFY(!rig.form->state().redAlertActive);
        QVERIFY(timers.tmrRedAlertRnd->isActive());
        QVERIFY(oneClock());
        alert.randomStartTick();  // a random one comes
        QVERIFY(rig.form->state().redAlertActive);
        QVERIFY(oneClock());
        alert.screenSaverKey(rig.settings);  // and is ended by hand
        QVERIFY(!rig.form->state().redAlertActive);
        QVERIFY(timers.tmrRedAlertRnd->isActive());
        QVERIFY(oneClock());

        // The settings are read afresh: without the random pair R is the toggle
        // and leaves the random clocks as they are.
        store(QStringLiteral("1"), QStringLiteral("0"));
        alert.screenSaverKey(rig.settings);
        QVERIFY(rig.form->state().redAlertActive);
        QVERIFY(timers.tmrRedAlertRnd->isActive());
        QVERIFY(!timers.tmrRedAlertRndStop->isActive());
    }

    void theScreenSaverStartsInRedAlertAndRFollowsTheRandomRule() {
        store(QStringLiteral("1"), QStringLiteral("0"));
        ConsoleRig rig;
        ovant::testing::rebuildAsScreenSaver(rig);
        rig.form->load();
        const MainForm& form = *rig.form;
        QVERIFY(form.state().scrSavMode);
        QVERIFY(form.state().redAlertActive);
        QVERIFY(form.timers().tmrRedAlert->isActive());
        QVERIFY(!form.timers().tmrRedAlertRnd->isActive());
        QVERIFY(
            form.frameElements().shapeOben->picture().startsWith(QStringLiteral("Shape_oben_")));
        QVERIFY(form.frameElements().shapeOben->picture() != QStringLiteral("Shape_oben"));

        store(QStringLiteral("1"), QStringLiteral("1"));
        rig.form->redAlertKey();
        QVERIFY(!form.state().redAlertActive);
        QVERIFY(form.timers().tmrRedAlertRnd->isActive());
        QVERIFY(!form.timers().tmrRedAlertRndStop->isActive());
        QVERIFY(rig.ended == 0);
    }

    void buttonsAndNumbersKeepToTheRedPalettesWhileTheAlarmRuns() {
        // Many different draws, so every button, tone and step comes up.
        std::vector<double> draws;
        for (int i = 0; i < 20000; ++i) draws.push_back(std::fmod(i * 0.6180339887498949, 1.0));
        ConsoleRig rig(withDraws(draws));
        MainForm& form = *rig.form;
        const FrameElements& frame = form.frameElements();
        const ConsoleTimers& timers = form.timers();
        const std::vector<Element*> buttons{frame.buttonOben[1],  frame.buttonUnten[1],
                                            frame.buttonUnten[2], frame.buttonUnten[3],
                                            frame.buttonUnten[4], frame.buttonUnten[5]};
        const auto redOrWhite = [](const QColor& c) {
            for (int index = 1; index <= 4; ++index) {
                if (c == changeColor(index, 2))
                    return true;
            }
            return isWhite(c);
        };
        form.redAlert().start();
        for (int round = 0; round < 300; ++round) {
            fire(timers.tmrRedAlert);
            std::vector<bool> whiteBefore;
            for (Element* b : buttons) whiteBefore.push_back(isWhite(b->backColor()));
            fire(timers.tmrAni);
            fire(timers.tmrAni1);
            fire(timers.timer2);
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                const QColor c = buttons[i]->backColor();
                QVERIFY2(redOrWhite(c), qPrintable(c.name()));
                // A button the chase light made white stays white.
                QVERIFY(!whiteBefore[i] || isWhite(c));
            }
            // The pills' red pictures and the separators are the button
            // animation's and the chase light's own tests.
            for (int column = 1; column <= 11; ++column) {
                for (int row = 1; row <= 7; ++row) {
                    const QColor c = form.numberElements().field[column][row]->foreColor();
                    QVERIFY(c == QColor(255, 0, 0) || isWhite(c));
                }
            }
        }
    }
};

QTEST_MAIN(AlertTest)
#include "alert_test.moc"
