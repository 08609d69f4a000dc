#pragma once

#include <QObject>
#include <QTimer>

namespace ovant {

// The two pauses of the console's animated sequences. Both wait on the event
// loop, so timers and input run meanwhile (possibly starting, pausing in or
// ending other sequences), and both cost no CPU while they wait.
class Pacer : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 40;

    explicit Pacer(QObject* parent = nullptr);

    // Waits at least `seconds` on a monotonic clock; zero, negative or
    // not-a-number returns at once without running any event.
    void pause(double seconds);

    // Waits for the next tick of Timer1. All tick pauses share one flag and
    // one timer: a tick ends every tick pause outstanding at that moment,
    // nested ones included.
    void aniWait();
    bool aniWaitActive() const { return aniWaitActive_; }

    // The one-shot pause timer, 40 ms; the start sequence lends it 1000 ms once.
    QTimer& timer1() { return timer1_; }

Q_SIGNALS:
    void tickPauseEnded();

private:
    void timer1Tick();

    QTimer timer1_;
    bool aniWaitActive_ = false;
};

}  // namespace ovant
