#include <QtTest>

#include "scene/auto_zoom.h"
#include "zoom_rig.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;
using ovant::testing::ZoomRig;

namespace {

constexpr double kHigh = 0.999999;

// The automatic zoom with the real zoom views and a closing timer that only
// the test ticks.
struct Auto : ZoomRig {
    QTimer timer;
    AutoZoom autoZoom{state, random, zoom, ops, timer};

    Auto() {
        state.aniSpeed = 0;
        state.autoZoomOn = true;
        state.activeStar = 1;
        timer.setInterval(1000);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            autoZoom.tick();
        }
    }
};

}  // namespace

class AutoZoomTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theZoomKeysDurationCoversItsWholeRange() {
        ScriptedRandom low({0.0});
        ScriptedRandom high({kHigh});
        QCOMPARE(autozoom::keyOpenSeconds(low), 20);
        QCOMPARE(autozoom::keyOpenSeconds(high), 90);
    }

    void theRandomVariantOpensOnOneDrawInFour_data() {
        QTest::addColumn<bool>("random");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("draws");
        QTest::newRow("always, without a draw") << false << 1 << true << 0;
        QTest::newRow("random, draw 1") << true << 1 << false << 1;
        QTest::newRow("random, draw 2") << true << 2 << false << 1;
        QTest::newRow("random, draw 3") << true << 3 << true << 1;
        QTest::newRow("random, draw 4") << true << 4 << false << 1;
    }
    void theRandomVariantOpensOnOneDrawInFour() {
        QFETCH(bool, random);
        QFETCH(int, drawn);
        QFETCH(bool, opens);
        QFETCH(int, draws);
        ConsoleState state;
        state.autoZoomOn = true;
        state.autoZoomRndOn = random;
        ScriptedRandom source({ScriptedRandom::forDraw(drawn, 4)});
        QCOMPARE(autozoom::arrivalOpensZoom(state, source), opens);
        QCOMPARE(source.used(), draws);
    }

    void anArrivalOpensTheZoomAndTheTimerClosesItAfterTheDrawnTime_data() {
        QTest::addColumn<int>("object");
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("wipe");
        QTest::newRow("object zoom, shortest") << 1 << 0.0 << 20 << "hidePlanetScan";
        QTest::newRow("telescope zoom, longest") << 4 << kHigh << 80 << "hideSRTeleInfos";
    }
    void anArrivalOpensTheZoomAndTheTimerClosesItAfterTheDrawnTime() {
        QFETCH(int, object);
        QFETCH(double, r);
        QFETCH(int, seconds);
        QFETCH(QString, wipe);
        Auto a;
        a.state.activeStar = static_cast<std::uint8_t>(object);
        a.random = ScriptedRandom({r});
        a.autoZoom.initAutoZoom();
        QVERIFY(object == 4 ? a.zoom.telescopeZoomOpen() : a.zoom.starZoomOpen());
        QVERIFY(a.timer.isActive());
        QCOMPARE(a.autoZoom.durationSeconds(), seconds);
        QCOMPARE(a.autoZoom.elapsedSeconds(), 0);
        QCOMPARE(a.ops.calls, QStringList{wipe});
        a.ticks(seconds - 1);
        QVERIFY(a.zoom.open());
        QVERIFY(a.timer.isActive());
        a.ticks(1);
        QVERIFY(!a.zoom.open());
        QVERIFY(!a.timer.isActive());
        QCOMPARE(a.ops.calls, (QStringList{wipe, QStringLiteral("scanPlanet %1").arg(object)}));
    }

    void anArrivalWithoutTheZoomShowsTheScanPanel() {
        Auto a;
        a.state.autoZoomRndOn = true;
        a.random = ScriptedRandom({ScriptedRandom::forDraw(2, 4)});
        a.autoZoom.initAutoZoom();
        QVERIFY(!a.zoom.open());
        QVERIFY(!a.timer.isActive());
        QCOMPARE(a.ops.calls, QStringList{"scanPlanet 1"});
    }

    void aViewClosedByHandIsNotClosedAgainWhenTheTimeIsUp() {
        Auto a;
        a.random = ScriptedRandom({0.0});
        a.autoZoom.initAutoZoom();
        a.ticks(5);
        a.zoom.hideStarZoom();
        a.ops.calls.clear();
        a.ticks(15);
        QVERIFY(!a.timer.isActive());
        QVERIFY(a.ops.calls.isEmpty());
        // The timer is off; nothing more happens even if it ticked again.
        QVERIFY(!a.zoom.open());
    }

    void armingAgainCountsFromTheStart() {
        Auto a;
        a.random = ScriptedRandom({0.0});
        a.autoZoom.initAutoZoom();
        a.ticks(15);
        a.autoZoom.arm(30);
        a.ticks(29);
        QVERIFY(a.zoom.starZoomOpen());
        QCOMPARE(a.autoZoom.elapsedSeconds(), 29);
        a.ticks(1);
        QVERIFY(!a.zoom.open());
    }
};

QTEST_MAIN(AutoZoomTest)
#include "auto_zoom_test.moc"
