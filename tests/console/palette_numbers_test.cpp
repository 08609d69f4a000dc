#include <QtTest>

#include "console/console_state.h"
#include "console/frame_animation.h"
#include "console/frame_elements.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "elements/element_tree.h"
#include "scene/scene_elements.h"
#include "ships/ship_elements.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;

class PaletteNumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void changeColorTable_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("1 normal") << 1 << 1 << QColor(207, 103, 96);
        QTest::newRow("2 normal") << 2 << 1 << QColor(255, 207, 159);
        QTest::newRow("3 normal") << 3 << 1 << QColor(255, 152, 0);
        QTest::newRow("4 normal") << 4 << 1 << QColor(159, 152, 255);
        QTest::newRow("1 red") << 1 << 2 << QColor(159, 0, 0);
        QTest::newRow("2 red") << 2 << 2 << QColor(207, 0, 0);
        QTest::newRow("3 red") << 3 << 2 << QColor(120, 0, 0);
        QTest::newRow("4 red") << 4 << 2 << QColor(245, 0, 0);
        QTest::newRow("index 0") << 0 << 1 << QColor(Qt::black);
        QTest::newRow("index 5") << 5 << 2 << QColor(Qt::black);
        QTest::newRow("mode 0") << 1 << 0 << QColor(Qt::black);
        QTest::newRow("mode 3") << 4 << 3 << QColor(Qt::black);
    }
    void changeColorTable() {
        QFETCH(int, index);
        QFETCH(int, mode);
        QFETCH(QColor, colour);
        QCOMPARE(changeColor(index, mode), colour);
    }

    void everySchemeRowNamesAnElementOfTheConsole() {
        ElementTree tree(Twips(), nullptr);
        const FrameElements frame = buildFrame(tree);
        buildNumberPanel(tree, frame.picMain);
        const SceneElements scene = buildScene(tree, frame.picMain);
        buildShips(tree, scene.sector.starsScan, frame.picMain);
        for (const SchemeRow& row : schemeTable()) {
            for (const QString& name : row.elements) {
                QVERIFY2(tree.find(name) != nullptr, qPrintable(name));
            }
        }
    }

    void leavingRedAlertRestoresHiddenPanelsAndPictures() {
        ElementTree tree(Twips(), nullptr);
        const FrameElements frame = buildFrame(tree);
        const SceneElements scene = buildScene(tree, frame.picMain);
        buildShips(tree, scene.sector.starsScan, frame.picMain);
        applyScheme(tree, Scheme::Normal);
        applyScheme(tree, Scheme::RedAlert);
        QCOMPARE(tree.find(QStringLiteral("ShapeOben"))->picture(),
                 QStringLiteral("Shape_oben_rot"));
        QCOMPARE(tree.find(QStringLiteral("ButtonOben3"))->picture(),
                 QStringLiteral("Button_wei\u00df"));
        QCOMPARE(tree.find(QStringLiteral("plntLabel3"))->foreColor(), QColor(255, 0, 0));
        QCOMPARE(tree.find(QStringLiteral("PicZoomOff"))->picture(), QStringLiteral("Back"));
        applyScheme(tree, Scheme::Normal);
        const QStringList pills = {"Button_rot", "Button_lila", "Button_blau", "Button_gelb"};
        for (int i = 2; i <= 5; ++i) {
            QCOMPARE(frame.buttonOben[i]->picture(), pills[i - 2]);
        }
        QVERIFY(!scene.planetPanel.panel->visible());
        QCOMPARE(tree.find(QStringLiteral("plntLine3"))->backColor(), QColor(191, 151, 191));
        QCOMPARE(tree.find(QStringLiteral("StarZoomDot7"))->backColor(), QColor(191, 151, 191));
        QCOMPARE(tree.find(QStringLiteral("SRTZoomLabelName"))->foreColor(), QColor(159, 152, 255));
        QCOMPARE(tree.find(QStringLiteral("TrennUnten2"))->backColor(), QColor(240, 183, 111));
        QCOMPARE(tree.find(QStringLiteral("LineScan(1)"))->borderColor(), QColor(255, 207, 159));
    }

    void fillStepWipesAFullColumnAndWritesNothing() {
        ElementTree tree(Twips(), nullptr);
        NumberElements numbers = buildNumberPanel(tree, nullptr);
        ScriptedRandom random;
        NumberPanel panel(numbers, random);
        panel.clear();
        // Seven steps into column 2 fill it top-down with numbers up to 99.
        for (int step = 1; step <= 7; ++step) {
            random.pushDraw(2, 11);
            random.pushDraw(step, 7);
            random.push(0.999999);
            QCOMPARE(panel.fillStep(), 9 * 2 * step);
            QCOMPARE(numbers.field[2][step]->text(), QStringLiteral("99"));
        }
        random.pushDraw(2, 11);
        random.pushDraw(1, 7);
        const int before = random.used();
        panel.fillStep();
        QCOMPARE(random.used() - before, 2);  // no number drawn for a wipe
        for (int row = 1; row <= 7; ++row) {
            QVERIFY(numbers.field[2][row]->text().isEmpty());
        }
    }

    void numberRangesAndIntervalsStayInBounds() {
        ElementTree tree(Twips(), nullptr);
        NumberElements numbers = buildNumberPanel(tree, nullptr);
        ScriptedRandom high({0.9999999});
        NumberPanel panel(numbers, high);
        QCOMPARE(panel.fillStep(), 693);
        QCOMPARE(numbers.field[11][1]->text(), QStringLiteral("9999999"));
        QCOMPARE(panel.colourStep(Scheme::Normal), 84);
        QCOMPARE(numbers.field[11][7]->foreColor(), QColor(222, 132, 0));
        ScriptedRandom low({0.0});
        NumberPanel lowPanel(numbers, low);
        QCOMPARE(lowPanel.fillStep(), 9);
        QCOMPARE(numbers.field[1][1]->text(), QStringLiteral("1"));
        QCOMPARE(lowPanel.colourStep(Scheme::RedAlert), 6);
        QCOMPARE(numbers.field[1][1]->foreColor(), QColor(255, 0, 0));
        QCOMPARE(NumberPanel::columnMax(2), 99);
        QCOMPARE(NumberPanel::columnMax(10), 9999);
    }

    void buttonClocksLeaveWhiteButtonsToTheChaseLight() {
        ElementTree tree(Twips(), nullptr);
        FrameElements frame = buildFrame(tree);
        NumberElements numbers = buildNumberPanel(tree, frame.picMain);
        ScriptedRandom random;
        NumberPanel panel(numbers, random);
        ConsoleState state;
        FrameAnimation animation(frame, panel, state, random);
        QTimer clock;
        frame.buttonUnten[1]->setBackColor(Qt::white);
        random.pushDraw(2, 6);  // ButtonUnten1
        random.pushDraw(3, 4);
        random.push(0.0);  // next interval 800
        animation.tmrAniTick(clock);
        QCOMPARE(frame.buttonUnten[1]->backColor(), QColor(Qt::white));
        QCOMPARE(clock.interval(), 800);
        random.pushDraw(1, 6);  // ButtonOben1
        random.pushDraw(3, 4);
        random.push(0.9999999);
        animation.tmrAniTick(clock);
        QCOMPARE(frame.buttonOben[1]->backColor(), QColor(255, 152, 0));
        QCOMPARE(clock.interval(), 2000);
        state.redAlertActive = true;
        random.pushDraw(4, 4);  // ButtonOben5
        random.pushDraw(3, 3);
        random.push(0.0);
        animation.tmrAni1Tick(clock);
        QCOMPARE(frame.buttonOben[5]->picture(), QStringLiteral("Button_wei\u00df"));
        QCOMPARE(clock.interval(), 600);
    }

    void schemeChangeRecoloursAllSeventySevenFields() {
        ElementTree tree(Twips(), nullptr);
        NumberElements numbers = buildNumberPanel(tree, nullptr);
        ScriptedRandom random({0.7});
        NumberPanel panel(numbers, random);
        panel.initColours(Scheme::RedAlert);
        QCOMPARE(random.used(), 77);
        for (int column = 1; column <= 11; ++column) {
            for (int row = 1; row <= 7; ++row) {
                QCOMPARE(numbers.field[column][row]->foreColor(), QColor(255, 255, 255));
            }
        }
    }
};

QTEST_MAIN(PaletteNumbersTest)
#include "palette_numbers_test.moc"
