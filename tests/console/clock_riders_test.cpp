#include <QtTest>

#include "console/clock_riders.h"

using namespace ovant;

namespace {

// A clock of 1 s, so that the little time the test itself takes between two
// lines never moves a rider across the clock's next tick.
struct Riders {
    QTimer clock;
    ClockRiders riders{clock};
    Riders() {
        clock.setInterval(1000);
        clock.start();
    }
};

// A rider whose handler counts its ticks and, like the console's number and
// label timers, may draw its next interval.
struct Rider {
    QTimer timer;
    int ticks = 0;
    std::vector<int> next;  // intervals the handler sets in turn; empty keeps it
    Rider(Riders& r, int interval) {
        timer.setInterval(interval);
        // A coarse timer may be set a little later than asked; the bounds
        // below are for the time asked.
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            if (!next.empty()) {
                timer.setInterval(next[static_cast<std::size_t>(ticks) % next.size()]);
            }
            ++ticks;
        });
        r.riders.add(&timer);
        timer.start();
    }
    // Its own tick, as the event loop would deliver it.
    void ownTick() { QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection); }
};

}  // namespace

class ClockRidersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ridersDueBeforeTheNextTickFireOnItAndKeepTheirPace() {
        Riders r;
        Rider soon(r, 400);
        soon.next = {5000, 7000};
        Rider later(r, 3000);
        Rider fast(r, 300);  // keeps its interval
        Rider off(r, 100);
        off.timer.stop();

        r.riders.tick();

        // Due in 400 ms: fires now, and its next tick is 5000 ms after the
        // time it was due, not after now.
        QCOMPARE(soon.ticks, 1);
        QVERIFY2(soon.timer.interval() > 5000 + 300 && soon.timer.interval() <= 5000 + 400,
                 qPrintable(QString::number(soon.timer.interval())));
        // Due after the clock's next tick: left alone.
        QCOMPARE(later.ticks, 0);
        QCOMPARE(later.timer.interval(), 3000);
        QVERIFY(later.timer.remainingTime() > 1000);
        // Due at 300, 600 and 900 ms: all three ride on this tick.
        QCOMPARE(fast.ticks, 3);
        QVERIFY(fast.timer.remainingTime() > 1000);
        QCOMPARE(off.ticks, 0);
        QVERIFY(!off.timer.isActive());

        // Their next own ticks come with their own intervals again: the one
        // that draws its interval keeps what it drew, the other gets its
        // 300 ms back.
        soon.ownTick();
        QCOMPARE(soon.timer.interval(), 7000);
        fast.ownTick();
        QCOMPARE(fast.timer.interval(), 300);
        QCOMPARE(fast.ticks, 4);
    }

    void stoppedClocksAndRiders() {
        Riders r;
        Rider once(r, 100);
        QObject::connect(&once.timer, &QTimer::timeout, &once.timer,
                         [&once] { once.timer.stop(); });
        r.clock.stop();
        r.riders.tick();  // a stopped clock takes no riders
        QCOMPARE(once.ticks, 0);
        QCOMPARE(once.timer.interval(), 100);
        r.clock.start();
        r.riders.tick();  // a rider stopped by its handler stays stopped
        QCOMPARE(once.ticks, 1);
        QVERIFY(!once.timer.isActive());
    }
};

QTEST_GUILESS_MAIN(ClockRidersTest)
#include "clock_riders_test.moc"
