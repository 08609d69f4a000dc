#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace ovant {

class Pacer;

// A sequence's claim on the elements it animates. A newer turn on the same
// lane, the end of all turns (the window closes, the program ends) or the
// lane's owner going away while the sequence pauses all revoke it; a revoked
// turn never stands again. A default turn never stands.
class Turn {
public:
    Turn() = default;
    bool stands() const;

private:
    friend class Lane;
    struct LaneState;
    Turn(std::weak_ptr<LaneState> lane, std::weak_ptr<const bool> life, std::uint64_t serial)
        : lane_(std::move(lane)), life_(std::move(life)), serial_(serial) {}

    std::weak_ptr<LaneState> lane_;
    std::weak_ptr<const bool> life_;
    std::uint64_t serial_ = 0;
};

// Elements that one sequence at a time may animate: the scanner frame, the
// panel area over the numbers. Taking the lane supersedes the sequence that
// had it; that one stops quietly after its pause.
class Lane {
public:
    explicit Lane(const Pacer& pacer);
    Turn take();
    // Whether `turn` is the newest turn of this lane and still stands.
    bool heldBy(const Turn& turn) const;

private:
    std::shared_ptr<Turn::LaneState> state_;
    const Pacer& pacer_;
};

// The two pauses of the console's animated sequences. Both wait on the event
// loop, so timers and input run meanwhile (possibly starting, pausing in or
// ending other sequences), and both cost no CPU while they wait.
class Pacer : public QObject {
    Q_OBJECT
public:
    explicit Pacer(int tickMs, QObject* parent = nullptr);

    // Waits at least `seconds` on a monotonic clock; zero, negative or
    // not-a-number returns at once without running any event.
    void pause(double seconds);
    // The same for a sequence: tells whether its turn still stands after the
    // pause. Once all turns have ended it returns false at once.
    [[nodiscard]] bool pause(double seconds, const Turn& turn);

    // Waits for the next tick of Timer1. All tick pauses share one flag and
    // one timer: a tick ends every tick pause outstanding at that moment,
    // nested ones included.
    void aniWait();
    [[nodiscard]] bool aniWait(const Turn& turn);
    bool aniWaitActive() const { return aniWaitActive_; }
    // Pauses waiting right now, one inside the other. Input that starts a
    // sequence inside a pause nests deeper; this shows how deep.
    int pauseDepth() const { return pauseDepth_; }

    // The one-shot pause timer; the start sequence lends it a longer interval once.
    QTimer& timer1() { return timer1_; }
    const QTimer& timer1() const { return timer1_; }
    int tickMs() const { return tickMs_; }

    // The window closes or the program ends: no turn stands any more and
    // every sequence stops at its next pause.
    void endAllTurns();
    bool turnsEnded() const { return !life_; }

Q_SIGNALS:
    // A pause of some seconds and a tick pause begin; the sequences' order of
    // changes and pauses can be followed through these.
    void pauseStarted(double seconds);
    void tickPauseStarted();
    void tickPauseEnded();

private:
    friend class Lane;
    void timer1Tick();

    QTimer timer1_;
    int tickMs_;
    bool aniWaitActive_ = false;
    int pauseDepth_ = 0;
    std::shared_ptr<const bool> life_ = std::make_shared<const bool>(true);
};

}  // namespace ovant
