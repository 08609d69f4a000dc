#include <QtTest>

#include "console/console_state.h"
#include "elements/element_tree.h"
#include "screensaver/exit_rule.h"
#include "screensaver/saver_start.h"

using namespace ovant;
using exitrule::RememberedPointer;

Q_DECLARE_METATYPE(ovant::SwitchValue)

namespace {

// A few elements named as in the console, enough to tell handlers apart.
struct Tree {
    ElementTree tree{Twips(), nullptr};
    Element* picMain = tree.create(nullptr, ElementKind::Picture, QStringLiteral("PicMain"));
    Element* button = tree.create(picMain, ElementKind::Picture, QStringLiteral("ButtonOben2"));
    Element* caption = tree.create(button, ElementKind::Label, QStringLiteral("Label1(0)"));
    Element* field1 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label2(1)"));
    Element* field2 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label2(2)"));
    Element* field11 = tree.create(picMain, ElementKind::Label, QStringLiteral("Label11(3)"));
    Element* infoLabel = tree.create(picMain, ElementKind::Label, QStringLiteral("lblStar1Info"));
};

struct Rule {
    ConsoleState state;
    int exits = 0;
    ExitRule rule{state, [this] { ++exits; }};
    explicit Rule(const ElementTree& tree, bool screenSaver = true) {
        state.scrSavMode = screenSaver;
        rule.wire(tree);
    }
};

}  // namespace

class SaverRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first event, wherever it lands, only records; so does one at the
    // origin, which the pointer keeps as "nothing recorded yet".
    void theFirstEventAndOneAtTheOriginOnlyRecord() {
        RememberedPointer p;
        QVERIFY(!p.jumped({9000, 7000}));
        QCOMPARE(p.lastX(), std::int64_t{9000});
        QCOMPARE(p.lastY(), std::int64_t{7000});
        QVERIFY(!p.jumped({9000, 7000}));
        QVERIFY(p.jumped({9000, 7020}));
        RememberedPointer origin;
        QVERIFY(!origin.jumped({0, 0}));
        QVERIFY(!origin.jumped({5000, 5000}));
        QVERIFY(origin.jumped({6000, 5000}));
        // Back at the origin after a kept position is a jump like any other.
        RememberedPointer back;
        back.jumped({30, 0});
        QVERIFY(back.jumped({0, 0}));
    }

    void onlyAStepOf20TwipsOrMoreEnds_data() {
        QTest::addColumn<QPointF>("step");
        QTest::addColumn<bool>("ends");
        QTest::newRow("19 right") << QPointF(19, 0) << false;
        QTest::newRow("19 both ways") << QPointF(19, 19) << false;
        QTest::newRow("19.9 right") << QPointF(19.9, 0) << false;
        QTest::newRow("20 left") << QPointF(-20, 0) << true;
        QTest::newRow("20 down") << QPointF(0, 20) << true;
        QTest::newRow("a pixel and a half") << QPointF(22.5, 0) << true;
        QTest::newRow("press at the recorded place") << QPointF(0, 0) << false;
    }
    void onlyAStepOf20TwipsOrMoreEnds() {
        QFETCH(QPointF, step);
        QFETCH(bool, ends);
        RememberedPointer p;
        const QPointF start(3000, 2000);
        p.jumped(start);
        QCOMPARE(p.jumped(start + step), ends);
    }

    void aSlowDragIn19TwipStepsNeverEnds() {
        RememberedPointer p;
        QPointF at(100, 100);
        for (int step = 0; step < 500; ++step) {
            QVERIFY2(!p.jumped(at), qPrintable(QStringLiteral("step %1").arg(step)));
            at += QPointF(19, step % 2 == 0 ? 19 : -19);
        }
        QCOMPARE(p.lastX(), std::int64_t{100 + 499 * 19});
    }

    void halvesRoundToTheEvenWhole_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("-0.5") << -0.5 << qint64(0);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("7.6") << 7.6 << qint64(8);
        QTest::newRow("40000.5") << 40000.5 << qint64(40000);
        QTest::newRow("not a number") << std::nan("") << qint64(0);
    }
    void halvesRoundToTheEvenWhole() {
        QFETCH(double, twips);
        QFETCH(qint64, whole);
        QCOMPARE(qint64(exitrule::roundHalfToEven(twips)), whole);
    }

    void theRoundedPositionIsWhatTheNextEventIsMeasuredFrom() {
        // 100.5 is kept as 100, so 120.4 is 20.4 away; 101.5 is kept as 102.
        RememberedPointer down;
        down.jumped({100.5, 50});
        QVERIFY(down.jumped({120.4, 50}));
        RememberedPointer up;
        up.jumped({101.5, 50});
        QVERIFY(!up.jumped({120.4, 50}));
    }

    void positionsBeyond32767TwipsNeitherWrapNorEnd() {
        // A screen of 4700 pixels gives 70000 twips: kept in 16 bits these
        // would wrap and a resting pointer would seem to have jumped.
        RememberedPointer p;
        QVERIFY(!p.jumped({40000, 70000}));
        QCOMPARE(p.lastX(), std::int64_t{40000});
        QCOMPARE(p.lastY(), std::int64_t{70000});
        QVERIFY(!p.jumped({40000, 70000}));
        QVERIFY(!p.jumped({40015, 70015}));
        QVERIFY(p.jumped({40015, 70035}));
        RememberedPointer far;
        QVERIFY(!far.jumped({1e12, 1e12}));
        QVERIFY(!far.jumped({1e12 + 10, 1e12}));
    }

    void eachHandlerKeepsItsOwnPointer() {
        Tree t;
        Rule r(t.tree);
        // The press and the move of one element do not share.
        QVERIFY(!r.rule.move(t.button, {100, 100}));
        QVERIFY(!r.rule.press(t.button, {900, 100}));
        QVERIFY(!r.rule.press(t.button, {900, 100}));
        // Two elements do not share: the window itself records on its own.
        QVERIFY(!r.rule.move(&t.tree.root(), {5000, 5000}));
        QVERIFY(!r.rule.move(t.picMain, {50, 50}));
        QCOMPARE(r.exits, 0);
        QVERIFY(r.rule.move(t.button, {150, 100}));
        QCOMPARE(r.exits, 1);
    }

    void theMembersOfAGroupShareTheirHandler() {
        Tree t;
        Rule r(t.tree);
        QVERIFY(!r.rule.move(t.field1, {100, 100}));
        // The same place in another member of the group: no jump.
        QVERIFY(!r.rule.move(t.field2, {100, 100}));
        // "Label11" is a group of its own, not a member of "Label1".
        QVERIFY(!r.rule.move(t.field11, {400, 100}));
        QCOMPARE(r.exits, 0);
        QVERIFY(r.rule.move(t.field2, {400, 100}));
        QCOMPARE(r.exits, 1);
    }

    void onlyListedEventsOfListedElementsEnd() {
        Tree t;
        Rule r(t.tree);
        // The info labels keep their command; the captions have no press rule.
        for (const QPointF at : {QPointF(10, 10), QPointF(3000, 3000), QPointF(9000, 10)}) {
            QVERIFY(!r.rule.move(t.infoLabel, at));
            QVERIFY(!r.rule.press(t.infoLabel, at));
            QVERIFY(!r.rule.press(t.caption, at));
        }
        QVERIFY(!r.rule.move(nullptr, {10, 10}));
        QCOMPARE(r.exits, 0);
        // The caption's move rule does apply.
        r.rule.move(t.caption, {10, 10});
        QVERIFY(r.rule.move(t.caption, {9000, 10}));
    }

    void theInteractiveConsoleNeitherEndsNorRecords() {
        Tree t;
        Rule r(t.tree, false);
        QVERIFY(!r.rule.move(t.picMain, {100, 100}));
        QVERIFY(!r.rule.move(t.picMain, {5000, 100}));
        QVERIFY(!r.rule.press(t.button, {100, 100}));
        QCOMPARE(r.exits, 0);
        // Nothing was kept meanwhile: the first screen-saver event records.
        r.state.scrSavMode = true;
        QVERIFY(!r.rule.move(t.picMain, {9000, 9000}));
        QVERIFY(r.rule.move(t.picMain, {100, 100}));
    }

    void namesThatNameNoElementAreReported() {
        Tree t;
        Rule r(t.tree);
        const QStringList missing = r.rule.wire(t.tree);
        QVERIFY(!missing.contains(QStringLiteral("PicMain")));
        QVERIFY(!missing.contains(QStringLiteral("Label2")));
        QVERIFY(missing.contains(QStringLiteral("PicNum")));
        // The window itself is always there.
        QVERIFY(!missing.contains(QStringLiteral("MainForm")));
    }

    void theAutomaticZoomFollowsItsTwoSwitches_data() {
        QTest::addColumn<SwitchValue>("zoom");
        QTest::addColumn<SwitchValue>("random");
        QTest::addColumn<bool>("zoomOn");
        QTest::addColumn<bool>("randomOn");
        using S = SwitchValue;
        // Before: zoom on, random closing on, so that every change shows.
        QTest::newRow("zoom, closing by time") << S::On << S::Off << true << false;
        QTest::newRow("zoom, random closing") << S::On << S::On << true << true;
        QTest::newRow("no zoom") << S::Off << S::On << false << false;
        QTest::newRow("no zoom, other second") << S::Off << S::Neither << false << false;
        QTest::newRow("zoom, second neither") << S::On << S::Neither << true << true;
        QTest::newRow("first neither") << S::Neither << S::Off << true << true;
    }
    void theAutomaticZoomFollowsItsTwoSwitches() {
        QFETCH(SwitchValue, zoom);
        QFETCH(SwitchValue, random);
        QFETCH(bool, zoomOn);
        QFETCH(bool, randomOn);
        ConsoleState state;
        state.autoZoomOn = true;
        state.autoZoomRndOn = true;
        saverstart::applyAutoZoom(zoom, random, state);
        QCOMPARE(state.autoZoomOn, zoomOn);
        QCOMPARE(state.autoZoomRndOn, randomOn);
        // From both off, only the two "on" pairs change anything.
        ConsoleState off;
        saverstart::applyAutoZoom(zoom, random, off);
        QCOMPARE(off.autoZoomOn, zoom == SwitchValue::On && random != SwitchValue::Neither);
        QCOMPARE(off.autoZoomRndOn, zoom == SwitchValue::On && random == SwitchValue::On);
    }
};

QTEST_MAIN(SaverRulesTest)
#include "saver_rules_test.moc"
