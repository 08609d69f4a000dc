#pragma once

#include <functional>

#include "alert/chase_light.h"
#include "platform/settings_store.h"

class QTimer;

namespace ovant {

class ElementTree;
class NumberPanel;
class RandomSource;
class SoundEffects;
struct ConsoleState;
struct FrameElements;

namespace alert {

// A random red alert: every tick of its arming clock draws 1..70 and starts
// on a 30, so on average one starts 210 s after arming; it then lasts 60 to
// 240 whole seconds.
inline constexpr int kRandomStartOdds = 70;
inline constexpr int kRandomStartHit = 30;
inline constexpr int kRandomShortestSeconds = 60;
inline constexpr int kRandomLongestSeconds = 240;

bool randomStartHits(RandomSource& random);
int randomLengthSeconds(RandomSource& random);

// What the screen-saver settings ask for at the start. "1"/"0" permanent,
// "1"/"1" random, "0" with anything none; any other stored value leaves the
// console as it is.
enum class SaverAlertMode { Permanent, Random, None, Unchanged };
SaverAlertMode saverAlertMode(SwitchValue redAlert, SwitchValue random);

}  // namespace alert

// The three clocks of red alert: the chase light (150 ms), the arming clock
// of a random red alert (3 s) and the seconds of a running one (1 s).
struct RedAlertTimers {
    QTimer* chase = nullptr;
    QTimer* randomStart = nullptr;
    QTimer* randomStop = nullptr;
};

// What red alert asks of the rest of the console: the sector objects in red,
// and the whole normal scheme back.
struct RedAlertColours {
    std::function<void()> initStarsRedAlert;
    std::function<void()> initColors;
};

// The console's alarm mode: everything recoloured red and white, an alarm
// once, and a chase light of white segments along the separators and down
// the side buttons. Switched by hand, or in screen-saver mode permanently or
// at random. Owns RedAlertActive in the console state; nothing here pauses.
class RedAlert {
public:
    RedAlert(ConsoleState& state, FrameElements& frame, NumberPanel& numbers, ElementTree& tree,
             RandomSource& random, SoundEffects& sounds, RedAlertTimers timers,
             RedAlertColours colours);

    // The red scheme and the chase light; the caller has set the flag.
    void initRedAlert();
    void start();
    void end();
    // The "Red Alert" command: confirms, then ends or starts.
    void toggle();

    // At the screen-saver start, from "ScrSav"/"RedAlert" and "RedAlertRnd".
    void selectScreenSaverMode(const SettingsStore& settings);
    // Key R in screen-saver mode, with the settings read afresh: in random
    // mode it starts or ends a random red alert, so that exactly one of the
    // two random clocks runs; otherwise it is the toggle.
    void screenSaverKey(const SettingsStore& settings);

    // The clocks' handlers.
    void chaseTick();
    void randomStartTick();
    void randomStopTick();

    int step() const { return step_; }
    int randomSeconds() const { return randomSeconds_; }
    int randomDuration() const { return randomDuration_; }

private:
    void confirm();
    void flip();
    void paint(const alert::ChaseChange& change);
    void beginRandom();
    void endRandom();

    ConsoleState& state_;
    FrameElements& frame_;
    NumberPanel& numbers_;
    ElementTree& tree_;
    RandomSource& random_;
    SoundEffects& sounds_;
    RedAlertTimers timers_;
    RedAlertColours colours_;
    // Kept across alerts: the light goes on after the step where it stopped.
    int step_ = 0;
    int randomSeconds_ = 0;
    int randomDuration_ = 0;
};

}  // namespace ovant
