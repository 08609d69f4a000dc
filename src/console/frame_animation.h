#pragma once

#include "console/console_state.h"
#include "console/console_timers.h"
#include "console/frame_elements.h"
#include "console/number_panel.h"

namespace ovant {

class RandomSource;

// The frame's clocks: the two button animations and the two number clocks.
// Each tick changes one thing and chooses its clock's next interval; the
// palette follows the scheme in force.
class FrameAnimation {
public:
    FrameAnimation(FrameElements& frame, NumberPanel& numbers, const ConsoleState& state,
                   RandomSource& random);
    // Connects the handlers to tmrAni, tmrAni1, Timer2 and Timer3.
    void connect(const ConsoleTimers& timers);

    void tmrAniTick(QTimer& timer);
    void tmrAni1Tick(QTimer& timer);
    void timer2Tick(QTimer& timer);
    void timer3Tick(QTimer& timer);

private:
    int mode() const { return state_.redAlertActive ? 2 : 1; }

    FrameElements& frame_;
    NumberPanel& numbers_;
    const ConsoleState& state_;
    RandomSource& random_;
};

}  // namespace ovant
