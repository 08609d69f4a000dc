#include "console/pacing.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cmath>
#include <limits>

namespace ovant {

Pacer::Pacer(QObject* parent) : QObject(parent) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(kTickMs);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &Pacer::timer1Tick);
}

void Pacer::timer1Tick() {
    aniWaitActive_ = false;
    timer1_.stop();
    Q_EMIT tickPauseEnded();
}

void Pacer::pause(double seconds) {
    if (!(seconds > 0.0)) {
        return;
    }
    const double maxNs = static_cast<double>(std::numeric_limits<qint64>::max() / 2);
    const auto wantedNs = static_cast<qint64>(std::min(seconds * 1e9, maxNs));
    QElapsedTimer clock;  // monotonic: a clock set backwards cannot stretch a pause
    clock.start();
    for (;;) {
        const qint64 leftNs = wantedNs - clock.nsecsElapsed();
        if (leftNs <= 0) {
            return;
        }
        const qint64 leftMs = std::min<qint64>((leftNs + 999'999) / 1'000'000, 24 * 3600 * 1000);
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(leftMs), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

void Pacer::aniWait() {
    aniWaitActive_ = true;
    // Arming an armed pause keeps its running count.
    if (!timer1_.isActive()) {
        timer1_.start();
    }
    while (aniWaitActive_) {
        QEventLoop loop;
        connect(this, &Pacer::tickPauseEnded, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace ovant
