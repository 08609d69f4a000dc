#include <QtTest>
#include <memory>

#include "elements/pacing.h"

using ovant::Lane;
using ovant::Pacer;
using ovant::Turn;

// A sequence's turn on a lane: it stands until a newer turn on the same lane,
// the end of all turns or the lane's end; a pause tells the sequence which.
class TurnTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewerTurnOnTheSameLaneSupersedesTheOlderOneForGood() {
        Pacer pacer{40};
        Lane lane(pacer);
        Lane other(pacer);
        const Turn first = lane.take();
        const Turn elsewhere = other.take();
        QVERIFY(first.stands() && lane.heldBy(first));
        const Turn second = lane.take();
        QVERIFY(!first.stands());
        QVERIFY(second.stands() && lane.heldBy(second));
        QVERIFY(!other.heldBy(second));
        QVERIFY2(elsewhere.stands(), "a turn on another lane is untouched");
        QVERIFY(!Turn().stands());
    }

    void aPauseReportsATurnTakenDuringIt() {
        Pacer pacer{40};
        Lane lane(pacer);
        const Turn outer = lane.take();
        Turn inner;
        QTimer::singleShot(5, this, [&] { inner = lane.take(); });
        QVERIFY(!pacer.pause(0.05, outer));
        QVERIFY(inner.stands());
        QVERIFY(pacer.pause(0.01, inner));
    }

    void aTickPauseReportsATurnTakenDuringIt() {
        Pacer pacer{40};
        Lane lane(pacer);
        const Turn outer = lane.take();
        QTimer::singleShot(5, this, [&] { (void)lane.take(); });
        QVERIFY(!pacer.aniWait(outer));
    }

    void afterTheEndNoTurnStandsAndPausesReturnAtOnce() {
        Pacer pacer{40};
        Lane lane(pacer);
        const Turn before = lane.take();
        bool ran = false;
        QObject guard;  // drops the event with the test's locals
        QTimer::singleShot(0, &guard, [&] { ran = true; });
        pacer.endAllTurns();
        QVERIFY(pacer.turnsEnded());
        QVERIFY(!before.stands());
        const Turn after = lane.take();
        QVERIFY2(!after.stands(), "a sequence started after the end never gets a turn");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!pacer.pause(5.0, after));
        QVERIFY(!pacer.aniWait(after));
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY2(!ran, "an ended sequence runs no events");
    }

    void aTurnWhoseLaneWentAwayDuringThePauseNoLongerStands() {
        Pacer pacer{40};
        auto lane = std::make_unique<Lane>(pacer);
        const Turn turn = lane->take();
        QTimer::singleShot(5, this, [&] { lane.reset(); });
        QVERIFY(!pacer.pause(0.05, turn));
    }

    void pausesAnnounceThemselvesForFollowingASequence() {
        Pacer pacer{40};
        QList<double> pauses;
        int ticks = 0;
        connect(&pacer, &Pacer::pauseStarted, this, [&](double s) { pauses << s; });
        connect(&pacer, &Pacer::tickPauseStarted, this, [&] { ++ticks; });
        pacer.pause(0.0);
        pacer.pause(0.01);
        pacer.aniWait();
        QCOMPARE(pauses, QList<double>{0.01});
        QCOMPARE(ticks, 1);
    }
};

QTEST_MAIN(TurnTest)
#include "turn_test.moc"
