// Renders labels the way the console window does and checks the pixels:
// small digits keep their colour, short boxes keep their descenders, and a
// lone bracket spans its box.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>

#include "elements/element_factory.h"
#include "elements/element_tree.h"
#include "elements/text_layout.h"

using namespace ovant;

namespace {

constexpr FontSpec kNumberFont{FontFace::Monitor, 8.25};
constexpr FontSpec kSmallNarrow{FontFace::Narrow, 8.25};
constexpr FontSpec kBracketFont{FontFace::Narrow, 60};

QImage render(const ElementTree& tree, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    tree.paint(painter, QRegion(0, 0, size.width(), size.height()));
    painter.end();
    return image;
}

bool inked(QRgb p) {
    return std::max({qRed(p), qGreen(p), qBlue(p)}) > 24;
}

// Rows (top, bottom) and columns (left, right) with ink inside `area`.
QRect inkRect(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ink |= inked(image.pixel(x, y)) ? QRect(x, y, 1, 1) : QRect();
    }
    return ink;
}

double distance(QRgb p, const QColor& c) {
    return std::hypot(qRed(p) - c.red(), qGreen(p) - c.green(), qBlue(p) - c.blue());
}

}  // namespace

class TextRenderingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void smallDigitsShowTheirColour() {
        // Lavender, orange and the red of an alert.
        for (const QColor& colour : {QColor(165, 165, 222), QColor(222, 132, 0), QColor(Qt::red)}) {
            ElementTree tree(Twips(), nullptr);
            tree.root().setBox(0, 0, 1500, 450);
            Element* field = makeLabel(tree, nullptr, QStringLiteral("Label1(1)"),
                                       Box{30, 60, 1200, 255}, kNumberFont, Qt::AlignRight, false);
            field->setOpaque(true);
            field->setBackColor(Qt::black);
            field->setForeColor(colour);
            field->setText(QStringLiteral("8036954127"));
            const QImage image = render(tree, QSize(100, 30));
            int glyph = 0;
            int near = 0;
            for (int p = 0; p < image.width() * image.height(); ++p) {
                const QRgb pixel = image.pixel(p % image.width(), p / image.width());
                glyph += inked(pixel) ? 1 : 0;
                near += inked(pixel) && distance(pixel, colour) <= 60 ? 1 : 0;
            }
            // Hairline digits have about a tenth of their pixels near the colour.
            QVERIFY(glyph > 100);
            QVERIFY2(near * 100 >= glyph * 30,
                     qPrintable(QStringLiteral("%1: %2 of %3 pixels near it")
                                    .arg(colour.name())
                                    .arg(near)
                                    .arg(glyph)));
        }
    }

    void shortBoxesKeepDescenders_data() {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("panel label") << 290.0 << 180.0 << QStringLiteral("Wartungstechniker") << 1;
        QTest::newRow("reaching above its panel")
            << -40.0 << 180.0 << QStringLiteral("Vorüb. Wohnquartier für Wartungstechniker") << 1;
        QTest::newRow("three lines, capital umlaut on top")
            << 500.0 << 570.0
            << QStringLiteral("Äusserer Ring\rfür Deuterium sowie\rLebenserhaltung") << 3;
        QTest::newRow("four lines of an info label")
            << 300.0 << 765.0 << QStringLiteral("Delta Vega\rKlasse g\rSektor jq\r326.021.254 y")
            << 4;
    }
    void shortBoxesKeepDescenders() {
        QFETCH(double, top);
        QFETCH(double, height);
        QFETCH(QString, text);
        QFETCH(int, lines);
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 6000, 3000);
        Element* panel =
            makePicture(tree, nullptr, QStringLiteral("Panel"), Box{0, 600, 3000, 2000});
        Element* label = makeLabel(tree, panel, QStringLiteral("Short"),
                                   Box{150, top, 2550, height}, kSmallNarrow, Qt::AlignLeft, true);
        label->setForeColor(Qt::white);
        label->setText(text);
        // The same text unhindered, in a tall box on its own.
        Element* free = makeLabel(tree, nullptr, QStringLiteral("Free"), Box{3150, 0, 2550, 1500},
                                  kSmallNarrow, Qt::AlignLeft, true);
        free->setForeColor(Qt::white);
        free->setText(text);
        const QImage image = render(tree, QSize(400, 200));

        QCOMPARE(TextLayout(tree.font(kSmallNarrow), text, label->pixelRect().width(), true,
                            Qt::AlignLeft)
                     .lineCount(),
                 lines);
        const QRect shown = label->pixelRect() & panel->pixelRect();
        const QRect ink = inkRect(image, panel->pixelRect());
        const QRect whole = inkRect(image, free->pixelRect());
        QVERIFY(!whole.isEmpty());
        QCOMPARE(ink.height(), whole.height());
        QVERIFY(ink.top() >= shown.top());
        // Descenders reach at most the two rows below the box that every
        // change of the label repaints.
        QVERIFY(ink.bottom() <= shown.bottom() + TextLayout::kMaxOverhang);
        if (shown.height() >= whole.height()) {
            QVERIFY(ink.bottom() <= shown.bottom());
        }
    }

    void textInRoomyBoxesStaysWhereItWas() {
        ElementTree tree(Twips(), nullptr);
        // Number fields, grid captions, button captions, the console's title.
        const std::pair<FontSpec, double> boxes[] = {{kNumberFont, 255},
                                                     {FontSpec{FontFace::Monitor, 9.75}, 270},
                                                     {FontSpec{FontFace::Monitor, 15.75}, 435},
                                                     {FontSpec{FontFace::Monitor, 15.75}, 1155},
                                                     {FontSpec{FontFace::Monitor, 32.25}, 810}};
        for (const auto& [wanted, height] : boxes) {
            // Glyphs land on whole pixel rows: the baseline's row must stay.
            const QFont font = tree.font(wanted);
            QCOMPARE(std::lround(TextLayout::place(font, tree.twips().toPixels(height)).baseline),
                     std::lround(QFontMetricsF(font).ascent()));
        }
    }

    void aLoneBracketSpansItsBox_data() {
        QTest::addColumn<QString>("bracket");
        QTest::addColumn<double>("scale");
        QTest::newRow("[") << QStringLiteral("[") << 1.0;
        QTest::newRow("]") << QStringLiteral("]") << 1.0;
        QTest::newRow("[ enlarged") << QStringLiteral("[") << 1.5;
    }
    void aLoneBracketSpansItsBox() {
        QFETCH(QString, bracket);
        QFETCH(double, scale);
        ElementTree tree(Twips(scale), nullptr);
        tree.root().setBox(0, 0, 1500, 2000);
        Element* label = makeLabel(tree, nullptr, QStringLiteral("lblScanner(0)"),
                                   Box{600, 300, 195, 1260}, kBracketFont, Qt::AlignLeft, false);
        label->setForeColor(QColor(255, 207, 159));
        label->setText(bracket);
        label->setTextSpansHeight(true);
        const QRect box = label->pixelRect();
        const QImage image = render(tree, QSize(200, 200));
        const QRect ink = inkRect(image, box.adjusted(-20, -20, 20, 20));
        QVERIFY(!ink.isEmpty());
        QVERIFY2(std::abs(ink.top() - box.top()) <= 1 && std::abs(ink.bottom() - box.bottom()) <= 1,
                 qPrintable(QStringLiteral("ink rows %1..%2, box rows %3..%4")
                                .arg(ink.top())
                                .arg(ink.bottom())
                                .arg(box.top())
                                .arg(box.bottom())));
        QVERIFY(box.contains(ink));
        // A bracket, not a bar: its arms are wider than its stem.
        const int stem =
            inkRect(image, QRect(box.left(), box.center().y(), box.width(), 1)).width();
        const int arm = inkRect(image, QRect(box.left(), box.top(), box.width(), 1)).width();
        QVERIFY(arm > stem);
    }
};

QTEST_MAIN(TextRenderingTest)
#include "text_rendering_test.moc"
