// Random input for a while, through the window and the clocks, against the
// whole console: the normal console and the screen saver. Input arrives while
// sequences pause (a pause runs the event loop, and a new event is posted from
// inside it), so flights, panel builds, wipes and zoom views are interrupted
// at every step. After every event the console must still make sense.
//
// OVANT_ENDURANCE_SECONDS: seconds for both parts together (default 30).
// OVANT_ENDURANCE_SEED: replays a run; without it every run draws a seed.
// The seed is printed at the start and in every failure. A replay repeats the
// same input; where it lands inside a pause can still differ by a few steps,
// since pauses are measured on the wall clock.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QtTest>
#include <deque>
#include <memory>
#include <random>

#include "app/main_form.h"
#include "elements/picture_store.h"
#include "platform/random_source.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "scene/scanner_geometry.h"
#include "support/panel_checks.h"
#include "support/recording_sound_player.h"
#include "windows/info_window.h"

using namespace ovant;

namespace {

// Pauses nest when input starts a sequence inside another one's pause. Each
// command refuses while the scanner or a panel moves, so only a few can be
// stacked: a wipe inside a flight inside a zoom view's closing, and so on.
constexpr int kDeepestPauseNesting = 8;

bool near(double a, double b) {
    return std::abs(a - b) < 0.5;
}

// The distances from "[" to "]" the frame takes: as built, around an
// object, parked, around a ship.
bool knownGap(double gap) {
    if (near(gap, 690) || near(gap, 600) || near(gap, 1640)) {
        return true;
    }
    return std::any_of(scanner::kTargets.begin() + 1, scanner::kTargets.end(),
                       [gap](const scanner::Frame& f) { return near(f.gap, gap); });
}

// Fills %1, %2, ... in turn.
template <typename... Args>
QString say(const char* text, const Args&... args) {
    QString s = QString::fromUtf8(text);
    ((s = s.arg(args)), ...);
    return s;
}

// A clock never ticks inside its own tick: the event loop holds a timer's
// next tick back while its handler still runs, also when the handler pauses.
// Ticks the test fires itself keep that rule, and the clocks' own ticks keep
// it against them.
class TickGuard final : public QObject {
public:
    void fire(QTimer* clock) {
        run(clock, [clock] { QMetaObject::invokeMethod(clock, "timeout"); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Timer) {
            return false;
        }
        run(watched, [watched, event] { watched->event(event); });
        return true;
    }

private:
    template <typename F>
    void run(const QObject* clock, F tick) {
        if (!ticking_.contains(clock)) {
            ticking_.insert(clock);
            tick();
            ticking_.remove(clock);
        }
    }
    QSet<const QObject*> ticking_;
};

// The whole console with a seeded random source, recorded sounds and an end
// of the process that only counts, rebuilt after every end.
class Endurance {
public:
    Endurance(StartMode mode, std::uint64_t seed, double seconds)
        : mode_(mode), seed_(seed), seconds_(seconds), input_(seed), product_(seed ^ 0x5eed) {}

    // Runs until the time is up or an invariant breaks; returns the first
    // broken invariant, empty when none broke.
    QString run() {
        QElapsedTimer clock;
        clock.start();
        build();
        while (failure_.isEmpty() && clock.elapsed() < seconds_ * 1000) {
            event();
            // Events posted from the last pauses run here, at the top.
            for (int round = 0; round < 100 && postedWaiting_ > 0; ++round) {
                QCoreApplication::processEvents();
            }
            if (ended_ > 0) {
                // The end reached every sequence: the stack is back at the top.
                // A new console takes over, as a new start of the program would.
                build();
                continue;
            }
            checkSettled();
            player_.clear();
        }
        elapsed_ = clock.elapsed() / 1000.0;
        return failure_;
    }

    QString summary() const {
        return say(
            "%1: %2 events in %3 s (%4 a second), %5 of them inside a pause; %6 settled "
            "checks; %7 ends; pauses nested at most %8 deep; seed %9",
            where(), events_, QString::number(elapsed_, 'f', 1),
            QString::number(events_ / std::max(elapsed_, 0.001), 'f', 0), nested_, settledChecks_,
            exits_, deepest_, seed_);
    }

private:
    bool saver() const { return mode_ == StartMode::ScreenSaver; }
    QString where() const { return saver() ? "screen saver" : "console"; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(input_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(input_); }
    template <typename T>
    const T& any(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(pick(int(from.size())))];
    }
    Pacer& pacer() { return const_cast<Pacer&>(form_->pacer()); }
    InfoWindow* openInfo() {
        auto* info = form_->findChild<InfoWindow*>();
        return info != nullptr && info->isVisible() ? info : nullptr;
    }

