#include <QElapsedTimer>
#include <QtTest>

#include "elements/pacing.h"

using ovant::Pacer;

class PacingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeroAndNegativePausesRunNoEvents_data() {
        QTest::addColumn<double>("seconds");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -1.0;
        QTest::newRow("not a number") << std::nan("");
    }
    void zeroAndNegativePausesRunNoEvents() {
        QFETCH(double, seconds);
        Pacer pacer{40};
        bool ran = false;
        QTimer::singleShot(0, this, [&] { ran = true; });
        pacer.pause(seconds);
        QVERIFY(!ran);
        QTRY_VERIFY(ran);
    }

    void pauseLastsAtLeastItsLengthWhileTimersRun() {
        Pacer pacer{40};
        QTimer ticker;
        int ticks = 0;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(10);
        QElapsedTimer clock;
        clock.start();
        pacer.pause(0.2);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 200, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 2000, qPrintable(QString::number(elapsed)));
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
        QElapsedTimer clock;
        clock.start();
        pacer.aniWait();
        order << QStringLiteral("outer");
        QCOMPARE(order, (QStringList{"inner", "outer"}));
        QCOMPARE(timer1Ticks, 1);
        QVERIFY(!pacer.aniWaitActive());
        QVERIFY(!pacer.timer1().isActive());
        QVERIFY(clock.elapsed() < 1000);
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

    void tickPauseLastsOneTimer1Tick() {
        Pacer pacer{40};
        QCOMPARE(pacer.timer1().interval(), 40);
        QVERIFY(!pacer.timer1().isActive());
        QElapsedTimer clock;
        clock.start();
        pacer.aniWait();
        QVERIFY(clock.elapsed() >= 35);
        pacer.timer1().setInterval(200);
        clock.restart();
        pacer.aniWait();
        QVERIFY(clock.elapsed() >= 190);
    }
};

QTEST_GUILESS_MAIN(PacingTest)
#include "pacing_test.moc"
