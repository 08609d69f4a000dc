#include "console/console_timers.h"

#include "console/timings.h"

namespace ovant {

namespace {

QTimer* makeTimer(QObject* owner, const timing::TimerSpec& design, int index = 0) {
    auto* timer = new QTimer(owner);
    const QString name = QString::fromLatin1(design.name);
    timer->setObjectName(index > 0 ? name.arg(index) : name);
    timer->setInterval(design.intervalMs);
    // The fast clocks ask for 6 to 10 ms; only a precise timer delivers that.
    timer->setTimerType(design.intervalMs < timing::kPreciseBelowMs ? Qt::PreciseTimer
                                                                    : Qt::CoarseTimer);
    if (design.onAtLoad) {
        timer->start();
    }
    return timer;
}

}  // namespace

ConsoleTimers createConsoleTimers(QObject* owner) {
    using namespace timing;
    ConsoleTimers t;
    t.tmrScrSavScan = makeTimer(owner, kScrSavScan);
    for (int i = 1; i <= 5; ++i) {
        t.starAni[i] = makeTimer(owner, kStarAni, i);
    }
    t.tmrAutoZoomStop = makeTimer(owner, kAutoZoomStop);
    t.tmrAni = makeTimer(owner, kAni);
    t.tmrAni1 = makeTimer(owner, kAni1);
    t.timer2 = makeTimer(owner, kNumberColours);
    t.timer3 = makeTimer(owner, kNumberFill);
    t.tmrShip = makeTimer(owner, kShip);
    t.tmrShipAni = makeTimer(owner, kShipAni);
    t.tmrShipInfo = makeTimer(owner, kShipInfo);
    t.tmrRedAlert = makeTimer(owner, kRedAlert);
    t.tmrRedAlertRnd = makeTimer(owner, kRedAlertRnd);
    t.tmrRedAlertRndStop = makeTimer(owner, kRedAlertRndStop);
    return t;
}

}  // namespace ovant