    void build() {
        ready_ = exitExpected_ = false;
        if (ended_ > 0) {
            ++exits_;
            ended_ = 0;
        }
        // Every start reads other stored options: scanned ships, automatic
        // scans, red alert and zoom views, now and then at random.
        for (const SettingKey& key :
             {settings::kAutoScan, settings::kShipScan, settings::kScrRedAlert,
              settings::kScrRedAlertRnd, settings::kScrShipScan, settings::kScrSound,
              settings::kScrAutoZoom, settings::kScrAutoZoomRnd}) {
            settings_.saveSwitch(key, chance(0.5));
        }
        ConsoleServices s;
        s.random = &product_;
        s.settings = &settings_;
        s.sounds = &sounds_;
        s.pictures = &pictures_;
        s.endProcess = [this] { ++ended_; };
        s.mode = mode_;
        s.executableFolder = QStringLiteral("/opt/ovant");
        s.screen = QRect(0, 0, 1024, 768);
        form_.reset();
        form_ = std::make_unique<MainForm>(s, nullptr);
        QObject::connect(&pacer(), &Pacer::pauseStarted, form_.get(), [this] { onPause(); });
        QObject::connect(&pacer(), &Pacer::tickPauseStarted, form_.get(), [this] { onPause(); });
        form_->load();
        // Half of the starts keep the console's clocks running beside the
        // ticks the test fires; the other half leave them to the test. The
        // pacer's own tick always runs, since every tick pause waits for it.
        guard_ = std::make_unique<TickGuard>();
        const bool clocksRun = chance(0.5);
        for (QTimer* timer : form_->findChildren<QTimer*>()) {
            if (!clocksRun) {
                timer->stop();
            }
            timer->installEventFilter(guard_.get());
        }
        pacer().timer1().installEventFilter(guard_.get());
        // Steps that do not wait at all, and short waits of several lengths.
        form_->setAnimationSpeed(std::vector<double>{0, 0.0005, 0.001, 0.002}[pick(4)]);
        ready_ = true;
    }

    // While a sequence pauses, the next event is posted now and then, so
    // that it runs inside the pause; a burst of them keeps arriving while
    // some pause waits.
    void onPause() {
        const int depth = pacer().pauseDepth();
        deepest_ = std::max(deepest_, depth);
        if (depth > kDeepestPauseNesting) {
            fail(say("pauses nested %1 deep", depth));
        }
        if (ready_ && ended_ == 0 && failure_.isEmpty() && chance(0.3)) {
            post();
        }
    }
    void post() {
        ++postedWaiting_;
        QTimer::singleShot(0, form_.get(), [this] {
            --postedWaiting_;
            if (ended_ > 0 || !failure_.isEmpty()) {
                return;
            }
            ++nested_;
            event();
            if (ended_ == 0 && pacer().pauseDepth() > 0 && chance(0.8)) {
                post();
            }
        });
    }

    void note(const QString& what) {
        recent_.push_back(say("%1@%2", what, pacer().pauseDepth()));
        if (recent_.size() > 24) {
            recent_.pop_front();
        }
    }
    void fail(const QString& what) {
        if (failure_.isEmpty()) {
            failure_ =
                say("%1 after event %2 (seed %3, %4; replay with OVANT_ENDURANCE_SEED=%3); "
                    "last events: %5",
                    what, events_, seed_, where(),
                    QStringList(recent_.begin(), recent_.end()).join(", "));
        }
    }

