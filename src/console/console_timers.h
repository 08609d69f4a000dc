#pragma once

#include <QTimer>
#include <array>
#include <vector>

namespace ovant {

// The console's periodic timers (intervals in console/timings.h); Timer1
// belongs to the pacer. Timers that are on at load run while the window is still
// hidden, so their handlers must not assume a finished start.
struct ConsoleTimers {
    QTimer* tmrScrSavScan = nullptr;
    std::array<QTimer*, 6> starAni{};  // Star1Ani..Star5Ani at 1..5
    QTimer* tmrAutoZoomStop = nullptr;
    QTimer* tmrAni = nullptr;
    QTimer* tmrAni1 = nullptr;
    QTimer* timer2 = nullptr;
    QTimer* timer3 = nullptr;
    QTimer* tmrShip = nullptr;
    QTimer* tmrShipAni = nullptr;
    QTimer* tmrShipInfo = nullptr;
    QTimer* tmrRedAlert = nullptr;
    QTimer* tmrRedAlertRnd = nullptr;
    QTimer* tmrRedAlertRndStop = nullptr;

    // Every one of them, the five object timers included (not the pacer's).
    std::vector<QTimer*> all() const {
        return {tmrScrSavScan, tmrAutoZoomStop, tmrAni,         tmrAni1,
                timer2,        timer3,          tmrShip,        tmrShipAni,
                tmrShipInfo,   tmrRedAlert,     tmrRedAlertRnd, tmrRedAlertRndStop,
                starAni[1],    starAni[2],      starAni[3],     starAni[4],
                starAni[5]};
    }
};

// Creates the timers as children of `owner` and starts those that are on.
ConsoleTimers createConsoleTimers(QObject* owner);

}  // namespace ovant
