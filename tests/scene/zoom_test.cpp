// The two zoom views over the sector picture and the automatic zoom that
// opens and closes them, without a window.
#include <QElapsedTimer>
#include <QtTest>
#include <cmath>
#include <set>

#include "platform/texts.h"
#include "scene/auto_zoom.h"
#include "scene/zoom_texts.h"
#include "scene/zoom_views.h"
#include "scene_rig.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;

namespace {

using Names = std::set<QString>;
constexpr double kHigh = 0.999999;

// The zoom views and automatic zoom over the console's elements, with a
// closing timer that only the test ticks.
struct Zoom : testing::SceneRig {
    Lane zoomArea{pacer};
    ZoomViews zoom{scene, frame.lblCaption, zoomArea, state, pacer, sounds, random, ops};
    QTimer timer;
    AutoZoom autoZoom{state, random, zoom, ops, timer};

    Zoom() : SceneRig(0.5) {
        state.activeStar = 2;
        timer.setInterval(1000);
    }

    const SchematicElements& star() const { return scene.starZoom; }
    const SchematicElements& telescope() const { return scene.telescopeZoom; }
    const SchematicElements& view(int object) const { return object == 4 ? telescope() : star(); }
    void hide(int object) { object == 4 ? zoom.hideSRTZoom() : zoom.hideStarZoom(); }
    Element* part(const char* name) const { return tree.find(QString::fromLatin1(name)); }
    QString caption() const { return frame.lblCaption->text(); }

    static QList<Element*> parts(const SchematicElements& z) {
        QList<Element*> all{z.labelName, z.closeButton};
        for (const auto* group : {&z.leaders, &z.dots, &z.labels}) {
            all.append(QList<Element*>(group->begin(), group->end()));
        }
        return all;
    }
    Names visibleParts() const {
        Names names;
        for (const auto* z : {&star(), &telescope()}) {
            for (const Element* e : parts(*z)) {
                if (e->visible())
                    names.insert(e->name());
            }
        }
        return names;
    }
    bool wholeViewShown(const SchematicElements& z) const {
        const auto all = parts(z);
        return z.picture->visible() && std::all_of(all.begin(), all.end(), [&](const Element* e) {
                   return e->visible() || (e == z.closeButton && state.scrSavMode);
               });
    }
    bool bothViewsGone() const {
        return !star().picture->visible() && !telescope().picture->visible() &&
               visibleParts().empty();
    }
    // The view of `object` stands whole over a hidden sector picture.
    bool standsWhole(int object) const {
        return wholeViewShown(view(object)) && !scene.sector.starsScan->visible() &&
               caption() == QLatin1String("Short Range Scan");
    }

    // Runs `action` inside the `n`-th tick pause from now on.
    void inTick(int n, std::function<void()> action) {
        auto count = std::make_shared<int>(0);
        auto* context = new QObject(&pacer);
        QObject::connect(&pacer, &Pacer::tickPauseStarted, context, [=, this] {
            if (++*count == n) {
                QTimer::singleShot(0, &pacer, action);
                context->deleteLater();
            }
        });
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) autoZoom.tick();
    }
    // "every": every ship is scanned; "asked": the user asked for this one;
    // "nobody": a ship nobody scans; "switches": both on, no ship.
    void ship(const QString& who) {
        state.shipInSector = who == "every" || who == "asked" || who == "nobody";
        state.scanShips = who == "every" || who == "switches";
        state.shipScanRequested = who == "asked" || who == "switches";
    }
};

// What changes between one tick pause and the next: "+name" shown, "-name"
// hidden, sorted.
struct StepRecorder {
    Zoom& z;
    Names last;
    QList<QStringList> steps;
    QMetaObject::Connection connection;

