// The console's two pauses, and a sequence's turn on a lane: it stands until a
// newer turn on the same lane, the end of all turns or the lane's end; a pause
// tells the sequence which.
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "elements/pacing.h"
#include "platform/process_end.h"

using ovant::Lane;
using ovant::Pacer;
using ovant::Turn;

namespace {

constexpr const char* kEndMode = "OVANT_TEST_END_IN_PAUSE";

// Ends the process from a timer inside two nested pauses; says "resumed" if a
// paused sequence ever continues afterwards.
int endInsideNestedPauses(QCoreApplication& app) {
    Pacer pacer{40};
    QTimer::singleShot(10, &app, [&] {
        QTimer::singleShot(20, [] { ovant::endProcessNow(7); });
        pacer.aniWait();
        pacer.pause(0.5);
        std::puts("resumed inner");
    });
    pacer.pause(1.0);
    std::puts("resumed outer");
    return 0;
}

qint64 msTaken(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return clock.elapsed();
}

}  // namespace

class PacingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeroAndNegativePausesRunNoEvents() {
        for (double seconds : {0.0, -1.0, std::nan("")}) {
            Pacer pacer{40};
            bool ran = false;
            QTimer::singleShot(0, this, [&] { ran = true; });
            pacer.pause(seconds);
            QVERIFY(!ran);
            QTRY_VERIFY(ran);
        }
    }

    void pauseLastsAtLeastItsLengthWhileTimersRun() {
        Pacer pacer{40};
        QTimer ticker;
        int ticks = 0;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(10);
        const qint64 elapsed = msTaken([&] { pacer.pause(0.2); });
        QVERIFY2(elapsed >= 200 && elapsed < 2000, qPrintable(QString::number(elapsed)));
        QVERIFY(ticks >= 5);
    }

    void nestedPausesReturnInnerFirst() {
        Pacer pacer{40};
        QStringList order;
        QTimer::singleShot(10, this, [&] {
            pacer.pause(0.15);
            order << QStringLiteral("inner");
        });
        pacer.pause(0.03);
        order << QStringLiteral("outer");
        QCOMPARE(order, (QStringList{"inner", "outer"}));
    }

    void tickPauseLastsOneTimer1Tick() {
        Pacer pacer{40};
        QVERIFY(!pacer.timer1().isActive());
        QVERIFY(msTaken([&] { pacer.aniWait(); }) >= 35);
        pacer.timer1().setInterval(200);
        QVERIFY(msTaken([&] { pacer.aniWait(); }) >= 190);
    }

    void oneTickEndsEveryOutstandingTickPause() {
        Pacer pacer{40};
        int timer1Ticks = 0;
        connect(&pacer, &Pacer::tickPauseEnded, this, [&] { ++timer1Ticks; });
        QStringList order;
        // A click during the outer tick pause starts a sequence that waits too.
        QTimer::singleShot(5, this, [&] {
            pacer.aniWait();
            order << QStringLiteral("inner");
        });
        QVERIFY(msTaken([&] { pacer.aniWait(); }) < 1000);
        order << QStringLiteral("outer");
        QCOMPARE(order, (QStringList{"inner", "outer"}));
        QCOMPARE(timer1Ticks, 1);
        QVERIFY(!pacer.aniWaitActive());
        QVERIFY(!pacer.timer1().isActive());
    }

    void aNestedTickPauseEndsAtTheOuterPausesTick() {
        Pacer pacer{40};
        pacer.timer1().setInterval(400);
        int timer1Ticks = 0;
        connect(&pacer, &Pacer::tickPauseEnded, this, [&] { ++timer1Ticks; });
        int remainingBeforeInner = -1;
        int remainingInsideInner = -1;
        QTimer::singleShot(150, this, [&] {
            remainingBeforeInner = pacer.timer1().remainingTime();
            // Read as soon as the inner pause runs events, before any tick.
            QTimer::singleShot(0, this,
                               [&] { remainingInsideInner = pacer.timer1().remainingTime(); });
            pacer.aniWait();
        });
        pacer.aniWait();
        QCOMPARE(timer1Ticks, 1);
        QVERIFY(remainingBeforeInner > 0);
        // Re-arming would start the count again at the full 400 ms.
        QVERIFY2(remainingInsideInner <= remainingBeforeInner,
                 qPrintable(QStringLiteral("%1 ms left before the inner pause, %2 ms inside it")
                                .arg(remainingBeforeInner)
                                .arg(remainingInsideInner)));
    }

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

    void bothPausesReportATurnTakenDuringThem() {
        Pacer pacer{40};
        Lane lane(pacer);
        const Turn outer = lane.take();
        Turn inner;
        QTimer::singleShot(5, this, [&] { inner = lane.take(); });
        QVERIFY(!pacer.pause(0.05, outer));
        QVERIFY(inner.stands());
        QVERIFY(pacer.pause(0.01, inner));
        QTimer::singleShot(5, this, [&] { (void)lane.take(); });
        QVERIFY(!pacer.aniWait(inner));
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
        bool stood = true;
        QVERIFY(msTaken([&] { stood = pacer.pause(5.0, after) || pacer.aniWait(after); }) < 1000);
        QVERIFY(!stood);
        QVERIFY2(!ran, "an ended sequence runs no events");
    }

    void aTurnWhoseLaneWentAwayDuringThePauseNoLongerStands() {
        Pacer pacer{40};
        auto lane = std::make_unique<Lane>(pacer);
        const Turn turn = lane->take();
        QTimer::singleShot(5, this, [&] { lane.reset(); });
        QVERIFY(!pacer.pause(0.05, turn));
    }

    void endingInsideNestedPausesNeverResumesThem() {
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kEndMode), QStringLiteral("1"));
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(probe.waitForFinished(10000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 7);
        QCOMPARE(probe.readAllStandardOutput(), QByteArray());
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kEndMode))
        return endInsideNestedPauses(app);
    PacingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "pacing_test.moc"