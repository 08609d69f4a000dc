#include <QElapsedTimer>
#include <QtTest>
#include <cmath>
#include <map>
#include <set>

#include "platform/texts.h"
#include "scene/zoom_texts.h"
#include "zoom_rig.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;
using ovant::testing::ZoomRig;

namespace {

using Names = std::set<QString>;

// The two zoom views over the sector picture, without a window.
struct Zoom : ZoomRig {
    Zoom() {
        sounds.setSoundOn(true);
        state.aniSpeed = 0;
        state.activeStar = 2;
    }

    const SchematicElements& star() const { return scene.starZoom; }
    const SchematicElements& telescope() const { return scene.telescopeZoom; }
    Element* part(const char* name) const { return tree.find(QString::fromLatin1(name)); }

    static QList<Element*> parts(const SchematicElements& z) {
        QList<Element*> all{z.labelName, z.closeButton};
        for (const auto* group : {&z.leaders, &z.dots, &z.labels}) {
            all.append(QList<Element*>(group->begin(), group->end()));
        }
        return all;
    }
    // The names of the parts of both views that are visible.
    Names visibleParts() const {
        Names names;
        for (const auto* z : {&star(), &telescope()}) {
            for (const Element* e : parts(*z)) {
                if (e->visible()) {
                    names.insert(e->name());
                }
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
    QString caption() const { return frame.lblCaption->text(); }

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
};

// What changes between one tick pause and the next: "+name" shown, "-name"
// hidden, sorted.
struct StepRecorder {
    Zoom& z;
    Names last;
    QList<QStringList> steps;
    QMetaObject::Connection connection;

    explicit StepRecorder(Zoom& zoom) : z(zoom), last(zoom.visibleParts()) {
        connection = QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [this] { take(); });
    }
    ~StepRecorder() { QObject::disconnect(connection); }
    void take() {
        const Names now = z.visibleParts();
        QStringList change;
        for (const QString& n : now) {
            if (!last.contains(n)) {
                change << QStringLiteral("+") + n;
            }
        }
        for (const QString& n : last) {
            if (!now.contains(n)) {
                change << QStringLiteral("-") + n;
            }
        }
        change.sort();
        steps << change;
        last = now;
    }
};

// Steps written as space-separated names, each taken with `sign`, sorted.
QList<QStringList> steps(const char* sign, std::initializer_list<const char*> list) {
    QList<QStringList> out;
    for (const char* step : list) {
        QStringList names = QString::fromLatin1(step).split(QLatin1Char(' '));
        for (QString& n : names) {
            n.prepend(QLatin1String(sign));
        }
        names.sort();
        out << names;
    }
    return out;
}

QRectF box(const Element* e) {
    return QRectF(e->left(), e->top(), e->width(), e->height());
}

}  // namespace

class ZoomViewsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theObjectZoomIsDrawnLeaderByLeaderThenPointByPoint() {
        Zoom z;
        // At the arrival sound every leader has grown to its place and no
        // point is shown yet.
        QList<QRectF> final;
        for (const Element* l : z.star().leaders) {
            final << box(l);
        }
        bool leadersDoneAtArrival = false;
        z.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (call.sync) {
                QList<QRectF> now;
                for (const Element* l : z.star().leaders) {
                    now << (l->visible() ? box(l) : QRectF());
                }
                leadersDoneAtArrival = now == final && !z.star().dots[0]->visible();
            }
        });
        StepRecorder rec(z);
        z.zoom.zoomPlanet(2);

