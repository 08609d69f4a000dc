#include <QtTest>

#include "console/button_animation.h"
#include "console/palette.h"
#include "support/scripted_random.h"

using namespace ovant::buttons;
using ovant::testing::ScriptedRandom;

namespace {
constexpr double kHigh = 0.999999;
}

class ButtonAnimationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void intervalsStayInTheirRanges_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("sideButtons");
        QTest::addColumn<int>("pills");
        QTest::newRow("lowest") << 0.0 << 800 << 600;
        QTest::newRow("highest") << kHigh << 2000 << 2000;
        QTest::newRow("a faulty 1 is still the highest") << 1.0 << 2000 << 2000;
    }
    void intervalsStayInTheirRanges() {
        QFETCH(double, r);
        QFETCH(int, sideButtons);
        QFETCH(int, pills);
        ScriptedRandom random({r});
        QCOMPARE(tmrAniInterval(random), sideButtons);
        QCOMPARE(tmrAni1Interval(random), pills);
        QCOMPARE(random.used(), 2);
    }

    // The button is drawn first, the colour second, and the colour comes from
    // the palette of the mode.
    void sideButtonAndColourAtTheEndsOfTheirRanges_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("buttonDraw");
        QTest::addColumn<double>("colourDraw");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("colourIndex");
        QTest::newRow("normal, ButtonOben1, first colour") << 1 << 0.0 << 0.0 << 1 << 1;
        QTest::newRow("normal, ButtonUnten5, last colour") << 1 << kHigh << kHigh << 6 << 4;
        QTest::newRow("red alert, ButtonOben1, last colour") << 2 << 0.0 << kHigh << 1 << 4;
        QTest::newRow("red alert, ButtonUnten5, first colour") << 2 << kHigh << 0.0 << 6 << 1;
    }
    void sideButtonAndColourAtTheEndsOfTheirRanges() {
        QFETCH(int, mode);
        QFETCH(double, buttonDraw);
        QFETCH(double, colourDraw);
        QFETCH(int, button);
        QFETCH(int, colourIndex);
        ScriptedRandom random({buttonDraw, colourDraw});
        const ButtonChange change = changeButtonsDraw(mode, random);
        QCOMPARE(change.button, button);
        QCOMPARE(change.colour, ovant::changeColor(colourIndex, mode));
        QCOMPARE(random.used(), 2);
    }

    void pillButtonsAndPictures_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("buttonDraw");
        QTest::addColumn<int>("pictureDraw");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("picture");
        QTest::newRow("normal 1: ButtonOben2, red") << 1 << 1 << 1 << 2 << "Button_rot";
        QTest::newRow("normal 2: ButtonOben3, blue") << 1 << 2 << 2 << 3 << "Button_blau";
        QTest::newRow("normal 3: ButtonOben4, lilac") << 1 << 3 << 3 << 4 << "Button_lila";
        QTest::newRow("normal 4: ButtonOben5, yellow") << 1 << 4 << 4 << 5 << "Button_gelb";
        QTest::newRow("red alert 1: ButtonOben5, bright red") << 2 << 4 << 1 << 5 << "Button_rot1";
        QTest::newRow("red alert 2: ButtonOben2, dark red")
            << 2 << 1 << 2 << 2 << "Button_dunkelrot";
        QTest::newRow("red alert 3: ButtonOben3, white")
            << 2 << 2 << 3 << 3 << QString::fromUtf8("Button_wei\xc3\x9f");
    }
    void pillButtonsAndPictures() {
        QFETCH(int, mode);
        QFETCH(int, buttonDraw);
        QFETCH(int, pictureDraw);
        QFETCH(int, button);
        QFETCH(QString, picture);
        const int pictures = mode == 1 ? 4 : 3;
        ScriptedRandom random;
        random.pushDraw(buttonDraw, 4);
        random.pushDraw(pictureDraw, pictures);
        const auto change = changeOvalButtonsDraw(mode, random);
        QVERIFY(change.has_value());
        QCOMPARE(change->button, button);
        QCOMPARE(change->picture, picture);
        QCOMPARE(random.used(), 2);
    }

    void otherModesChangeNoPillAndDrawNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("zero") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("negative") << -1;
    }
    void otherModesChangeNoPillAndDrawNothing() {
        QFETCH(int, mode);
        ScriptedRandom random({0.5});
        QVERIFY(!changeOvalButtonsDraw(mode, random).has_value());
        QCOMPARE(random.used(), 0);
    }
};

QTEST_GUILESS_MAIN(ButtonAnimationTest)
#include "button_animation_test.moc"