    // One random event: a click, a key, a command, a clock's tick.
    void event() {
        ++events_;
        const int before = ended_;
        const int kind = openInfo() != nullptr ? 2 : pick(saver() ? 8 : 10);
        if (kind <= 1) {
            commandKey();
        } else if (kind <= 3) {
            // The info window is modal: only the clocks reach the console meanwhile.
            tick();
        } else if (kind == 4) {
            // A crossing needs many motion steps; a run of them moves a ship
            // through the sector in a few events.
            const int steps = 1 + pick(200);
            note(say("motion x%1", steps));
            for (int i = 0; i < steps && ended_ == before; ++i) {
                guard_->fire(form_->timers().tmrShipAni);
            }
        } else if (kind == 5) {
            // An object's info label starts a scan; the screen saver's own
            // scan clock does the same.
            if (saver()) {
                note("auto scan");
                guard_->fire(form_->timers().tmrScrSavScan);
            } else {
                sequenceClick();
            }
        } else if (kind == 6) {
            // A trembling pointer in the frame's corner, where nothing moves.
            const QPoint corner(3 + pick(2), 3 + pick(2));
            note("tremble");
            pointer(QEvent::MouseMove, corner);
        } else if (kind == 7 && saver()) {
            note("zoom closes itself");
            guard_->fire(form_->timers().tmrAutoZoomStop);
        } else if (kind == 7) {
            note("red alert command");
            form_->redAlertToggle();
        } else {
            clickSomewhere();
        }
        // An end that this event or one inside it asked for stays expected
        // until the console is rebuilt.
        if (ended_ > before && !exitExpected_) {
            fail("the console ended by itself");
        }
        check();
    }

    // A click that starts or ends a sequence when its element shows: an info
    // label (a scan), a scan panel (a zoom view), a zoom view's close button.
    void sequenceClick() {
        const SceneElements& scene = form_->sceneElements();
        const Element* target = any(std::vector<const Element*>{
            scene.sector.infoLabel[1], scene.sector.infoLabel[2], scene.sector.infoLabel[3],
            scene.sector.infoLabel[4], scene.sector.infoLabel[5], scene.planetPanel.title,
            scene.telescopePanel.title, scene.starZoom.closeButton,
            scene.telescopeZoom.closeButton});
        if (target->shown()) {
            note("click " + target->name());
            click(target->pixelRect().center());
        }
    }

    // A click through the window on an element it shows, at a random place
    // in it. The exit button is hit rarely: a start costs four seconds.
    void clickSomewhere() {
        std::vector<const Element*> shown;
        const std::function<void(const Element&)> collect = [&](const Element& e) {
            for (const auto& child : e.children()) {
                if (child->shown() && !(child->pixelRect() & form_->rect()).isEmpty()) {
                    shown.push_back(child.get());
                    collect(*child);
                }
            }
        };
        collect(form_->root());
        const FrameElements& frame = form_->frameElements();
        for (int attempt = 0; attempt < 20; ++attempt) {
            const QRect box = any(shown)->pixelRect() & form_->rect();
            const QPoint at(box.left() + pick(box.width()), box.top() + pick(box.height()));
            const Element* hit = form_->tree().hitTest(at);
            const bool exits = hit == frame.buttonOben[1] || hit == frame.captions[11];
            if (exits && !chance(0.03)) {
                continue;
            }
            note("click " + (hit != nullptr ? hit->name() : QStringLiteral("-")));
            // The screen saver ends on a pressed or moved pointer.
            exitExpected_ = exitExpected_ || exits || saver();
            click(at);
            return;
        }
    }

    void pointer(QEvent::Type type, QPoint pixel) {
        const bool move = type == QEvent::MouseMove;
        QMouseEvent e(type, QPointF(pixel), QPointF(pixel), move ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &e);
    }
    void click(QPoint pixel) {
        leaveInfoSoon();
        const int before = ended_;
        pointer(QEvent::MouseButtonPress, pixel);
        // A press that ended the console has no release worth sending.
        if (ended_ == before) {
            pointer(QEvent::MouseButtonRelease, pixel);
        }
    }

    // Every command key of both modes, and now and then one that ends the
    // console or means nothing to it.
    void commandKey() {
        struct Key {
            int code;
            const char* text;
            Qt::KeyboardModifiers modifiers;
        };
        static const Key letters[] = {{Qt::Key_R, "r", {}}, {Qt::Key_S, "s", {}},
                                      {Qt::Key_Z, "z", {}}, {Qt::Key_H, "h", {}},
                                      {Qt::Key_P, "p", {}}, {Qt::Key_E, "e", {}}};
        static const Key others[] = {
            {Qt::Key_F1, "", {}}, {Qt::Key_Question, "?", Qt::ShiftModifier},
            {Qt::Key_A, "a", {}}, {Qt::Key_Space, " ", {}},
            {Qt::Key_X, "x", {}}, {Qt::Key_F4, "", Qt::AltModifier}};
        const bool other = chance(saver() ? 0.002 : 0.08);
        const Key& k = other ? others[pick(6)] : letters[pick(6)];
        const bool exits = other && (saver() || k.code == Qt::Key_X || k.code == Qt::Key_F4);
        if (exits && !saver() && !chance(0.05)) {
            return;
        }
        note("key " + QKeySequence(int(k.modifiers) | k.code).toString());
        exitExpected_ = exitExpected_ || exits;
        if (k.code == Qt::Key_F1 || k.code == Qt::Key_Question) {
            leaveInfoSoon();
        }
        QKeyEvent e(QEvent::KeyPress, k.code, k.modifiers, QString::fromLatin1(k.text));
        QApplication::sendEvent(form_.get(), &e);
    }

