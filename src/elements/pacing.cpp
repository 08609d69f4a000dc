#include "elements/pacing.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cmath>
#include <limits>

namespace ovant {

namespace {
// Counts a pause for as long as it waits.
struct DepthCount {
    explicit DepthCount(int& depth) : depth_(depth) { ++depth_; }
    ~DepthCount() { --depth_; }
    DepthCount(const DepthCount&) = delete;
    DepthCount& operator=(const DepthCount&) = delete;
    int& depth_;
};
}  // namespace

struct Turn::LaneState {
    std::uint64_t serial = 0;
};

bool Turn::stands() const {
    const auto lane = lane_.lock();
    return lane != nullptr && !life_.expired() && lane->serial == serial_;
}

Lane::Lane(const Pacer& pacer) : state_(std::make_shared<Turn::LaneState>()), pacer_(pacer) {}

Turn Lane::take() {
    ++state_->serial;
    return Turn(state_, pacer_.life_, state_->serial);
}

bool Lane::heldBy(const Turn& turn) const {
    return turn.lane_.lock() == state_ && turn.stands();
}

Pacer::Pacer(int tickMs, QObject* parent) : QObject(parent), tickMs_(tickMs) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(tickMs_);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &Pacer::timer1Tick);
}

void Pacer::timer1Tick() {
    aniWaitActive_ = false;
    timer1_.stop();
    Q_EMIT tickPauseEnded();
}

void Pacer::endAllTurns() {
    life_.reset();
}

void Pacer::pause(double seconds) {
    if (!(seconds > 0.0)) {
        return;
    }
    const DepthCount counted(pauseDepth_);
    Q_EMIT pauseStarted(seconds);
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

bool Pacer::pause(double seconds, const Turn& turn) {
    if (!turn.stands()) {
        return false;
    }
    pause(seconds);
    return turn.stands();
}

void Pacer::aniWait() {
    const DepthCount counted(pauseDepth_);
    Q_EMIT tickPauseStarted();
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

bool Pacer::aniWait(const Turn& turn) {
    if (!turn.stands()) {
        return false;
    }
    aniWait();
    return turn.stands();
}

}  // namespace ovant
