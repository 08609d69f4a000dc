#pragma once

#include <array>

namespace ovant::timing {

// Every interval and step pause of the console in one place. Intervals are
// milliseconds, pauses seconds.

struct Range {
    int minMs;
    int maxMs;
};

// The console's periodic timers as they are created; Timer1 belongs to the pacer.
struct TimerSpec {
    const char* name;
    int intervalMs;
    bool onAtLoad;
};

inline constexpr TimerSpec kScrSavScan{"tmrScrSavScan", 6000, false};
inline constexpr TimerSpec kStarAni{"Star%1Ani", 200, true};  // one per object, 1 to 5
inline constexpr TimerSpec kAutoZoomStop{"tmrAutoZoomStop", 1000, false};
inline constexpr TimerSpec kAni{"tmrAni", 100, true};
inline constexpr TimerSpec kAni1{"tmrAni1", 100, true};
inline constexpr TimerSpec kNumberColours{"Timer2", 600, true};
inline constexpr TimerSpec kNumberFill{"Timer3", 600, true};
inline constexpr TimerSpec kShip{"tmrShip", 5000, true};
// The ship moves one step per 10 ms. Its clock wakes the console once a
// frame and takes the frame's three steps together: the steps in between
// were never shown, and each wake-up costs more than a step.
inline constexpr TimerSpec kShipAni{"tmrShipAni", 30, false};
inline constexpr int kShipStepsPerTick = 3;
inline constexpr TimerSpec kShipInfo{"tmrShipInfo", 5000, false};
inline constexpr TimerSpec kRedAlert{"tmrRedAlert", 150, false};
inline constexpr TimerSpec kRedAlertRnd{"tmrRedAlertRnd", 3000, false};
inline constexpr TimerSpec kRedAlertRndStop{"tmrRedAlertRndStop", 1000, false};

// Below this interval a timer has to be precise to keep its rate.
inline constexpr int kPreciseBelowMs = 50;

// Intervals that the animations draw anew after each tick.
inline constexpr Range kSideButtonsNext{800, 2000};  // tmrAni
inline constexpr Range kPillButtonsNext{600, 2000};  // tmrAni1
inline constexpr Range kInfoLabelNext{200, 1600};    // Star1Ani..Star5Ani
inline constexpr Range kAutoScanNext{10000, 50000};  // tmrScrSavScan
// Timer2 waits 6 ms x row x tone, Timer3 9 ms x column x a row drawn at random.
inline constexpr int kNumberColourStepMs = 6;
inline constexpr int kNumberFillStepMs = 9;

// Timer1: one tick pause of the sequences (points appearing, wipes), and the
// one long tick of the first animation while the stars are drawn.
inline constexpr int kTickMs = 40;
inline constexpr int kFirstAnimationTickMs = 1000;

// The step pause of flights and growing leaders is the stored "AniSpeed"
// (default settings::kDefaultAniSpeed).

// The start sequence's pauses between its status lines.
namespace start {
inline constexpr double kFirstStatus = 0.6;
inline constexpr double kModeQuestion = 0.3;
inline constexpr double kModeAnswer = 0.4;
inline constexpr double kGraphicsQuestion = 0.2;
inline constexpr double kGraphicsAnswer = 0.5;
inline constexpr double kSettingsQuestion = 0.3;
inline constexpr double kSettingsAnswer = 0.4;
inline constexpr double kReady = 0.3;
}  // namespace start

}  // namespace ovant::timing
