#include <QtTest>
#include <map>
#include <optional>

#include "console/button_animation.h"
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
using namespace ovant::buttons;
using ovant::testing::ScriptedRandom;

namespace {

constexpr double kHigh = 0.999999;
// The number panel alone, drawing from a script.
struct Numbers {
    ElementTree tree{Twips(), nullptr};
    NumberElements numbers = buildNumberPanel(tree, nullptr);
    ScriptedRandom random;
    NumberPanel panel{numbers, random};
    explicit Numbers(std::vector<double> draws = {}) : random(std::move(draws)) {}
    // The next fill step writes into `column`, `row`; r draws the number.
    void nextFill(int column, int row, std::optional<double> r) {
        random.pushDraw(column, NumberElements::kColumns);
        random.pushDraw(row, NumberElements::kRows);
        if (r) {
            random.push(*r);
        }
    }
};
}  // namespace

class PaletteNumbersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachButtonPaletteHasFourShadesOfItsSchemeAndBlackOutside() {
        for (const int mode : {1, 2}) {
            QSet<QRgb> shades;
            for (int index = 1; index <= 4; ++index) {
                const QColor c = changeColor(index, mode);
                const QString where = QStringLiteral("index %1 mode %2").arg(index).arg(mode);
                QVERIFY2(c != QColor(Qt::black), qPrintable(where));
                // Red alert is shades of red; no normal shade could pass for one.
                QVERIFY2((c.green() == 0 && c.blue() == 0) == (mode == 2), qPrintable(where));
                shades.insert(c.rgb());
            }
            QCOMPARE(shades.size(), 4);
        }
        for (const auto& [index, mode] : {std::pair{0, 1}, {5, 2}, {4, 3}}) {
            QCOMPARE(changeColor(index, mode), QColor(Qt::black));
        }
    }

    void everySchemeEntryNamesAnElementThatTakesItsProperty() {
        ElementTree tree(Twips(), nullptr);
        const FrameElements frame = buildFrame(tree);
        buildNumberPanel(tree, frame.picMain);
        const SceneElements scene = buildScene(tree, frame.picMain);
        buildShips(tree, scene.sector.starsScan, frame.picMain);
        using K = ElementKind;
        const std::map<SchemeProperty, QList<K>> takes{
            {SchemeProperty::Text, {K::Label}},
            {SchemeProperty::Fill, {K::Shape}},
            {SchemeProperty::Background, {K::Picture, K::Label, K::Shape}},
            {SchemeProperty::LineColour, {K::Line}},
            {SchemeProperty::Picture, {K::Picture, K::Image}}};
        QSet<QString> painted;
        for (const SchemeRow& row : schemeTable()) {
            QVERIFY(!row.elements.empty());
            for (const QString& name : row.elements) {
                const Element* e = tree.find(name);
                QVERIFY2(e != nullptr && takes.at(row.property).contains(e->kind()),
                         qPrintable(name));
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
            const QByteArray name = row.elements.front().toUtf8();
            const char* first = name.constData();
            if (row.property == SchemeProperty::Picture) {
                QVERIFY2(!pictures.pixmap(row.normalPicture, 1, 1).isNull(), first);
                // An empty red picture leaves the picture alone.
                QVERIFY2(
                    row.redPicture.isEmpty() || (!pictures.pixmap(row.redPicture, 1, 1).isNull() &&
                                                 row.redPicture != row.normalPicture),
                    first);
                continue;
            }
            QVERIFY2(row.normal.isValid(), first);
            const QColor& c = row.red;
            const bool red = c.green() == 0 && c.blue() == 0 && c.red() > 0;
            QVERIFY2(!c.isValid() || (c != row.normal && (red || c == QColor(Qt::white))), first);
        }
        ElementTree tree(Twips(), nullptr);
        const FrameElements frame = buildFrame(tree);
        const SceneElements scene = buildScene(tree, frame.picMain);
        buildShips(tree, scene.sector.starsScan, frame.picMain);
        applyScheme(tree, Scheme::Normal);
        applyScheme(tree, Scheme::RedAlert);
        QCOMPARE(tree.find(QStringLiteral("ButtonOben3"))->picture(),
                 QStringLiteral("Button_wei\u00df"));
        QCOMPARE(tree.find(QStringLiteral("plntLabel3"))->foreColor(), QColor(255, 0, 0));
        QCOMPARE(tree.find(QStringLiteral("PicZoomOff"))->picture(), QStringLiteral("Back"));
    }

    void fillStepWipesAFullColumnAndWritesNothing() {
        Numbers n;
        n.panel.clear();
        // Seven steps into column 2 fill it top-down with numbers up to 99.
        for (int step = 1; step <= 7; ++step) {
            n.nextFill(2, step, 0.999999);
            QCOMPARE(n.panel.fillStep(), 9 * 2 * step);
            QCOMPARE(n.numbers.field[2][step]->text(), QStringLiteral("99"));
        }
        n.nextFill(2, 1, std::nullopt);
        const int before = n.random.used();
        n.panel.fillStep();
        QCOMPARE(n.random.used() - before, 2);  // no number drawn for a wipe
        for (int row = 1; row <= 7; ++row) {
            QVERIFY(n.numbers.field[2][row]->text().isEmpty());
        }
    }

    void everyColumnReachesItsLargestNumberAndNeverPassesIt() {
        // 0: not pinned, only the rule holds
        const int digits[NumberElements::kColumns + 1] = {0, 0, 2, 0, 2, 0, 0, 0, 2, 2, 0, 7};
        for (int column = 1; column <= NumberElements::kColumns; ++column) {
            Numbers n;
            n.panel.clear();
            n.nextFill(column, 1, 0.9999999);  // the largest number the column can draw
            n.nextFill(column, 1, 0.0);        // the smallest
            n.panel.fillStep();
            n.panel.fillStep();
            const Element* top = n.numbers.field[column][1];
            const QString where = QStringLiteral("Label%1: %2").arg(column).arg(top->text());
            QCOMPARE(top->text(), QString::number(NumberPanel::columnMax(column)));
            QCOMPARE(n.numbers.field[column][2]->text(), QStringLiteral("1"));
            // "1 to 99..9": the largest number is the largest of its length.
            QVERIFY2(QRegularExpression(QStringLiteral("^9+$")).match(top->text()).hasMatch(),
                     qPrintable(where));
            QVERIFY2(digits[column] == 0 || top->text().size() == digits[column],
                     qPrintable(where));
            // The longest number still fits its field.
            const double width = n.tree.twips().toPixelsF(top->width());
            const TextLayout layout(n.tree.font(top->font()), top->text(), width, false,
                                    top->alignment());
            QVERIFY2(layout.size().width() <= width, qPrintable(where));
            for (int other = 1; other <= NumberElements::kColumns; ++other) {
                QVERIFY(other == column || n.numbers.field[other][1]->text().isEmpty());
            }
        }
    }

    // Fill: 9 ms x column x row drawn; colour: 6 ms x row x tone.
    void numberClockIntervalsStayInTheirRange() {
        for (const double r : {0.0, 0.5, 0.9999999}) {
            Numbers n({r});
            for (const Scheme scheme : {Scheme::Normal, Scheme::RedAlert}) {
                const int fill = n.panel.fillStep();
                const int colour = n.panel.colourStep(scheme);
                QVERIFY2(fill >= 9 && fill <= 693, qPrintable(QString::number(fill)));
                QVERIFY2(colour >= 6 && colour <= 84, qPrintable(QString::number(colour)));
                if (r != 0.5) {
                    QCOMPARE(fill, r == 0.0 ? 9 : 9 * 11 * 7);
                    QCOMPARE(colour, r == 0.0 ? 6 : 6 * 7 * 2);
                }
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
        Numbers n({0.7});
        n.panel.initColours(Scheme::RedAlert);
        QCOMPARE(n.random.used(), 77);
        for (int column = 1; column <= 11; ++column) {
            for (int row = 1; row <= 7; ++row) {
                QCOMPARE(n.numbers.field[column][row]->foreColor(), QColor(255, 255, 255));
            }
        }
    }

    void intervalsStayInTheirRanges() {
        // A faulty 1 from the source is still the highest.
        for (const auto& [r, sideButtons, pills] :
             {std::tuple{0.0, 800, 600}, {kHigh, 2000, 2000}, {1.0, 2000, 2000}}) {
            ScriptedRandom random({r});
            QCOMPARE(tmrAniInterval(random), sideButtons);
            QCOMPARE(tmrAni1Interval(random), pills);
            QCOMPARE(random.used(), 2);
        }
    }

    // The button is drawn first, the colour second, and the colour comes from
    // the palette of the mode.
    void sideButtonAndColourAtTheEndsOfTheirRanges() {
        const struct {
            int mode;
            double buttonDraw, colourDraw;
            int button, colourIndex;
        } cases[] = {{1, 0.0, 0.0, 1, 1},
                     {1, kHigh, kHigh, 6, 4},
                     {2, 0.0, kHigh, 1, 4},
                     {2, kHigh, 0.0, 6, 1}};
        for (const auto& c : cases) {
            ScriptedRandom random({c.buttonDraw, c.colourDraw});
            const ButtonChange change = changeButtonsDraw(c.mode, random);
            QCOMPARE(change.button, c.button);
            QCOMPARE(change.colour, ovant::changeColor(c.colourIndex, c.mode));
            QCOMPARE(random.used(), 2);
        }
    }

    void pillButtonsAndPictures() {
        const struct {
            int mode, buttonDraw, pictureDraw, button;
            QString picture;
        } cases[] = {
            {1, 1, 1, 2, "Button_rot"},       {1, 2, 2, 3, "Button_blau"},
            {1, 3, 3, 4, "Button_lila"},      {1, 4, 4, 5, "Button_gelb"},
            {2, 4, 1, 5, "Button_rot1"},      {2, 1, 2, 2, "Button_dunkelrot"},
            {2, 2, 3, 3, "Button_wei\u00df"},
        };
        for (const auto& c : cases) {
            ScriptedRandom random;
            random.pushDraw(c.buttonDraw, 4);
            random.pushDraw(c.pictureDraw, c.mode == 1 ? 4 : 3);
            const auto change = changeOvalButtonsDraw(c.mode, random);
            QVERIFY(change.has_value());
            QCOMPARE(change->button, c.button);
            QCOMPARE(change->picture, c.picture);
            QCOMPARE(random.used(), 2);
        }
        // Other modes change no pill and draw nothing.
        for (const int mode : {0, 3, -1}) {
            ScriptedRandom random({0.5});
            QVERIFY(!changeOvalButtonsDraw(mode, random).has_value());
            QCOMPARE(random.used(), 0);
        }
    }
};

QTEST_MAIN(PaletteNumbersTest)
#include "palette_numbers_test.moc"
