#pragma once

#include <cstdint>

class QTimer;

namespace ovant {

class ConsoleOps;
class RandomSource;
class ZoomViews;
struct ConsoleState;

namespace autozoom {

// Whether an arrival opens the zoom view: always, or in the random variant
// on one arrival in four (a draw of 1..4 that comes up 3).
bool arrivalOpensZoom(const ConsoleState& state, RandomSource& random);
// How long an automatically opened view stays open: 20 to 80 seconds.
int openSeconds(RandomSource& random);
// How long a view opened by the screen saver's zoom key stays open: 20 to 90 seconds.
int keyOpenSeconds(RandomSource& random);

}  // namespace autozoom

// The automatic zoom: an arrival opens the object's zoom view instead of its
// scan panel, and tmrAutoZoomStop closes it again after a drawn number of
// seconds. The closing timer is armed only once the view is drawn, so it never
// cuts into a build-up it started itself; a view the user closed early is
// simply not there to close any more.
class AutoZoom {
public:
    AutoZoom(ConsoleState& state, RandomSource& random, ZoomViews& zoom, ConsoleOps& ops,
             QTimer& timer);

    // The end of a scanner flight with the automatic zoom on.
    void initAutoZoom();
    // tmrAutoZoomStop, once a second.
    void tick();
    // Counts from 0 again and closes the open view after `seconds` ticks.
    void arm(int seconds);

    std::int32_t elapsedSeconds() const { return ticks_; }
    std::int32_t durationSeconds() const { return duration_; }

private:
    ConsoleState& state_;
    RandomSource& random_;
    ZoomViews& zoom_;
    ConsoleOps& ops_;
    QTimer& timer_;
    // Wide enough that no count wraps however long the console runs.
    std::int32_t ticks_ = 0;
    std::int32_t duration_ = 0;
};

}  // namespace ovant
