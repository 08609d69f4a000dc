#include <QtTest>

#include "console/console_state.h"
#include "console/frame_animation.h"
#include "console/frame_elements.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "elements/element_tree.h"
#include "elements/picture_store.h"
#include "elements/text_layout.h"
#include "scene/scene_elements.h"
#include "ships/ship_elements.h"
#include "support/scripted_random.h"

using namespace ovant;
using ovant::testing::ScriptedRandom;

class PaletteNumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachButtonPaletteHasFourShadesOfItsScheme() {
        for (const int mode : {1, 2}) {
            QSet<QRgb> shades;
            for (int index = 1; index <= 4; ++index) {
                const QColor c = changeColor(index, mode);
                const QString where = QStringLiteral("index %1 mode %2").arg(index).arg(mode);
                QVERIFY2(c != QColor(Qt::black), qPrintable(where));
                // Red alert is shades of red; no normal shade could pass for one.
                const bool pureRed = c.green() == 0 && c.blue() == 0;
                QVERIFY2(pureRed == (mode == 2), qPrintable(where));
                shades.insert(c.rgb());
            }
            QCOMPARE(shades.size(), 4);
        }
    }

    void aPaletteCallOutsideItsRangeGivesBlack_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::newRow("index 0") << 0 << 1;
        QTest::newRow("index 5") << 5 << 2;
        QTest::newRow("mode 3") << 4 << 3;
    }
    void aPaletteCallOutsideItsRangeGivesBlack() {
        QFETCH(int, index);
        QFETCH(int, mode);
        QCOMPARE(changeColor(index, mode), QColor(Qt::black));
    }

    void everySchemeEntryNamesAnElementThatTakesItsProperty() {
        ElementTree tree(Twips(), nullptr);
        const FrameElements frame = buildFrame(tree);
        buildNumberPanel(tree, frame.picMain);
        const SceneElements scene = buildScene(tree, frame.picMain);
        buildShips(tree, scene.sector.starsScan, frame.picMain);
        QSet<QString> painted;
        for (const SchemeRow& row : schemeTable()) {
            QVERIFY(!row.elements.empty());
            for (const QString& name : row.elements) {
                const Element* e = tree.find(name);
                QVERIFY2(e != nullptr, qPrintable(name));
                const ElementKind kind = e->kind();
                bool fits = false;
                switch (row.property) {
                    case SchemeProperty::Text:
                        fits = kind == ElementKind::Label;
                        break;
                    case SchemeProperty::Fill:
                        fits = kind == ElementKind::Shape;
                        break;
                    case SchemeProperty::Background:
                        fits = kind == ElementKind::Picture || kind == ElementKind::Label ||
                               kind == ElementKind::Shape;
                        break;
                    case SchemeProperty::LineColour:
                        fits = kind == ElementKind::Line;
                        break;
                    case SchemeProperty::Picture:
                        fits = kind == ElementKind::Picture || kind == ElementKind::Image;
                        break;
                }
                QVERIFY2(fits, qPrintable(name));
                // Two rows for one property would leave it to the later one.
                const QString key = name + QLatin1Char('/') + QString::number(int(row.property));
                QVERIFY2(!painted.contains(key), qPrintable(name));
                painted.insert(key);
            }
        }
    }

    void redAlertRepaintsEveryRowInRedOrWhite() {
        const PictureStore pictures;
        for (const SchemeRow& row : schemeTable()) {
            const QString first = row.elements.front();
            if (row.property == SchemeProperty::Picture) {
                QVERIFY2(!pictures.pixmap(row.normalPicture, 1, 1).isNull(), qPrintable(first));
                if (row.redPicture.isEmpty()) {
                    continue;  // red alert leaves this picture alone
                }
                QVERIFY2(!pictures.pixmap(row.redPicture, 1, 1).isNull(), qPrintable(first));
                QVERIFY2(row.redPicture != row.normalPicture, qPrintable(first));
                continue;
            }
            QVERIFY2(row.normal.isValid(), qPrintable(first));
            if (!row.red.isValid()) {
                continue;
            }
            QVERIFY2(row.red != row.normal, qPrintable(first));
            const QColor& c = row.red;
            const bool red = c.green() == 0 && c.blue() == 0 && c.red() > 0;
            const bool white = c == QColor(Qt::white);
            QVERIFY2(red || white, qPrintable(first));
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
        // Whether hidden elements come back too is checked against a console
        // that never went red, in the red alert test.
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

    void everyColumnReachesItsLargestNumberAndNeverPassesIt_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("digits");  // 0: not pinned, only the rule holds
        for (int column = 1; column <= NumberElements::kColumns; ++column) {
            int digits = 0;
            if (column == 2 || column == 4 || column == 8 || column == 9) {
                digits = 2;
            } else if (column == 11) {
                digits = 7;
            }
            QTest::addRow("Label%d", column) << column << digits;
        }
    }
    void everyColumnReachesItsLargestNumberAndNeverPassesIt() {
        QFETCH(int, column);
        QFETCH(int, digits);
        ElementTree tree(Twips(), nullptr);
        NumberElements numbers = buildNumberPanel(tree, nullptr);
        ScriptedRandom random;
        NumberPanel panel(numbers, random);
        panel.clear();
        random.pushDraw(column, NumberElements::kColumns);
        random.pushDraw(1, NumberElements::kRows);
        random.push(0.9999999);  // the largest number the column can draw
        random.pushDraw(column, NumberElements::kColumns);
        random.pushDraw(1, NumberElements::kRows);
        random.push(0.0);  // the smallest
        panel.fillStep();
        panel.fillStep();
        const Element* top = numbers.field[column][1];
        const Element* second = numbers.field[column][2];
        QCOMPARE(top->text(), QString::number(NumberPanel::columnMax(column)));
        QCOMPARE(second->text(), QStringLiteral("1"));
        // "1 to 99..9": the largest number is the largest of its length.
        QVERIFY2(QRegularExpression(QStringLiteral("^9+$")).match(top->text()).hasMatch(),
                 qPrintable(top->text()));
        if (digits != 0) {
            QCOMPARE(top->text().size(), digits);
        }
        // The longest number still fits its field.
        const TextLayout layout(tree.font(top->font()), top->text(),
                                tree.twips().toPixelsF(top->width()), false, top->alignment());
        QVERIFY2(layout.size().width() <= tree.twips().toPixelsF(top->width()),
                 qPrintable(top->text()));
        for (int other = 1; other <= NumberElements::kColumns; ++other) {
            QVERIFY(other == column || numbers.field[other][1]->text().isEmpty());
        }
    }

    void numberClockIntervalsStayInTheirRange_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("fillMs");    // -1: anywhere in the range
        QTest::addColumn<int>("colourMs");  // -1: anywhere in the range
        // Fill: 9 ms x column x row drawn; colour: 6 ms x row x tone.
        QTest::newRow("r at 0 gives the shortest") << 0.0 << 9 << 6;
        QTest::newRow("r in the middle") << 0.5 << -1 << -1;
        QTest::newRow("r just below 1 gives the longest") << 0.9999999 << 9 * 11 * 7 << 6 * 7 * 2;
    }
    void numberClockIntervalsStayInTheirRange() {
        QFETCH(double, r);
        QFETCH(int, fillMs);
        QFETCH(int, colourMs);
        ElementTree tree(Twips(), nullptr);
        NumberElements numbers = buildNumberPanel(tree, nullptr);
        ScriptedRandom random({r});
        NumberPanel panel(numbers, random);
        for (const Scheme scheme : {Scheme::Normal, Scheme::RedAlert}) {
            const int fill = panel.fillStep();
            const int colour = panel.colourStep(scheme);
            QVERIFY2(fill >= 9 && fill <= 693, qPrintable(QString::number(fill)));
            QVERIFY2(colour >= 6 && colour <= 84, qPrintable(QString::number(colour)));
            if (fillMs >= 0) {
                QCOMPARE(fill, fillMs);
            }
            if (colourMs >= 0) {
                QCOMPARE(colour, colourMs);
            }
        }
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