    // One tick of one of the console's clocks, fired directly. The pacer's
    // clock stands before the five object clocks, so a seed replays the
    // ticks it always did.
    void tick() {
        std::vector<QTimer*> clocks = form_->timers().all();
        clocks.insert(clocks.end() - 5, &pacer().timer1());
        QTimer* clock = any(clocks);
        note("tick " + clock->objectName());
        guard_->fire(clock);
    }

    // The info window waits for its user; this one leaves it after a moment.
    void leaveInfoSoon() {
        QTimer::singleShot(20 + pick(200), form_.get(), [this] {
            if (InfoWindow* info = openInfo()) {
                note("leave info");
                QTest::keyClick(info, Qt::Key_Escape);
            }
        });
    }

    // Which of the panels over the numbers show: numbers, planet, telescope, ship.
    std::array<bool, 4> panels() const {
        const SceneElements& scene = form_->sceneElements();
        return {form_->numberElements().picNum->visible(), scene.planetPanel.panel->visible(),
                scene.telescopePanel.panel->visible(),
                form_->shipElements().picShipScan->visible()};
    }

    // What must hold after every event, also in the middle of a sequence.
    void check() {
        if (ended_ > 0) {
            return;
        }
        const SceneElements& scene = form_->sceneElements();
        const auto p = panels();
        if (std::count(p.begin(), p.end(), true) > 1) {
            fail(say("panels shown together (numbers %1, planet %2, telescope %3, ship %4)", p[0],
                     p[1], p[2], p[3]));
        }
        if (scene.starZoom.picture->visible() && scene.telescopeZoom.picture->visible()) {
            fail("both zoom views shown");
        }
        const int active = form_->state().activeStar;
        if (active < 0 || active > 5) {
            fail(say("ActiveStar %1", active));
        }

        // The brackets and their lines are one frame: shown together, at one
        // height, the lines level and leaving the brackets where they stand.
        const Element* open = scene.sector.lblScanner[0];
        const Element* close = scene.sector.lblScanner[1];
        const Element* line0 = scene.sector.lineScan[0];
        const Element* line1 = scene.sector.lineScan[1];
        const bool shown = open->visible();
        if (close->visible() != shown || line0->visible() != shown || line1->visible() != shown) {
            fail(say("scanner parts shown apart ([ %1, ] %2, lines %3 %4)", shown, close->visible(),
                     line0->visible(), line1->visible()));
        }
        const double lineY = scanner::lineHeightFor(open->top(), open->height());
        if (shown &&
            !(near(open->top(), close->top()) && near(line0->y1(), lineY) &&
              near(line0->y2(), lineY) && near(line1->y1(), lineY) && near(line1->y2(), lineY) &&
              (near(line0->x1(), open->left()) ||
               near(line0->x1(), open->left() + scanner::kPlacedLine0Offset)) &&
              near(line1->x1(), close->left() + scanner::kLine1Offset) &&
              knownGap(close->left() - open->left()))) {
            fail(say(
                "scanner frame apart: [ at %1,%2, ] at %3,%4, lines from %5 and %6 at %7 and %8",
                open->left(), open->top(), close->left(), close->top(), line0->x1(), line1->x1(),
                line0->y1(), line1->y1()));
        }
    }

