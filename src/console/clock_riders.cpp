#include "console/clock_riders.h"

namespace ovant {

void ClockRiders::add(QTimer* rider) {
    Q_ASSERT(rider != nullptr && !rider->isSingleShot());
    Rider& r = riders_.emplace_back();
    r.timer = rider;
    r.ownTicks = QObject::connect(rider, &QTimer::timeout, rider, [this, &r] { ownTick(r); });
}

ClockRiders::~ClockRiders() {
    // The timers may outlive the riders' bookkeeping.
    for (Rider& rider : riders_) {
        QObject::disconnect(rider.ownTicks);
    }
}

void ClockRiders::ownTick(Rider& rider) {
    if (riding_ || rider.stretched < 0) {
        return;
    }
    // The stretch was for one period only. A handler that sets its interval
    // anew has replaced it already; one that keeps its interval gets its own
    // back, counted from now, the time it was due.
    if (rider.timer->interval() == rider.stretched) {
        rider.timer->setInterval(rider.own);
    }
    rider.stretched = -1;
}

bool ClockRiders::ride(Rider& rider, int horizon) {
    QTimer* timer = rider.timer;
    if (timer == nullptr || !timer->isActive()) {
        return false;
    }
    const int left = timer->remainingTime();
    if (left >= horizon) {
        return false;  // its own time comes after the clock's next tick
    }
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    if (rider.timer == nullptr || !timer->isActive()) {
        return false;
    }
    // What the handler left, or the interval from before the last stretch
    // where the handler keeps its interval.
    const int own = timer->interval() == rider.stretched ? rider.own : timer->interval();
    rider.own = own;
    rider.stretched = own + left;
    timer->start(rider.stretched);
    return true;
}

void ClockRiders::tick() {
    if (!clock_.isActive()) {
        return;
    }
    const int horizon = clock_.interval();
    riding_ = true;
    for (Rider& rider : riders_) {
        for (int n = 0; n < kMostTicksPerRide && ride(rider, horizon); ++n) {
        }
    }
    riding_ = false;
}

}  // namespace ovant
