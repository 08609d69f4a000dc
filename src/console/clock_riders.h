#pragma once

#include <QPointer>
#include <QTimer>
#include <deque>

namespace ovant {

// Lets slower timers take their ticks on the ticks of a faster clock while
// that clock runs. A wake-up of the program costs more than the little a
// decorative tick changes, so a rider that falls due before the clock's next
// tick fires on this tick instead of waking the program on its own. Its next
// tick is then counted from the time it was due, so it keeps its own pace;
// its change shows at most one clock step early, in the frame that the clock
// takes anyway. When the clock stops, the riders run on their own again.
//
// For repeating timers whose ticks only change looks: a rider's handler may
// set a new interval but must not pause.
class ClockRiders {
public:
    explicit ClockRiders(const QTimer& clock) : clock_(clock) {}
    ClockRiders(const ClockRiders&) = delete;
    ClockRiders& operator=(const ClockRiders&) = delete;
    ~ClockRiders();

    void add(QTimer* rider);
    // From the clock's tick, before the frame is taken.
    void tick();

    // Enough for the shortest rider interval against the slowest clock; a
    // rider that is still due after that many runs on its own meanwhile.
    static constexpr int kMostTicksPerRide = 8;

private:
    struct Rider {
        QPointer<QTimer> timer;
        QMetaObject::Connection ownTicks;
        int own = -1;        // the interval its handler left, before stretching
        int stretched = -1;  // the interval it was restarted with; -1 when not
    };
    void ownTick(Rider& rider);
    bool ride(Rider& rider, int horizon);

    const QTimer& clock_;
    std::deque<Rider> riders_;  // stable addresses for the connections
    bool riding_ = false;
};

}  // namespace ovant
