#include "scene/auto_zoom.h"

#include <QTimer>

#include "console/console_ops.h"
#include "console/console_state.h"
#include "platform/random_source.h"
#include "scene/zoom_views.h"

namespace ovant {

namespace autozoom {

bool arrivalOpensZoom(const ConsoleState& state, RandomSource& random) {
    if (!state.autoZoomRndOn) {
        return true;
    }
    return random.draw(4) == 3;
}

int openSeconds(RandomSource& random) {
    return random.between(20, 80);
}

int keyOpenSeconds(RandomSource& random) {
    return random.between(20, 90);
}

}  // namespace autozoom

AutoZoom::AutoZoom(ConsoleState& state, RandomSource& random, ZoomViews& zoom, ConsoleOps& ops,
                   QTimer& timer)
    : state_(state), random_(random), zoom_(zoom), ops_(ops), timer_(timer) {}

void AutoZoom::initAutoZoom() {
    if (!autozoom::arrivalOpensZoom(state_, random_)) {
        ops_.scanPlanet(state_.activeStar);
        return;
    }
    zoom_.zoomPlanet(state_.activeStar);
    arm(autozoom::openSeconds(random_));
}

void AutoZoom::arm(int seconds) {
    ticks_ = 0;
    duration_ = seconds;
    timer_.start();
}

void AutoZoom::tick() {
    ++ticks_;
    // Counted up from 0 after each arming, so the count meets the duration
    // exactly; the timer stops itself there and nowhere else.
    if (ticks_ < duration_) {
        return;
    }
    timer_.stop();
    if (zoom_.telescopeZoomOpen()) {
        zoom_.hideSRTZoom();
    } else if (zoom_.starZoomOpen()) {
        zoom_.hideStarZoom();
    }
}

}  // namespace ovant
