#pragma once

#include <QTimer>
#include <array>

namespace ovant {

// The console's periodic timers with their designed intervals; Timer1 belongs
// to the pacer. Timers that are on at load run while the window is still
// hidden, so their handlers must not assume a finished start.
struct ConsoleTimers {
    QTimer* tmrScrSavScan = nullptr;       // 6000, off
    std::array<QTimer*, 6> starAni{};      // Star1Ani..Star5Ani, 200, on
    QTimer* tmrAutoZoomStop = nullptr;     // 1000, off
    QTimer* tmrAni = nullptr;              // 100, on
    QTimer* tmrAni1 = nullptr;             // 100, on
    QTimer* timer2 = nullptr;              // 600, on: number colours
    QTimer* timer3 = nullptr;              // 600, on: number fill
    QTimer* tmrShip = nullptr;             // 5000, on
    QTimer* tmrShipAni = nullptr;          // 10, off
    QTimer* tmrShipInfo = nullptr;         // 5000, off
    QTimer* tmrRedAlert = nullptr;         // 150, off
    QTimer* tmrRedAlertRnd = nullptr;      // 3000, off
    QTimer* tmrRedAlertRndStop = nullptr;  // 1000, off
};

// Creates the timers as children of `owner` and starts those that are on.
ConsoleTimers createConsoleTimers(QObject* owner);

}  // namespace ovant
