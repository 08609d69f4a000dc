#include <QtTest>

#include <map>
#include <set>

#include "alert/chase_light.h"

using namespace ovant::alert;

namespace {

// The frame as the chase light leaves it: what each part was painted last.
// Red alert starts with everything red.
struct Frame {
    std::map<std::pair<ChasePart, int>, ChasePaint> paint;

    void apply(const std::vector<ChaseChange>& changes) {
        for (const ChaseChange& c : changes) {
            paint[{c.part, c.number}] = c.paint;
        }
    }
    std::set<int> white(ChasePart part) const {
        std::set<int> out;
        for (const auto& [where, p] : paint) {
            if (where.first == part && p == ChasePaint::White) {
                out.insert(where.second);
            }
        }
        return out;
    }
    ChasePaint of(ChasePart part, int number) const {
        const auto it = paint.find({part, number});
        return it == paint.end() ? ChasePaint::Red : it->second;
    }
};

}  // namespace

class ChaseLightTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theCounterRunsOneToTwelveAndStartsOverAtOne_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("next");
        QTest::newRow("never used") << 0 << 1;
        QTest::newRow("into the second half") << 6 << 7;
        QTest::newRow("last") << 12 << 1;
        QTest::newRow("out of range") << 200 << 1;
        QTest::newRow("negative") << -3 << 1;
    }
    void theCounterRunsOneToTwelveAndStartsOverAtOne() {
        QFETCH(int, step);
        QFETCH(int, next);
        QCOMPARE(nextChaseStep(step), next);
    }

    void theSecondHalfRepeatsTheFirstAndNothingElseIsAStep() {
        for (int step = 1; step <= kChasePhases; ++step) {
            QVERIFY(!chaseStep(step).empty());
            QCOMPARE(chaseStep(step + kChasePhases), chaseStep(step));
        }
        QVERIFY(chaseStep(0).empty());
        QVERIFY(chaseStep(kChaseSteps + 1).empty());
    }

    // After each step of two full rounds: which pair and side button are
    // white, and whether the block and the elbows are.
    void oneWhiteSegmentRunsAlongThePairsWhileOneRunsDownTheSide_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("whitePair");
        QTest::addColumn<int>("whiteButton");  // 0: none
        QTest::addColumn<bool>("blockWhite");
        QTest::addColumn<bool>("shapesWhite");
        for (int round = 0; round < 2; ++round) {
            const int base = round * kChaseSteps;
            for (int half = 0; half < 2; ++half) {
                const int s = base + half * kChasePhases;
                const auto row = [&](int phase) -> QTestData& {
                    return QTest::addRow("round %d step %d", round + 1, s - base + phase)
                           << s + phase;
                };
                row(1) << 2 << 5 << true << false;
                row(2) << 3 << 4 << true << false;
                row(3) << 4 << 3 << true << false;
                row(4) << 5 << 2 << true << false;
                row(5) << 6 << 1 << true << false;
                // The flash: elbows and pair 1 white, the side all red again.
                row(6) << 1 << 0 << false << true;
            }
        }
    }
    void oneWhiteSegmentRunsAlongThePairsWhileOneRunsDownTheSide() {
        QFETCH(int, step);
        QFETCH(int, whitePair);
        QFETCH(int, whiteButton);
        QFETCH(bool, blockWhite);
        QFETCH(bool, shapesWhite);
        Frame frame;
        int counter = 0;
        for (int i = 0; i < step; ++i) {
            counter = nextChaseStep(counter);
            frame.apply(chaseStep(counter));
        }
        QCOMPARE(frame.white(ChasePart::SeparatorPair), std::set<int>{whitePair});
        QCOMPARE(frame.white(ChasePart::SideButton),
                 whiteButton == 0 ? std::set<int>{} : std::set<int>{whiteButton});
        QCOMPARE(frame.of(ChasePart::Block, 0) == ChasePaint::White, blockWhite);
        QCOMPARE(frame.of(ChasePart::FrameShapes, 0) == ChasePaint::White, shapesWhite);
    }

    void aWhiteButtonTurnsToARandomRedAndASeparatorToPlainRed() {
        // The button animation mixes red tones on the buttons; the separators
        // keep the one alert red.
        Frame before;
        int counter = 0;
        for (int i = 0; i < 2 * kChaseSteps; ++i) {
            counter = nextChaseStep(counter);
            for (const ChaseChange& c : chaseStep(counter)) {
                const ChasePaint was = before.of(c.part, c.number);
                if (c.paint == ChasePaint::RandomRed) {
                    QVERIFY(c.part == ChasePart::SideButton || c.part == ChasePart::Block);
                    QCOMPARE(was, ChasePaint::White);
                }
                if (c.part == ChasePart::SeparatorPair && was == ChasePaint::White) {
                    QCOMPARE(c.paint, ChasePaint::Red);
                }
            }
            before.apply(chaseStep(counter));
        }
    }
};

QTEST_MAIN(ChaseLightTest)
#include "chase_light_test.moc"
