// A frame repaints thin areas of a label (a moving ship's label in bands,
// the scanner's lines passing a caption) and draws only the lines and glyphs
// that reach into them. Every pixel inside such an area must come out as it
// does when the whole label is painted.
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "elements/element_factory.h"
#include "elements/element_tree.h"

using namespace ovant;

namespace {

QImage render(const ElementTree& tree, QSize size, const QRegion& region) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    tree.paint(painter, region);
    painter.end();
    return image;
}

// The first pixel inside `area` where `part` differs from `whole`, or none.
std::optional<QPoint> firstDifference(const QImage& whole, const QImage& part, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (whole.pixel(x, y) != part.pixel(x, y)) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

class TextClippingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void thinAreasShowWhatTheWholeLabelShows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("face");
        QTest::addColumn<int>("alignment");
        QTest::newRow("ship label, wrapped") << QStringLiteral("U.S.S. Intrepid - NCC 76125 - Intrepid-Klasse")
                                             << 8.25 << int(FontFace::Narrow) << int(Qt::AlignLeft);
        QTest::newRow("numbers, right") << QStringLiteral("8036954127\r0412\r77(3)")
                                        << 8.25 << int(FontFace::Monitor) << int(Qt::AlignRight);
        QTest::newRow("large, centred, key letter")
            << QStringLiteral("[&Ende] {Jy}\rgqÄ") << 14.25 << int(FontFace::Monitor)
            << int(Qt::AlignHCenter);
    }
    void thinAreasShowWhatTheWholeLabelShows() {
        QFETCH(QString, text);
        QFETCH(double, points);
        QFETCH(int, face);
        QFETCH(int, alignment);
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 1500, 1200);
        Element* label = makeLabel(tree, nullptr, QStringLiteral("lbl"), Box{150, 150, 975, 765},
                                   FontSpec{static_cast<FontFace>(face), points},
                                   Qt::Alignment(alignment), true);
        label->setForeColor(QColor(191, 151, 191));
        label->setText(text);
        const QSize size(100, 80);
        const QImage whole = render(tree, size, QRegion(QRect(QPoint(0, 0), size)));
        QVERIFY(whole != render(tree, size, QRegion()));  // there is ink to lose

        std::vector<QRect> areas;
        for (int y = 0; y < size.height(); ++y) {
            for (int h : {1, 4, 5}) {
                areas.emplace_back(0, y, size.width(), h);  // bands as a label moves
                areas.emplace_back(12, y, 30, h);           // part of a line
            }
        }
        for (int x = 0; x < size.width(); ++x) {
            for (int w : {1, 2, 3}) {
                areas.emplace_back(x, 0, w, size.height());  // an upright line passing
            }
        }
        for (const QRect& area : areas) {
            const QImage part = render(tree, size, QRegion(area));
            if (const auto at = firstDifference(whole, part, area & QRect(QPoint(0, 0), size))) {
                QFAIL(qPrintable(QStringLiteral("painting %1,%2 %3x%4 alone differs at %5,%6")
                                     .arg(area.x())
                                     .arg(area.y())
                                     .arg(area.width())
                                     .arg(area.height())
                                     .arg(at->x())
                                     .arg(at->y())));
            }
        }
    }
};

QTEST_MAIN(TextClippingTest)
#include "text_clipping_test.moc"
