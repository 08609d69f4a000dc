#include <QtTest>

#include "platform/random_source.h"
#include "support/scripted_random.h"

using ovant::testing::ScriptedRandom;

class RandomSourceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawStaysInRangeAtBothEnds_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("expected");
        QTest::newRow("zero gives one") << 0.0 << 6 << 1;
        QTest::newRow("just below one gives n") << 0.9999999 << 6 << 6;
        QTest::newRow("a faulty exact one still gives n, never n + 1") << 1.0 << 6 << 6;
        QTest::newRow("a faulty negative value gives one") << -0.5 << 4 << 1;
        QTest::newRow("middle of the range") << 0.5 << 4 << 3;
        QTest::newRow("n of one") << 0.7 << 1 << 1;
    }
    void drawStaysInRangeAtBothEnds() {
        QFETCH(double, r);
        QFETCH(int, n);
        QFETCH(int, expected);
        ScriptedRandom random({r});
        QCOMPARE(random.draw(n), expected);
    }

    void randomNumberCoversItsWholeRange() {
        ScriptedRandom low({0.0});
        QCOMPARE(ovant::randomNumber(low), 18425);
        ScriptedRandom high({0.99999999});
        QCOMPARE(ovant::randomNumber(high), 964812);
        ScriptedRandom broken({1.0});
        QCOMPARE(ovant::randomNumber(broken), 964812);
    }

    void systemRandomIsUniformInHalfOpenUnitInterval() {
        ovant::SystemRandom random(12345);
        int buckets[10] = {};
        for (int i = 0; i < 100000; ++i) {
            const double r = random.next();
            QVERIFY(r >= 0.0 && r < 1.0);
            ++buckets[static_cast<int>(r * 10)];
        }
        for (int count : buckets) {
            QVERIFY2(count > 9000 && count < 11000,
                     "every tenth of the range is hit about equally");
        }
    }

    void drawsInOneClockTickDoNotRepeat() {
        // Reseeding from the clock before each draw used to give the same
        // value for draws within one tick.
        ovant::SystemRandom random;
        QSet<int> seen;
        for (int i = 0; i < 50; ++i) {
            seen.insert(ovant::randomNumber(random));
        }
        QVERIFY(seen.size() > 45);
    }
};

QTEST_GUILESS_MAIN(RandomSourceTest)
#include "random_source_test.moc"
