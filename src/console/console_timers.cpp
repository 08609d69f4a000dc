#include "console/console_timers.h"

namespace ovant {

namespace {

QTimer* makeTimer(QObject* owner, const QString& name, int intervalMs, bool on) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    // The fast clocks ask for 6 to 10 ms; only a precise timer delivers that.
    timer->setTimerType(intervalMs < 50 ? Qt::PreciseTimer : Qt::CoarseTimer);
    if (on) {
        timer->start();
    }
    return timer;
}

}  // namespace

ConsoleTimers createConsoleTimers(QObject* owner) {
    ConsoleTimers t;
    t.tmrScrSavScan = makeTimer(owner, QStringLiteral("tmrScrSavScan"), 6000, false);
    for (int i = 1; i <= 5; ++i) {
        t.starAni[i] = makeTimer(owner, QStringLiteral("Star%1Ani").arg(i), 200, true);
    }
    t.tmrAutoZoomStop = makeTimer(owner, QStringLiteral("tmrAutoZoomStop"), 1000, false);
    t.tmrAni = makeTimer(owner, QStringLiteral("tmrAni"), 100, true);
    t.tmrAni1 = makeTimer(owner, QStringLiteral("tmrAni1"), 100, true);
    t.timer2 = makeTimer(owner, QStringLiteral("Timer2"), 600, true);
    t.timer3 = makeTimer(owner, QStringLiteral("Timer3"), 600, true);
    t.tmrShip = makeTimer(owner, QStringLiteral("tmrShip"), 5000, true);
    t.tmrShipAni = makeTimer(owner, QStringLiteral("tmrShipAni"), 10, false);
    t.tmrShipInfo = makeTimer(owner, QStringLiteral("tmrShipInfo"), 5000, false);
    t.tmrRedAlert = makeTimer(owner, QStringLiteral("tmrRedAlert"), 150, false);
    t.tmrRedAlertRnd = makeTimer(owner, QStringLiteral("tmrRedAlertRnd"), 3000, false);
    t.tmrRedAlertRndStop = makeTimer(owner, QStringLiteral("tmrRedAlertRndStop"), 1000, false);
    return t;
}

}  // namespace ovant
