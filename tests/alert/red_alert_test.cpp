#include <QtTest>

#include <cmath>

#include "alert/red_alert.h"
#include "app/main_form.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "scene/scene_elements.h"
#include "support/saver_console.h"

using namespace ovant;
using ovant::testing::ConsoleRig;
using ovant::testing::ScriptedRandom;

namespace {

// What the schemes and the chase light set on one element.
struct Look {
    QString name;
    QColor back;
    QColor fore;
    QColor border;
    QString picture;
    bool operator==(const Look& o) const {
        return back == o.back && fore == o.fore && border == o.border && picture == o.picture;
    }
};

void collect(const Element& parent, std::vector<Look>& out) {
    for (const auto& child : parent.children()) {
        out.push_back({child->name(), child->backColor(), child->foreColor(), child->borderColor(),
                       child->picture()});
        collect(*child, out);
    }
}

// Every element of the console, depth first.
std::vector<Look> looks(MainForm& form) {
    std::vector<Look> out;
    collect(form.root(), out);
    return out;
}

QString describe(const Look& l) {
    return QStringLiteral("%1: back %2 fore %3 border %4 picture %5")
        .arg(l.name, l.back.name(), l.fore.name(), l.border.name(), l.picture);
}

ConsoleRig::Setup withDraws(std::vector<double> draws, bool soundOn = true) {
    ConsoleRig::Setup setup;
    setup.draws = std::move(draws);
    setup.soundOn = soundOn;
    return setup;
}

// Whether the element and every container up to the window are shown.
bool shown(const Element* e) {
    for (; e != nullptr; e = e->parent()) {
        if (!e->visible()) {
            return false;
        }
    }
    return true;
}

bool isWhite(const QColor& c) {
    return c == QColor(255, 255, 255);
}

bool inRedButtonPalette(const QColor& c) {
    for (int index = 1; index <= 4; ++index) {
        if (c == changeColor(index, 2)) {
            return true;
        }
    }
    return false;
}

// A timer's tick, without waiting for it.
void fire(QTimer* timer) {
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

void store(const QString& redAlert, const QString& random) {
    SettingsStore settings;
    if (!redAlert.isNull()) {
        settings.saveText(settings::kScrRedAlert, redAlert);
    }
    if (!random.isNull()) {
        settings.saveText(settings::kScrRedAlertRnd, random);
    }
}

}  // namespace

class RedAlertTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void theToggleConfirmsAndAlarmsOnlyWithSoundOn_data() {
        QTest::addColumn<bool>("soundOn");
        QTest::newRow("sound on") << true;
        QTest::newRow("sound off") << false;
    }
    // The alarm sounds before the number tones, the markers and the chase
    // light turn, and nothing pauses meanwhile.
    void theToggleConfirmsAndAlarmsOnlyWithSoundOn() {
        QFETCH(bool, soundOn);
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
        const QStringList alarm = soundOn ? QStringList{"1.wav", "10.wav"} : QStringList{};
        QCOMPARE(rig.player.fileNames(), alarm);
        QVERIFY(form.state().redAlertActive);
        QVERIFY(form.timers().tmrRedAlert->isActive());
        QCOMPARE(form.timers().tmrRedAlert->interval(), 150);
        QVERIFY(isWhite(marker->backColor()));
        QVERIFY(!form.pacer().timer1().isActive());
        rig.player.clear();
        rig.form->redAlertKey();  // key R in window mode is the same toggle
        const QStringList confirm = soundOn ? QStringList{"1.wav"} : QStringList{};
        QCOMPARE(rig.player.fileNames(), confirm);
        QVERIFY(!rig.form->state().redAlertActive);
        QVERIFY(!rig.form->timers().tmrRedAlert->isActive());
    }

    // The object markers, their labels and the ship's info are coloured
    // outside the scheme table; hidden panels take the red all the same.
    void markersLabelsAndHiddenPanelsFollowTheAlarm() {
        ConsoleRig rig;
        MainForm& form = *rig.form;
        const SectorElements& sector = form.sceneElements().sector;
        const Element* hiddenText = form.sceneElements().planetPanel.label[3];
        QVERIFY(!shown(hiddenText));
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
        for (int ticks = 0; ticks <= 12; ++ticks) {
            QTest::addRow("after %d steps", ticks) << ticks;
        }
    }
    void endingInAnyStepLooksExactlyLikeAConsoleThatNeverWentRed() {
        QFETCH(int, ticks);
        // One value for every draw, so both consoles draw the same number tones.
        ConsoleRig never(withDraws({0.1}));
        never.form->redAlert().end();  // the normal scheme, nothing else
        ConsoleRig alarmed(withDraws({0.1}));
        alarmed.form->redAlert().start();
        for (int i = 0; i < ticks; ++i) {
            alarmed.form->redAlert().chaseTick();
        }
        const std::vector<Look> normal = looks(*never.form);
        QVERIFY(looks(*alarmed.form) != normal);
        alarmed.form->redAlert().end();
        const std::vector<Look> after = looks(*alarmed.form);
        QCOMPARE(after.size(), normal.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            QVERIFY2(after[i] == normal[i],
                     qPrintable(describe(after[i]) + QStringLiteral(" instead of ") +
                                describe(normal[i])));
        }
    }

    void theChaseLightGoesOnAfterTheStepWhereItStopped() {
        ConsoleRig rig;
        RedAlert& alert = rig.form->redAlert();
        const FrameElements& frame = rig.form->frameElements();
        alert.start();
        for (int i = 0; i < 3; ++i) {
            alert.chaseTick();
        }
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
        for (int i = 0; i < 7; ++i) {
            alert.chaseTick();
        }
        QCOMPARE(alert.step(), 1);
        QCOMPARE(frame.shapeOben->picture(), QStringLiteral("Shape_oben_rot"));
    }