        QVERIFY(leadersDoneAtArrival);
        QList<QStringList> expected;
        for (int i = 1; i <= 7; ++i) {
            expected << steps("+",
                              {qPrintable(QStringLiteral("StarZoomDot%1 StarZoomLabel%1").arg(i))});
        }
        // The first tick also shows the twelve leaders grown before it.
        for (const Element* l : z.star().leaders) {
            expected[0] << QStringLiteral("+") + l->name();
        }
        expected[0].sort();
        QCOMPARE(rec.steps, expected);
        QVERIFY(z.wholeViewShown(z.star()));
        QCOMPARE(z.star().closeButton->picture(), QStringLiteral("Back"));
        QVERIFY(!z.scene.sector.starsScan->visible());
        QCOMPARE(z.caption(), QStringLiteral("Short Range Scan"));
        QCOMPARE(z.ops.calls, QStringList{"hidePlanetScan"});
        QCOMPARE(z.player.fileNames(), (QStringList{"8.wav", "9.wav", "6.wav"}));
        QVERIFY(z.player.calls().at(1).sync);
    }

    // Steps of 300 twips: 8 + 17 + 3 + 8 + 14 + 4 + 13 + 4 + 8 + 5 + 7 + 15
    // for the object zoom, 126 for the telescope's sixteen leaders. A leader
    // growing upwards keeps its foot where it started; the seventh hangs down
    // from its point.
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
        const SchematicElements& view = star == 4 ? z.telescope() : z.star();
        const std::map<QString, double> resetTops = {
            {"StarZoomLine1_1", 2265}, {"StarZoomLine2_1", 1230}, {"StarZoomLine4_1", 3450},
            {"StarZoomLine5_1", 3510}, {"SRTZoomLine1_1", 2970},  {"SRTZoomLine2_1", 1230},
            {"SRTZoomLine4_1", 3450},  {"SRTZoomLine4_3", 3510},  {"SRTZoomLine5_1", 3990},
            {"SRTZoomLine5_3", 4260},  {"SRTZoomLine5_5", 4470}};
        QHash<const Element*, QRectF> final;
        for (const Element* l : view.leaders) {
            final.insert(l, box(l));
        }
        int pauses = 0;
        QStringList wrong;
        QObject::connect(&z.pacer, &Pacer::pauseStarted, [&] {
            ++pauses;
            for (const Element* l : view.leaders) {
                if (!l->visible() || box(l) == final.value(l)) {
                    continue;
                }
                // Still growing: a whole number of steps long, its foot where
                // it started (upwards) or its top at its point (downwards).
                const bool vertical = final.value(l).width() < final.value(l).height();
                const double length = vertical ? l->height() : l->width();
                const auto reset = resetTops.find(l->name());
                const bool ok =
                    std::fmod(length, 300) == 0 &&
                    (reset == resetTops.end() ? l->top() == final.value(l).top()
                                              : l->top() + l->height() == reset->second);
                if (!ok) {
                    wrong << l->name();
                }
            }
        });
        z.zoom.zoomPlanet(star);
        QCOMPARE(pauses, steps);
        QCOMPARE(wrong, QStringList{});
        for (const Element* l : view.leaders) {
            QCOMPARE(box(l), final.value(l));
        }
    }

    void theTelescopeZoomGrowsItsJointAndReactorTextsLineByLine() {
        Zoom z;
        // An earlier opening left its full texts behind.
        z.part("SRTZoomLabel4")->setText(zoom::telescopeLabel4(2));
        z.part("SRTZoomLabel5")->setText(zoom::telescopeLabel5(3));
        QStringList texts4;
        QStringList texts5;
        QString label4AtStart = QStringLiteral("unset");
        z.player.setOnPlay([&](const RecordingSoundPlayer::Call& call) {
            if (call.path.endsWith(QStringLiteral("8.wav"))) {
                label4AtStart = z.part("SRTZoomLabel4")->text() + z.part("SRTZoomLabel5")->text();
            }
        });
        QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [&] {
            texts4 << z.part("SRTZoomLabel4")->text();
            texts5 << z.part("SRTZoomLabel5")->text();
        });
        StepRecorder rec(z);
        z.zoom.zoomPlanet(4);
        QCOMPARE(label4AtStart, QString());
        QList<QStringList> expected =
            steps("+", {"SRTZoomDot1 SRTZoomLabel1", "SRTZoomDot2 SRTZoomLabel2",
                        "SRTZoomDot3 SRTZoomLabel3", "SRTZoomDot4_1 SRTZoomLabel4", "SRTZoomDot4_2",
                        "SRTZoomDot6 SRTZoomLabel6", "SRTZoomDot5_1 SRTZoomLabel5", "SRTZoomDot5_2",
                        "SRTZoomDot5_3"});
        for (const Element* l : z.telescope().leaders) {
            expected[0] << QStringLiteral("+") + l->name();
        }
        expected[0].sort();
        QCOMPARE(rec.steps, expected);
        const QString none;
        QCOMPARE(texts4,
                 (QStringList{none, none, none, zoom::telescopeLabel4(1), zoom::telescopeLabel4(2),
                              zoom::telescopeLabel4(2), zoom::telescopeLabel4(2),
                              zoom::telescopeLabel4(2), zoom::telescopeLabel4(2)}));
        QCOMPARE(texts5, (QStringList{none, none, none, none, none, none, zoom::telescopeLabel5(1),
                                      zoom::telescopeLabel5(2), zoom::telescopeLabel5(3)}));
        QVERIFY(z.wholeViewShown(z.telescope()));
        QCOMPARE(z.ops.calls, QStringList{"hideSRTeleInfos"});
        QCOMPARE(z.player.fileNames(), (QStringList{"8.wav", "9.wav", "6.wav"}));
        QCOMPARE(z.caption(), QStringLiteral("Short Range Scan"));
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
        const SchematicElements& view = star == 4 ? z.telescope() : z.star();
        const auto dotsOf = [](const QStringList& step) {
            return step.filter(QStringLiteral("Dot"));
        };
        QStringList shownDots;
        {
            StepRecorder build(z);
            z.zoom.zoomPlanet(star);
            for (const QStringList& step : build.steps) {
                shownDots << dotsOf(step).replaceInStrings(QStringLiteral("+"), QString());
            }
        }
        z.ops.calls.clear();
        z.player.clear();
        // The fifth text shrinks a line at a time, and is hidden with its last point.
        QStringList seen5;
        QObject::connect(&z.pacer, &Pacer::tickPauseStarted, [&] {
            if (seen5.size() < texts5.size()) {
                seen5 << z.part("SRTZoomLabel5")->text();
            }
        });
        bool captionBackBeforeRebuild = false;
        z.ops.onScanPlanet = [&](int) {
            captionBackBeforeRebuild = z.caption() == QString::fromLatin1(texts::kFieldProbe) &&
                                       z.scene.sector.starsScan->visible() && z.bothViewsGone();
        };
        StepRecorder rec(z);
        star == 4 ? z.zoom.hideSRTZoom() : z.zoom.hideStarZoom();

        QVERIFY(!rec.steps.isEmpty());
        QStringList title{QStringLiteral("-") + view.closeButton->name(),
                          QStringLiteral("-") + view.labelName->name()};
        title.sort();
        QCOMPARE(rec.steps.first(), title);
        QStringList hiddenDots;
        for (const QStringList& step : rec.steps.mid(1)) {
            const QStringList dots = dotsOf(step);
            QVERIFY2(dots.size() == 1, qPrintable(step.join(QLatin1Char(' '))));
            hiddenDots << dots.first().mid(1);
            for (const QString& label : step.filter(QStringLiteral("Label"))) {
                QVERIFY2(dots.first().startsWith(QString(label).replace(QStringLiteral("Label"),
                                                                        QStringLiteral("Dot"))),
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
    void closingWhileAShipIsScannedLeavesThePanelToIt_data() {
        QTest::addColumn<bool>("shipInSector");
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("shipScanRequested");
        QTest::addColumn<bool>("rebuilt");
        QTest::newRow("no ship") << false << true << true << true;
        QTest::newRow("every ship is scanned") << true << true << false << false;
        QTest::newRow("this ship was asked for") << true << false << true << false;
        QTest::newRow("a ship nobody scans") << true << false << false << true;
    }
    void closingWhileAShipIsScannedLeavesThePanelToIt() {
        QFETCH(bool, shipInSector);
        QFETCH(bool, scanShips);
        QFETCH(bool, shipScanRequested);
        QFETCH(bool, rebuilt);
        for (const int star : {3, 4}) {
            Zoom z;
            z.state.activeStar = static_cast<std::uint8_t>(star);
            z.zoom.zoomPlanet(star);
            z.ops.calls.clear();
            z.state.shipInSector = shipInSector;
            z.state.scanShips = scanShips;
            z.state.shipScanRequested = shipScanRequested;
            star == 4 ? z.zoom.hideSRTZoom() : z.zoom.hideStarZoom();
            QVERIFY(z.bothViewsGone());
            QVERIFY(z.scene.sector.starsScan->visible());
            QCOMPARE(z.ops.calls, rebuilt ? QStringList{QStringLiteral("scanPlanet %1").arg(star)}
                                          : QStringList{});
        }
    }

    // A ship that leaves while a view is open cannot send the scanner back;
    // the closing view puts it back on its object when it stands elsewhere.
    void closingPutsAFrameLeftAwayBackOnItsObject_data() {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("on its object") << 7860.0 << 2310.0 << QStringList{"scanPlanet 2"};
        QTest::newRow("where a ship was followed")
            << 800.0 << 100.0 << QStringList{"frame 7860,2310 1230", "scanPlanet 2"};
    }
    void closingPutsAFrameLeftAwayBackOnItsObject() {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(QStringList, calls);
        Zoom z;
        z.state.activeStar = 2;
        Element* bracket = z.scene.sector.lblScanner[0];
        bracket->move(left, top);
        bracket->show();
        z.zoom.zoomPlanet(2);
        z.ops.calls.clear();
        z.zoom.hideStarZoom();
        QCOMPARE(z.ops.calls, calls);
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
        QVERIFY(z.wholeViewShown(z.star()));
        QCOMPARE(z.star().labelName->text(), QStringLiteral("Lamenda Prime [Klasse M]"));
        QVERIFY(!z.scene.sector.starsScan->visible());
        QCOMPARE(z.caption(), QStringLiteral("Short Range Scan"));
        // The cut-short wipe does not rebuild the panel under the new view.
        QCOMPARE(z.ops.calls, QStringList{"hidePlanetScan"});
    }

    void aTelescopeBuildUpInsideAnObjectBuildUpClearsTheObjectView() {
        Zoom z;
        z.inTick(5, [&] { z.zoom.zoomPlanet(4); });
        z.zoom.zoomPlanet(3);
        QVERIFY(z.wholeViewShown(z.telescope()));
        QVERIFY(!z.star().picture->visible());
        for (const Element* e : Zoom::parts(z.star())) {
            QVERIFY2(!e->visible(), qPrintable(e->name()));
        }
    }

    void anOpenViewStaysWholeOnceTheWindowHasClosed() {
        Zoom z;
        z.zoom.zoomPlanet(1);
        z.zoom.zoomPlanet(4);
        z.pacer.endAllTurns();
        z.ops.calls.clear();
        z.zoom.hideSRTZoom();
        z.zoom.zoomPlanet(2);
        QVERIFY(z.wholeViewShown(z.telescope()));
        QCOMPARE(z.caption(), QStringLiteral("Short Range Scan"));
        QVERIFY(!z.scene.sector.starsScan->visible());
        QCOMPARE(z.ops.calls, QStringList{"hidePlanetScan"});
    }

    void theCloseButtonIsDarkWheneverTheViewOpens() {
        Zoom z;
        Element& button = *z.star().closeButton;
        z.zoom.zoomPlanet(1);
        ZoomViews::pointerOverClose(button);
        ZoomViews::pointerOverClose(button);
        QCOMPARE(button.picture(), QStringLiteral("Back_Hell"));
        // Left lit when the view closed, it is dark when the view opens again.
        z.zoom.hideStarZoom();
        z.zoom.zoomPlanet(1);
        QCOMPARE(button.picture(), QStringLiteral("Back"));
    }

    void aClickOnAHiddenCloseButtonDoesNothing() {
        Zoom z;
        z.zoom.zoomPlanet(2);
        z.ops.calls.clear();
        z.player.clear();
        // Inside the wipe the button is already gone.
        z.inTick(3, [&] { z.zoom.starZoomCloseClick(); });
        z.zoom.hideStarZoom();
        QCOMPARE(z.ops.calls, QStringList{"scanPlanet 2"});
        QVERIFY(z.player.calls().empty());
        z.zoom.starZoomCloseClick();
        z.zoom.telescopeZoomCloseClick();
        QCOMPARE(z.ops.calls, QStringList{"scanPlanet 2"});
        QVERIFY(z.player.calls().empty());
    }

    // Opening by a click runs through the window in the zoom command test;
    // here the refusals.
    void panelClicksDoNothingWhileSomethingRuns_data() {
        QTest::addColumn<bool>("telescope");
        QTest::addColumn<bool>("busy");
        QTest::newRow("planet panel while a panel sequence runs") << false << true;
        QTest::newRow("telescope panel while a panel sequence runs") << true << true;
        QTest::newRow("planet panel under an open zoom") << false << false;
        QTest::newRow("telescope panel under an open zoom") << true << false;
    }
    void panelClicksDoNothingWhileSomethingRuns() {
        QFETCH(bool, telescope);
        QFETCH(bool, busy);
        Zoom z;
        z.state.activeStar = 5;
        if (!busy) {
            z.zoom.zoomPlanet(telescope ? 1 : 4);
        }
        z.player.clear();
        z.ops.calls.clear();
        z.state.panelBusy = busy;
        telescope ? z.zoom.telescopePanelClick() : z.zoom.planetPanelClick();
        QVERIFY(z.ops.calls.isEmpty());
        QVERIFY(z.player.calls().empty());
    }

    void theZoomKeyWaitsForShipsPanelsAndTheScanner_data() {
        QTest::addColumn<bool>("shipInSector");
        QTest::addColumn<bool>("scanShips");
        QTest::addColumn<bool>("shipScanRequested");
        QTest::addColumn<bool>("zoomOpen");
        QTest::addColumn<bool>("panelBusy");
        QTest::addColumn<bool>("scannerMoving");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("all quiet") << false << false << false << false << false << false << true;
        QTest::newRow("switches alone do not stop it")
            << false << true << true << false << false << false << true;
        QTest::newRow("a ship nobody scans")
            << true << false << false << false << false << false << true;
        QTest::newRow("every ship is scanned")
            << true << true << false << false << false << false << false;
        QTest::newRow("this ship was asked for")
            << true << false << true << false << false << false << false;
        QTest::newRow("a zoom view is open")
            << false << false << false << true << false << false << false;
        QTest::newRow("a panel builds")
            << false << false << false << false << true << false << false;
        QTest::newRow("the scanner flies")
            << false << false << false << false << false << true << false;
    }
    void theZoomKeyWaitsForShipsPanelsAndTheScanner() {
        QFETCH(bool, shipInSector);
        QFETCH(bool, scanShips);
        QFETCH(bool, shipScanRequested);
        QFETCH(bool, zoomOpen);
        QFETCH(bool, panelBusy);
        QFETCH(bool, scannerMoving);
        QFETCH(bool, allowed);
        ConsoleState s;
        s.shipInSector = shipInSector;
        s.scanShips = scanShips;
        s.shipScanRequested = shipScanRequested;
        s.panelBusy = panelBusy;
        s.scannerMoving = scannerMoving;
        QCOMPARE(zoom::keyAllowed(s, zoomOpen), allowed);
    }
};

QTEST_MAIN(ZoomViewsTest)
#include "zoom_views_test.moc"