    // What must hold once no sequence runs any more: nothing half built.
    void checkSettled() {
        check();
        if (ended_ > 0) {
            return;
        }
        ++settledChecks_;
        const ConsoleState& state = form_->state();
        const SceneElements& scene = form_->sceneElements();
        if (state.panelBusy || state.scannerMoving) {
            fail(say("settled with the panel busy %1, the scanner moving %2", state.panelBusy,
                     state.scannerMoving));
        }
        for (const LeaderPanelLayout* p : {&scene.planetPanel, &scene.telescopePanel}) {
            if (!testing::wholePanelShown(*p) && !testing::wholePanelGone(*p)) {
                fail("settled with " + p->panel->name() + " half built");
            }
        }
        const auto p = panels();
        if (std::count(p.begin(), p.end(), true) != 1) {
            fail("settled with no panel over the numbers");
        }
        for (const SchematicElements* z : {&scene.starZoom, &scene.telescopeZoom}) {
            // A whole view shows its name last; a closed one gives the sector back.
            const bool whole = z->labelName->visible() && (saver() || z->closeButton->visible());
            if (z->picture->visible() && !whole) {
                fail("settled with " + z->picture->name() + " half built");
            }
        }
        const bool zoomOpen =
            scene.starZoom.picture->visible() || scene.telescopeZoom.picture->visible();
        // With no ship about, the frame stands around the active object, or
        // parked outside the sector when none is active. Under a zoom view it
        // may still stand where a ship left it: the view puts it back as it
        // closes, and the check after that event looks again.
        const Element* open = scene.sector.lblScanner[0];
        const auto at = [&](const scanner::Frame& f) {
            return near(open->left(), f.x) && near(open->top(), f.y) &&
                   near(scene.sector.lblScanner[1]->left() - open->left(), f.gap);
        };
        if (!state.shipInSector && !zoomOpen && open->visible() &&
            !(state.activeStar > 0
                  ? at(scanner::kTargets[state.activeStar])
                  : std::any_of(scanner::kParking.begin() + 1, scanner::kParking.end(), at))) {
            fail(say("settled with the frame at %1,%2 for object %3", open->left(), open->top(),
                     state.activeStar));
        }
        if (zoomOpen == scene.sector.starsScan->visible()) {
            fail(say("settled with the sector %1 a zoom view", zoomOpen ? "over" : "gone without"));
        }
    }

    const StartMode mode_;
    const std::uint64_t seed_;
    const double seconds_;
    std::mt19937_64 input_;
    SystemRandom product_;
    RecordingSoundPlayer player_;
    SoundEffects sounds_{player_, QStringLiteral(OVANT_SOUND_DIR)};
    SettingsStore settings_;
    PictureStore pictures_;
    std::unique_ptr<TickGuard> guard_;
    std::unique_ptr<MainForm> form_;
    int ended_ = 0;
    bool exitExpected_ = false;
    bool ready_ = false;
    int postedWaiting_ = 0;
    std::deque<QString> recent_;
    QString failure_;
    // Figures for the summary.
    int events_ = 0, nested_ = 0, exits_ = 0, deepest_ = 0, settledChecks_ = 0;
    double elapsed_ = 0;
};

// The length asked for with OVANT_ENDURANCE_SECONDS, or 30 s.
double requestedSeconds() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("OVANT_ENDURANCE_SECONDS").toDouble(&ok);
    return ok && seconds > 0 ? seconds : 30;
}

}  // namespace

class EnduranceTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;
    std::uint64_t seed_ = QRandomGenerator::global()->generate64();
    double seconds_ = requestedSeconds();

public:
    // QtTest kills a test function that runs longer than five minutes as
    // hung, which a long run's parts do: raise the limit to the whole run and
    // two minutes more, unless the caller set it. The whole run, not a part's
    // share: the library's watchdog can miss the short gap between two
    // functions and time both together. This runs before the library reads
    // the limit.
    static void initMain() {
        if (qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
            return;
        const auto limitMs = static_cast<qint64>((requestedSeconds() + 120) * 1000);
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(limitMs));
    }

private:
    void endure(StartMode mode) {
        Endurance endurance(mode, seed_, seconds_ / 2);
        const QString failure = endurance.run();
        qInfo().noquote() << endurance.summary();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        bool ok = false;
        const qulonglong seed = qEnvironmentVariable("OVANT_ENDURANCE_SEED").toULongLong(&ok);
        seed_ = ok ? seed : seed_;
        qInfo().noquote() << say("seed %1, %2 s", seed_, seconds_);
    }

    void theConsoleStaysWholeUnderRandomInput() { endure(StartMode::Normal); }
    void theScreenSaverStaysWholeUnderRandomInput() { endure(StartMode::ScreenSaver); }
};

QTEST_MAIN(EnduranceTest)
#include "endurance_test.moc"
