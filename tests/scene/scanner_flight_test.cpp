#include <QtTest>
#include <cmath>

#include "scene/scanner_flight.h"

using ovant::scanner::Flight;
using ovant::scanner::FlightPosition;
using ovant::scanner::Frame;
using ovant::scanner::kParking;
using ovant::scanner::kTargets;

namespace {

// Runs the flight to its end and returns the number of passes; gives up after
// a generous bound so a flight that never ends fails instead of hanging.
int flyToEnd(Flight& flight) {
    int guard = 0;
    while (flight.step()) {
        if (++guard > 10000) {
            return -1;
        }
    }
    return flight.passes();
}

FlightPosition at(const Frame& frame) {
    return {frame.x, frame.y};
}

}  // namespace

class ScannerFlightTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Start, target, passes to the end, where the frame stops.
    void flightsInEveryDirection_data() {
        QTest::addColumn<double>("startLeft");
        QTest::addColumn<double>("startTop");
        QTest::addColumn<double>("targetLeft");
        QTest::addColumn<double>("targetTop");
        QTest::addColumn<int>("passes");
        QTest::addColumn<double>("endLeft");
        QTest::addColumn<double>("endTop");
        // Down and right by 500 each: the down move also steps off Y = 500.
        QTest::newRow("pure diagonal down and right")
            << 0.0 << 0.0 << 500.0 << 500.0 << 7 << 500.0 << 600.0;
        QTest::newRow("pure diagonal up and left")
            << 500.0 << 500.0 << 0.0 << 0.0 << 6 << 0.0 << 0.0;
        QTest::newRow("left and up, uneven, overshoots both")
            << 1000.0 << 900.0 << 750.0 << 420.0 << 6 << 700.0 << 400.0;
        QTest::newRow("right and down, uneven, overshoots both")
            << 0.0 << 0.0 << 250.0 << 130.0 << 4 << 300.0 << 200.0;
        QTest::newRow("straight up") << 300.0 << 800.0 << 300.0 << 300.0 << 6 << 300.0 << 300.0;
        QTest::newRow("straight down, one step past the target")
            << 300.0 << 300.0 << 300.0 << 800.0 << 7 << 300.0 << 900.0;
        // Downwards also moves while level, so no flight is ever purely horizontal.
        QTest::newRow("level to the left, still one step down")
            << 900.0 << 40.0 << 400.0 << 40.0 << 6 << 400.0 << 140.0;
        QTest::newRow("left and just above the target, one step up past it")
            << 900.0 << 50.0 << 400.0 << 40.0 << 6 << 400.0 << -50.0;
        // Standing on its target it still takes two passes and ends one step lower.
        const Frame still = kTargets[1];
        QTest::newRow("to where it stands")
            << still.x << still.y << still.x << still.y << 2 << still.x << still.y + 100;
        // Left and up together for 34 passes, then 78 straight left and one
        // more to mark X done: it lands on X but overshoots Y.
        QTest::newRow("from the lower right corner to Lamda Pass")
            << kParking[4].x << kParking[4].y << kTargets[3].x << kTargets[3].y << 113 << 100.0
            << 3600.0;
        QTest::newRow("from a ship's fractional position")
            << 1234.5 << 987.25 << 1000.0 << 1000.0 << 4 << 934.5 << 1087.25;
    }
    void flightsInEveryDirection() {
        QFETCH(double, startLeft);
        QFETCH(double, startTop);
        QFETCH(double, targetLeft);
        QFETCH(double, targetTop);
        QFETCH(int, passes);
        QFETCH(double, endLeft);
        QFETCH(double, endTop);
        Flight flight({startLeft, startTop}, Frame{targetLeft, targetTop, 1000});
        QCOMPARE(flyToEnd(flight), passes);
        QCOMPARE(flight.position().bracketLeft, endLeft);
        QCOMPARE(flight.position().bracketTop, endTop);
    }

    void everyFlightFromEveryCornerToEveryObjectEndsNearItsTarget() {
        for (std::size_t k = 1; k < kParking.size(); ++k) {
            for (std::size_t n = 1; n < kTargets.size(); ++n) {
                Flight flight(at(kParking[k]), kTargets[n]);
                QVERIFY(flyToEnd(flight) > 0);
                const FlightPosition end = flight.position();
                // Never more than one step off, which the snap on arrival puts right.
                QVERIFY(std::abs(end.bracketLeft - kTargets[n].x) < 100);
                QVERIFY(std::abs(end.bracketTop - kTargets[n].y) <= 100);
            }
        }
    }
};

QTEST_GUILESS_MAIN(ScannerFlightTest)
#include "scanner_flight_test.moc"