    void theRandomAlarmStartsOnlyOnAThirtyOutOfSeventy_data() {
        QTest::addColumn<int>("drawn");
        for (int drawn : {1, 29, 30, 31, 70}) {
            QTest::addRow("%d", drawn) << drawn;
        }
    }
    void theRandomAlarmStartsOnlyOnAThirtyOutOfSeventy() {
        QFETCH(int, drawn);
        ConsoleRig rig(withDraws({ScriptedRandom::forDraw(drawn, 70), 0.5}));
        const ConsoleTimers& timers = rig.form->timers();
        timers.tmrRedAlertRnd->start();
        rig.form->redAlert().randomStartTick();
        const bool starts = drawn == 30;
        QCOMPARE(rig.form->state().redAlertActive, starts);
        QCOMPARE(timers.tmrRedAlert->isActive(), starts);
        QCOMPARE(timers.tmrRedAlertRnd->isActive(), !starts);
        QCOMPARE(timers.tmrRedAlertRndStop->isActive(), starts);
        const QStringList alarm = starts ? QStringList{"10.wav"} : QStringList{};
        QCOMPARE(rig.player.fileNames(), alarm);
    }

    void aRandomAlarmLastsExactlyItsDrawnSeconds_data() {
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("seconds");
        QTest::newRow("shortest") << 1 << 60;
        QTest::newRow("middle") << 91 << 150;
        QTest::newRow("longest") << 181 << 240;
    }
    void aRandomAlarmLastsExactlyItsDrawnSeconds() {
        QFETCH(int, drawn);
        QFETCH(int, seconds);
        // The start draw, then one value for the number tones and the length.
        ConsoleRig rig(
            withDraws({ScriptedRandom::forDraw(30, 70), ScriptedRandom::forDraw(drawn, 181)}));
        RedAlert& alert = rig.form->redAlert();
        const ConsoleTimers& timers = rig.form->timers();
        timers.tmrRedAlertRnd->start();
        alert.randomStartTick();
        QCOMPARE(alert.randomDuration(), seconds);
        QCOMPARE(timers.tmrRedAlertRndStop->interval(), 1000);
        for (int s = 1; s < seconds; ++s) {
            alert.randomStopTick();
        }
        QVERIFY(rig.form->state().redAlertActive);
        alert.randomStopTick();
        QVERIFY(!rig.form->state().redAlertActive);
        QVERIFY(!timers.tmrRedAlert->isActive());
        QVERIFY(!timers.tmrRedAlertRndStop->isActive());
        QVERIFY(timers.tmrRedAlertRnd->isActive());
        QCOMPARE(rig.form->frameElements().trennOben[1]->backColor(), palette::kLilac);
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

    void theScreenSaverStartChoosesByTheStoredPair_data() {
        QTest::addColumn<QString>("redAlert");
        QTest::addColumn<QString>("random");
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("arming");
        // Before the choice the probe console is in red alert with the arming
        // clock on, a state no choice leaves behind, so "unchanged" shows.
        QTest::newRow("permanent") << "1"
                                   << "0" << true << false;
        QTest::newRow("permanent, random missing") << "1" << QString() << true << false;
        QTest::newRow("random") << "1"
                                << "1" << false << true;
        QTest::newRow("none") << "0"
                              << "0" << false << false;
        QTest::newRow("none, random on") << "0"
                                         << "1" << false << false;
        QTest::newRow("none, random odd") << "0"
                                          << "5" << false << false;
        QTest::newRow("nothing stored") << QString() << QString() << false << false;
        QTest::newRow("red alert odd") << "2"
                                       << "0" << true << true;
        QTest::newRow("random odd") << "1"
                                    << "2" << true << true;
    }
    void theScreenSaverStartChoosesByTheStoredPair() {
        QFETCH(QString, redAlert);
        QFETCH(QString, random);
        QFETCH(bool, active);
        QFETCH(bool, arming);
        store(redAlert, random);
        ConsoleRig rig;
        rig.form->redAlert().start();
        rig.form->timers().tmrRedAlertRnd->start();
        rig.form->redAlert().selectScreenSaverMode(rig.settings);
        QCOMPARE(rig.form->state().redAlertActive, active);
        QCOMPARE(rig.form->timers().tmrRedAlertRnd->isActive(), arming);
        QVERIFY(!rig.form->timers().tmrRedAlertRndStop->isActive());
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
        for (int i = 0; i < 20000; ++i) {
            draws.push_back(std::fmod(i * 0.6180339887498949, 1.0));
        }
        ConsoleRig rig(withDraws(draws));
        MainForm& form = *rig.form;
        const FrameElements& frame = form.frameElements();
        const ConsoleTimers& timers = form.timers();
        const auto sideButtons = [&] {
            std::vector<Element*> out{frame.buttonOben[1]};
            for (int n = 1; n <= 5; ++n) {
                out.push_back(frame.buttonUnten[n]);
            }
            return out;
        };
        form.redAlert().start();
        for (int round = 0; round < 300; ++round) {
            fire(timers.tmrRedAlert);
            std::vector<bool> whiteBefore;
            for (Element* b : sideButtons()) {
                whiteBefore.push_back(isWhite(b->backColor()));
            }
            fire(timers.tmrAni);
            fire(timers.tmrAni1);
            fire(timers.timer2);
            const auto buttons = sideButtons();
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                const QColor c = buttons[i]->backColor();
                QVERIFY2(inRedButtonPalette(c) || isWhite(c), qPrintable(c.name()));
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

QTEST_MAIN(RedAlertTest)
#include "red_alert_test.moc"
