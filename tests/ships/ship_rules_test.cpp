#include <QtTest>

#include "ships/ship_rules.h"
#include "support/scripted_random.h"

using namespace ovant;
using namespace ovant::ships;
using ovant::testing::ScriptedRandom;

namespace {
const QString kCr(QChar(13));
}

class ShipRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyShipHasItsLinesCaptionAndSideView_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("picture");
        QTest::newRow("first") << 1 << "U.S.S. Enterprise\rNCC 1701-E\rSovereign-Klasse"
                               << "U.S.S. Enterprise - NCC 1701-E - Sovereign-Klasse"
                               << "Sovereign";
        QTest::newRow("two share a picture") << 5 << "U.S.S. Hood\rNCC 422296\rExcelsior-Klasse"
                                             << "U.S.S. Hood - NCC 422296 - Excelsior-Klasse"
                                             << "Excelsior";
        QTest::newRow("small craft without registry") << 8 << "Runabout\rDanube-Klasse"
                                                      << "Runabout - Danube-Klasse"
                                                      << "Runabout";
        QTest::newRow("last") << 9 << "Shuttle\rTyp 6"
                              << "Shuttle - Typ 6"
                              << "ShuttleTyp6";
    }
    void everyShipHasItsLinesCaptionAndSideView() {
        QFETCH(int, draw);
        QFETCH(QString, lines);
        QFETCH(QString, caption);
        QFETCH(QString, picture);
        const ShipClass& ship = catalogue()[static_cast<std::size_t>(draw)];
        QCOMPARE(infoLines(ship), QString(lines).replace(QLatin1Char('\r'), QChar(13)));
        QCOMPARE(panelCaption(ship), caption);
        QCOMPARE(QString::fromLatin1(ship.picture), picture);
    }

    void activitiesFollowALineBreak() {
        QCOMPARE(activityLine(1), kCr + QStringLiteral("Scannt Sektor..."));
        QCOMPARE(activityLine(5), kCr + QStringLiteral("Passiert Sektor..."));
        QVERIFY(activityLine(0).isEmpty() && activityLine(6).isEmpty());
    }

    void theLeavingMessageKeepsTheSignPlaces() {
        QCOMPARE(leavingMessage(3, 12, 300),
                 QStringLiteral("Das Schiff hat den Sektor verlassen.") + kCr +
                     QStringLiteral("Speed: Warp  3") + kCr + QStringLiteral("Kurs:  12. 300"));
        ScriptedRandom low({0.0});
        const Leaving least = drawLeaving(low);
        QCOMPARE((QList<int>{least.warp, least.course, least.courseTenth}), (QList<int>{1, 0, 0}));
        ScriptedRandom high({0.9999999});
        const Leaving most = drawLeaving(high);
        QCOMPARE((QList<int>{most.warp, most.course, most.courseTenth}), (QList<int>{8, 360, 360}));
    }

    void targetsLieInsideTheSector() {
        ScriptedRandom low({0.0});
        const Point least = drawTarget(low);
        QCOMPARE((QList<int>{least.x, least.y}), (QList<int>{10, 10}));
        ScriptedRandom high({0.9999999});
        const Point most = drawTarget(high);
        QCOMPARE((QList<int>{most.x, most.y}), (QList<int>{7750, 5040}));
    }

    void shipsEnterJustOutsideAnEdge_data() {
        QTest::addColumn<int>("edge");
        QTest::addColumn<double>("along");
        QTest::addColumn<QPoint>("entry");
        QTest::addColumn<int>("heading");  // x: 0 left, 1 right; y: 0 up, 1 down (x * 2 + y)
        QTest::newRow("left, at the top") << 1 << 0.0 << QPoint(-1000, 0) << 1 * 2 + 1;
        QTest::newRow("left, lower") << 1 << 0.5 << QPoint(-1000, 2527) << 1 * 2 + 0;
        QTest::newRow("right") << 2 << 0.9999999 << QPoint(9815, 5054) << 0 * 2 + 0;
        QTest::newRow("right, at the top") << 2 << 0.0 << QPoint(9815, 0) << 0 * 2 + 1;
        QTest::newRow("top, at the left") << 3 << 0.0 << QPoint(0, -700) << 1 * 2 + 1;
        QTest::newRow("top") << 3 << 0.5 << QPoint(4657, -700) << 0 * 2 + 1;
        QTest::newRow("bottom") << 4 << 0.9999999 << QPoint(9314, 5060) << 0 * 2 + 0;
    }
    void shipsEnterJustOutsideAnEdge() {
        QFETCH(int, edge);
        QFETCH(double, along);
        QFETCH(QPoint, entry);
        QFETCH(int, heading);
        ScriptedRandom random({ScriptedRandom::forDraw(edge, 4), along});
        const Point start = drawEntry(random);
        QCOMPARE(QPoint(start.x, start.y), entry);
        const Heading h = headingFrom(start);
        QCOMPARE(int(h.x == Horizontal::Right) * 2 + int(h.y == Vertical::Down), heading);
    }

    // The entry edge fixes the way: a ship from the top whose target lies to
    // the right of it moves straight down and jumps away at its own X.
    void aShipOnlyMovesInItsHeadingAndArrivesAStepAfterItsLastMove() {
        Point at{4000, -700};
        const Point target{6000, 100};
        const Heading heading = headingFrom(at);
        int steps = 0;
        Step s{at, false, false};
        while (!s.arrived() && steps < 10000) {
            s = step(at, target, heading);
            at = s.position;
            ++steps;
        }
        QCOMPARE(at.x, 4000);
        QCOMPARE(at.y, 100);
        QCOMPARE(steps, 800 / kStepTwips + 1);

        // It may pass its target by up to four twips.
        const Step past = step({1003, 50}, {1000, 50}, {Horizontal::Left, Vertical::Up});
        QCOMPARE(past.position.x, 998);
        QVERIFY(!past.xDone && past.yDone);
        QVERIFY(step({998, 50}, {1000, 50}, {Horizontal::Left, Vertical::Up}).arrived());
    }
};

QTEST_MAIN(ShipRulesTest)
#include "ship_rules_test.moc"