    explicit StepRecorder(Zoom& zoom) : z(zoom), last(zoom.visibleParts()) {
        connection = QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [this] {
            const Names now = z.visibleParts();
            QStringList change;
            for (const QString& n : now) change << (last.contains(n) ? QString() : "+" + n);
            for (const QString& n : last) change << (now.contains(n) ? QString() : "-" + n);
            change.removeAll(QString());
            change.sort();
            steps << change;
            last = now;
        });
    }
    ~StepRecorder() { QObject::disconnect(connection); }
};

// Build-up steps written as space-separated names; the first also shows
// every leader of `view`, grown before it.
QList<QStringList> buildSteps(const SchematicElements& view, const QStringList& list) {
    QList<QStringList> out;
    for (const QString& step : list) {
        QStringList names = step.split(QLatin1Char(' '));
        if (out.isEmpty()) {
            for (const Element* l : view.leaders) names << l->name();
        }
        for (QString& n : names) n.prepend(QLatin1Char('+'));
        names.sort();
        out << names;
    }
    return out;
}

QRectF box(const Element* e) {
    return QRectF(e->left(), e->top(), e->width(), e->height());
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theObjectZoomIsDrawnLeaderByLeaderThenPointByPoint() {
        Zoom z;
        // At the arrival sound every leader has grown to its place and no
        // point is shown yet.
        QList<QRectF> final;
        for (const Element* l : z.star().leaders) final << box(l);
        bool leadersDoneAtArrival = false;
        z.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (call.sync) {
                QList<QRectF> now;
                for (const Element* l : z.star().leaders) now << (l->visible() ? box(l) : QRectF());
                leadersDoneAtArrival = now == final && !z.star().dots[0]->visible();
            }
        });
        StepRecorder rec(z);
        z.zoom.zoomPlanet(2);

        QVERIFY(leadersDoneAtArrival);
        QStringList points;
        for (int i = 1; i <= 7; ++i)
            points << QStringLiteral("StarZoomDot%1 StarZoomLabel%1").arg(i);
        QCOMPARE(rec.steps, buildSteps(z.star(), points));
        QVERIFY(z.standsWhole(2));
        QCOMPARE(z.star().closeButton->picture(), QStringLiteral("Back"));
        QCOMPARE(z.ops.calls, QStringList{"hidePlanetScan"});
        QCOMPARE(z.player.fileNames(), (QStringList{"8.wav", "9.wav", "6.wav"}));
        QVERIFY(z.player.calls().at(1).sync);
    }

    // Steps of 300 twips: 106 for the object zoom's twelve leaders, 126 for
    // the telescope's sixteen. A leader growing upwards keeps its foot where
    // it started; the seventh hangs down from its point.
    void leadersGrowInStepsOfThreeHundredTwips_data() {
        QTest::addColumn<int>("star");
        QTest::addColumn<int>("steps");
        QTest::newRow("object zoom") << 1 << 106;
        QTest::newRow("telescope zoom") << 4 << 126;
    }
    void leadersGrowInStepsOfThreeHundredTwips() {
        QFETCH(int, star);
        QFETCH(int, steps);
        Zoom z;
        z.state.aniSpeed = 1e-6;
        const SchematicElements& view = z.view(star);
        // The feet of the leaders that grow upwards; the others keep their tops.
        const std::map<QString, double> feet = {
            {"StarZoomLine1_1", 2265}, {"StarZoomLine2_1", 1230}, {"StarZoomLine4_1", 3450},
            {"StarZoomLine5_1", 3510}, {"SRTZoomLine1_1", 2970},  {"SRTZoomLine2_1", 1230},
            {"SRTZoomLine4_1", 3450},  {"SRTZoomLine4_3", 3510},  {"SRTZoomLine5_1", 3990},
            {"SRTZoomLine5_3", 4260},  {"SRTZoomLine5_5", 4470}};
        QHash<const Element*, QRectF> final;
        for (const Element* l : view.leaders) final.insert(l, box(l));
        int pauses = 0;
        QStringList wrong;
        QObject::connect(&z.pacer, &Pacer::pauseStarted, [&] {
            ++pauses;
            for (const Element* l : view.leaders) {
                const QRectF now = box(l), end = final.value(l);
                if (!l->visible() || now == end)
                    continue;
                const double length = end.width() < end.height() ? now.height() : now.width();
                const auto foot = feet.find(l->name());
                const bool stays =
                    foot == feet.end() ? now.top() == end.top() : now.bottom() == foot->second;
                if (std::fmod(length, 300) != 0 || !stays)
                    wrong << l->name();
            }
        });
        z.zoom.zoomPlanet(star);
        QCOMPARE(pauses, steps);
        QCOMPARE(wrong, QStringList{});
        for (const Element* l : view.leaders) QCOMPARE(box(l), final.value(l));
    }

    void theTelescopeZoomGrowsItsJointAndReactorTextsLineByLine() {
        Zoom z;
        // An earlier opening left its full texts behind.
        z.part("SRTZoomLabel4")->setText(zoom::telescopeLabel4(2));
        z.part("SRTZoomLabel5")->setText(zoom::telescopeLabel5(3));
        QString textsAtStart = QStringLiteral("unset");
        z.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (call.path.endsWith(QStringLiteral("8.wav"))) {
                textsAtStart = z.part("SRTZoomLabel4")->text() + z.part("SRTZoomLabel5")->text();
            }
        });
        QStringList texts4, texts5;
        QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [&] {
            texts4 << z.part("SRTZoomLabel4")->text();
            texts5 << z.part("SRTZoomLabel5")->text();
        });
        StepRecorder rec(z);
        z.zoom.zoomPlanet(4);
        QCOMPARE(textsAtStart, QString());
        QCOMPARE(rec.steps,
                 buildSteps(z.telescope(),
                            {"SRTZoomDot1 SRTZoomLabel1", "SRTZoomDot2 SRTZoomLabel2",
                             "SRTZoomDot3 SRTZoomLabel3", "SRTZoomDot4_1 SRTZoomLabel4",
                             "SRTZoomDot4_2", "SRTZoomDot6 SRTZoomLabel6",
                             "SRTZoomDot5_1 SRTZoomLabel5", "SRTZoomDot5_2", "SRTZoomDot5_3"}));
        const QString none;
        const QString j1 = zoom::telescopeLabel4(1), j2 = zoom::telescopeLabel4(2);
        QCOMPARE(texts4, (QStringList{none, none, none, j1, j2, j2, j2, j2, j2}));
        QCOMPARE(texts5, (QStringList{none, none, none, none, none, none, zoom::telescopeLabel5(1),
                                      zoom::telescopeLabel5(2), zoom::telescopeLabel5(3)}));
        QVERIFY(z.standsWhole(4));
        QCOMPARE(z.ops.calls, QStringList{"hideSRTeleInfos"});
        QCOMPARE(z.player.fileNames(), (QStringList{"8.wav", "9.wav", "6.wav"}));
    }

    // The wipe takes the title and the close button first, then the points
    // one at a time in the reverse of the order the build-up showed them,
    // each with its own text.
    void wipesRunFromTheTitleBackToTheFirstPoint_data() {
        QTest::addColumn<int>("star");
        QTest::addColumn<QStringList>("texts5");
        QTest::newRow("object zoom") << 2 << QStringList{};
        QTest::newRow("telescope zoom")
            << 4
            << QStringList{zoom::telescopeLabel5(3), zoom::telescopeLabel5(2),
                           zoom::telescopeLabel5(1), zoom::telescopeLabel5(1)};
    }
    void wipesRunFromTheTitleBackToTheFirstPoint() {
        QFETCH(int, star);
        QFETCH(QStringList, texts5);
        Zoom z;
        const SchematicElements& view = z.view(star);
        const auto dotsOf = [](const QStringList& step) {
            return step.filter(QStringLiteral("Dot"));
        };
        QStringList shownDots;
        {
            StepRecorder build(z);
            z.zoom.zoomPlanet(star);
            for (const QStringList& step : build.steps) shownDots << dotsOf(step);
        }
        z.ops.calls.clear();
        z.player.clear();
        // The fifth text shrinks a line at a time, and is hidden with its last point.
        QStringList seen5;
        QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [&] {
            if (seen5.size() < texts5.size())
                seen5 << z.part("SRTZoomLabel5")->text();
        });
        bool captionBackBeforeRebuild = false;
        z.ops.onScanPlanet = [&](int) {
            captionBackBeforeRebuild = z.caption() == QString::fromLatin1(texts::kFieldProbe) &&
                                       z.scene.sector.starsScan->visible() && z.bothViewsGone();
        };
        StepRecorder rec(z);
        z.hide(star);

        QVERIFY(!rec.steps.isEmpty());
        QStringList title{"-" + view.closeButton->name(), "-" + view.labelName->name()};
        title.sort();
        QCOMPARE(rec.steps.first(), title);
        QStringList hiddenDots;
        for (const QStringList& step : rec.steps.mid(1)) {
            const QStringList dots = dotsOf(step);
            QVERIFY2(dots.size() == 1, qPrintable(step.join(QLatin1Char(' '))));
            hiddenDots << QStringLiteral("+") + dots.first().mid(1);
            for (QString label : step.filter(QStringLiteral("Label"))) {
                QVERIFY2(dots.first().startsWith(
                             label.replace(QStringLiteral("Label"), QStringLiteral("Dot"))),
                         qPrintable(label));
            }
        }
        std::reverse(shownDots.begin(), shownDots.end());
        QCOMPARE(hiddenDots, shownDots);
        QCOMPARE(seen5, texts5);
        QVERIFY(z.bothViewsGone());
        QVERIFY(captionBackBeforeRebuild);
        QCOMPARE(z.ops.calls, QStringList{QStringLiteral("scanPlanet %1").arg(star)});
        QVERIFY(z.player.calls().empty());
    }

    // The panel area belongs to a scanned ship: the sector picture comes
    // back, the panel does not.
    void closingWhileAShipIsScannedLeavesThePanelToIt() {
        for (const char* ship : {"switches", "every", "asked", "nobody"}) {
            for (const int star : {3, 4}) {
                Zoom z;
                z.state.activeStar = static_cast<std::uint8_t>(star);
                z.zoom.zoomPlanet(star);
                z.ops.calls.clear();
                z.ship(QString::fromLatin1(ship));
                z.hide(star);
                QVERIFY(z.bothViewsGone());
                QVERIFY(z.scene.sector.starsScan->visible());
                const bool rebuilt = qstrcmp(ship, "switches") == 0 || qstrcmp(ship, "nobody") == 0;
                QCOMPARE(z.ops.calls.join(QLatin1Char(' ')),
                         rebuilt ? QStringLiteral("scanPlanet %1").arg(star) : QString());
            }
        }
    }

    // A ship that leaves while a view is open cannot send the scanner back;
    // the closing view puts it back on its object when it stands elsewhere.
    void closingPutsAFrameLeftAwayBackOnItsObject() {
        for (const QPointF at : {QPointF(7860, 2310), QPointF(800, 100)}) {
            Zoom z;
            z.scene.sector.lblScanner[0]->move(at.x(), at.y());
            z.scene.sector.lblScanner[0]->show();
            z.zoom.zoomPlanet(2);
            z.ops.calls.clear();
            z.zoom.hideStarZoom();
            QStringList expected{"scanPlanet 2"};
            if (at.x() != 7860)
                expected.prepend(QStringLiteral("frame 7860,2310 1230"));
            QCOMPARE(z.ops.calls, expected);
        }
    }

    void nothingHappensWithoutAViewToDrawOrToWipe() {
        Zoom z;
        QElapsedTimer clock;
        clock.start();
        z.zoom.hideStarZoom();
        z.zoom.hideSRTZoom();
        z.zoom.zoomPlanet(0);
        z.zoom.zoomPlanet(6);
        QVERIFY(clock.elapsed() < 35);
        QVERIFY(z.ops.calls.isEmpty());
        QVERIFY(z.player.calls().empty());
        QCOMPARE(z.random.used(), 0);
        QVERIFY(z.scene.sector.starsScan->visible());
        QCOMPARE(z.caption(), QString::fromLatin1(texts::kFieldProbe));
    }

    // Every sound of the views asks the switch itself.
    void aSilentConsoleDrawsWithoutSounds() {
        Zoom z;
        z.sounds.setSoundOn(false);
        z.zoom.zoomPlanet(5);
        z.zoom.hideStarZoom();
        z.zoom.telescopePanelClick();
        QVERIFY(z.player.calls().empty());
        QVERIFY(z.wholeViewShown(z.telescope()));
    }

    // Sequences pause with the event loop running: whoever comes later owns
    // the view, and nothing is left half-shown.
    void aWipeInsideABuildUpTakesTheWholeViewDown() {
        Zoom z;
        z.inTick(3, [&] { z.zoom.hideStarZoom(); });
        z.zoom.zoomPlanet(1);
        QVERIFY(z.bothViewsGone());
        QVERIFY(z.scene.sector.starsScan->visible());
        QCOMPARE(z.ops.calls, (QStringList{"hidePlanetScan", "scanPlanet 2"}));
        // The build-up stopped before its last points and its title.
        QCOMPARE(z.player.fileNames(), (QStringList{"8.wav", "9.wav", "6.wav"}));
    }

    void aBuildUpInsideAWipeIsShownWhole() {
        Zoom z;
        z.zoom.zoomPlanet(1);
        z.ops.calls.clear();
        z.inTick(4, [&] { z.zoom.zoomPlanet(5); });
        z.zoom.hideStarZoom();
        QVERIFY(z.standsWhole(5));
        QCOMPARE(z.star().labelName->text(), QStringLiteral("Lamenda Prime [Klasse M]"));
        // The cut-short wipe does not rebuild the panel under the new view.
        QCOMPARE(z.ops.calls, QStringList{"hidePlanetScan"});
    }

    void aTelescopeBuildUpInsideAnObjectBuildUpClearsTheObjectView() {
        Zoom z;
        z.inTick(5, [&] { z.zoom.zoomPlanet(4); });
        z.zoom.zoomPlanet(3);
        QVERIFY(z.wholeViewShown(z.telescope()));
        QVERIFY(!z.star().picture->visible());
        for (const Element* e : Zoom::parts(z.star()))
            QVERIFY2(!e->visible(), qPrintable(e->name()));
    }

    // Left lit when the view closed, the close button is dark when the
    // view opens again.
    void theCloseButtonIsDarkWheneverTheViewOpens() {
        Zoom z;
        Element& button = *z.star().closeButton;
        z.zoom.zoomPlanet(2);
        ZoomViews::pointerOverClose(button);
        ZoomViews::pointerOverClose(button);
        QCOMPARE(button.picture(), QStringLiteral("Back_Hell"));
        z.zoom.hideStarZoom();
        z.zoom.zoomPlanet(2);
        QCOMPARE(button.picture(), QStringLiteral("Back"));
    }

    // Opening by a click runs through the window in the zoom command test;
    // here the refusals, while a panel sequence runs or under an open zoom.
    void panelClicksDoNothingWhileSomethingRuns() {
        for (const bool telescope : {false, true}) {
            for (const bool busy : {false, true}) {
                Zoom z;
                z.state.activeStar = 5;
                if (!busy)
                    z.zoom.zoomPlanet(telescope ? 1 : 4);
                z.player.clear();
                z.ops.calls.clear();
                z.state.panelBusy = busy;
                telescope ? z.zoom.telescopePanelClick() : z.zoom.planetPanelClick();
                QVERIFY(z.ops.calls.isEmpty());
                QVERIFY(z.player.calls().empty());
            }
        }
    }

    void theZoomKeyWaitsForShipsPanelsAndTheScanner() {
        // Who holds the scanner, zoom open, panel busy, scanner moving -> allowed.
        const std::vector<std::tuple<const char*, bool, bool, bool, bool>> rows{
            {"", false, false, false, true},       {"switches", false, false, false, true},
            {"nobody", false, false, false, true}, {"every", false, false, false, false},
            {"asked", false, false, false, false}, {"", true, false, false, false},
            {"", false, true, false, false},       {"", false, false, true, false}};
        for (const auto& [ship, zoomOpen, busy, moving, allowed] : rows) {
            Zoom z;
            z.ship(QString::fromLatin1(ship));
            z.state.panelBusy = busy;
            z.state.scannerMoving = moving;
            QCOMPARE(zoom::keyAllowed(z.state, zoomOpen), allowed);
        }
    }

    void theAutomaticZoomOpensOnEveryArrivalOrOnADrawOfThreeInFour() {
        for (int drawn = 0; drawn <= 4; ++drawn) {
            ConsoleState state;
            state.autoZoomOn = true;
            state.autoZoomRndOn = drawn > 0;  // 0: always, without a draw
            ScriptedRandom source({ScriptedRandom::forDraw(std::max(drawn, 1), 4)});
            QCOMPARE(autozoom::arrivalOpensZoom(state, source), drawn == 0 || drawn == 3);
            QCOMPARE(source.used(), drawn == 0 ? 0 : 1);
        }
        // Without the zoom the arrival shows the scan panel.
        Zoom z;
        z.state.activeStar = 1;
        z.state.autoZoomOn = z.state.autoZoomRndOn = true;
        z.random = ScriptedRandom({ScriptedRandom::forDraw(2, 4)});
        z.autoZoom.initAutoZoom();
        QVERIFY(!z.zoom.open());
        QVERIFY(!z.timer.isActive());
        QCOMPARE(z.ops.calls, QStringList{"scanPlanet 1"});
    }

    // The object zoom at the shortest time runs through the window in the
    // zoom command test; here the telescope at the longest.
    void anArrivalOpensTheZoomAndTheTimerClosesItAfterTheDrawnTime() {
        Zoom z;
        z.state.autoZoomOn = true;
        z.state.activeStar = 4;
        z.random = ScriptedRandom({kHigh});
        z.autoZoom.initAutoZoom();
        QVERIFY(z.zoom.telescopeZoomOpen() && z.timer.isActive());
        QCOMPARE(z.autoZoom.durationSeconds(), 80);
        QCOMPARE(z.ops.calls, QStringList{"hideSRTeleInfos"});
        z.ticks(79);
        QVERIFY(z.zoom.open() && z.timer.isActive());
        z.ticks(1);
        QVERIFY(!z.zoom.open() && !z.timer.isActive());
        QCOMPARE(z.ops.calls, (QStringList{"hideSRTeleInfos", "scanPlanet 4"}));
        // The screen saver's zoom key keeps a view 20 to 90 seconds; the zoom
        // command test runs the longest.
        ScriptedRandom low({0.0});
        QCOMPARE(autozoom::keyOpenSeconds(low), 20);
    }

    void aViewClosedByHandIsNotClosedAgainAndArmingAgainCountsAfresh() {
        Zoom z;
        z.state.autoZoomOn = true;
        z.random = ScriptedRandom({0.0});
        z.autoZoom.initAutoZoom();
        z.ticks(5);
        z.zoom.hideStarZoom();
        z.ops.calls.clear();
        z.ticks(15);
        QVERIFY(!z.timer.isActive());
        QVERIFY(z.ops.calls.isEmpty());

        z.autoZoom.initAutoZoom();
        z.ticks(15);
        z.autoZoom.arm(30);
        z.ticks(29);
        QVERIFY(z.zoom.starZoomOpen());
        QCOMPARE(z.autoZoom.elapsedSeconds(), 29);
        z.ticks(1);
        QVERIFY(!z.zoom.open());
    }
};

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
