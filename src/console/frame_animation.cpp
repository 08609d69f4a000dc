#include "console/frame_animation.h"

#include "console/button_animation.h"

namespace ovant {

FrameAnimation::FrameAnimation(FrameElements& frame, NumberPanel& numbers,
                               const ConsoleState& state, RandomSource& random)
    : frame_(frame), numbers_(numbers), state_(state), random_(random) {}

void FrameAnimation::connect(const ConsoleTimers& timers) {
    QObject::connect(timers.tmrAni, &QTimer::timeout, timers.tmrAni,
                     [this, t = timers.tmrAni] { tmrAniTick(*t); });
    QObject::connect(timers.tmrAni1, &QTimer::timeout, timers.tmrAni1,
                     [this, t = timers.tmrAni1] { tmrAni1Tick(*t); });
    QObject::connect(timers.timer2, &QTimer::timeout, timers.timer2,
                     [this, t = timers.timer2] { timer2Tick(*t); });
    QObject::connect(timers.timer3, &QTimer::timeout, timers.timer3,
                     [this, t = timers.timer3] { timer3Tick(*t); });
}

void FrameAnimation::tmrAniTick(QTimer& timer) {
    const buttons::ButtonChange change = buttons::changeButtonsDraw(mode(), random_);
    Element* button =
        change.button == 1 ? frame_.buttonOben[1] : frame_.buttonUnten[change.button - 1];
    // A white button belongs to the red-alert chase light.
    if (button != nullptr && !buttons::isWhite(button->backColor())) {
        button->setBackColor(change.colour);
    }
    timer.setInterval(buttons::tmrAniInterval(random_));
}

void FrameAnimation::tmrAni1Tick(QTimer& timer) {
    if (const auto change = buttons::changeOvalButtonsDraw(mode(), random_)) {
        frame_.buttonOben[change->button]->setPicture(change->picture);
    }
    timer.setInterval(buttons::tmrAni1Interval(random_));
}

void FrameAnimation::timer2Tick(QTimer& timer) {
    timer.setInterval(
        numbers_.colourStep(state_.redAlertActive ? Scheme::RedAlert : Scheme::Normal));
}

void FrameAnimation::timer3Tick(QTimer& timer) {
    timer.setInterval(numbers_.fillStep());
}

}  // namespace ovant
