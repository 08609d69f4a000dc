// A frame repaints only what changed, in thin areas: a moving ship's label in
// bands, the scanner's lines passing a caption, the end of a line that grows.
// Every pixel must come out as it does when everything is painted.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <array>
#include <optional>

#include "elements/element_factory.h"
#include "elements/element_tree.h"
#include "support/image_compare.h"

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

struct ShipLabel {
    Box box;
    QString text;
    QColor colour;
};

Element* placeShipLabel(ElementTree& tree, const ShipLabel& l) {
    tree.root().setBox(0, 0, 1500, 1200);
    Element* label = makeLabel(tree, nullptr, QStringLiteral("lblShipInfo"), l.box,
                               FontSpec{FontFace::Narrow, 8.25}, Qt::AlignLeft, true);
    label->setForeColor(l.colour);
    label->setText(l.text);
    return label;
}

}  // namespace

class PartialRepaintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void thinAreasShowWhatTheWholeLabelShows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("face");
        QTest::addColumn<int>("alignment");
        QTest::newRow("ship label, wrapped")
            << QStringLiteral("U.S.S. Intrepid - NCC 76125 - Intrepid-Klasse") << 8.25
            << int(FontFace::Narrow) << int(Qt::AlignLeft);
        QTest::newRow("numbers, right") << QStringLiteral("8036954127\r0412\r77(3)") << 8.25
                                        << int(FontFace::Monitor) << int(Qt::AlignRight);
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

    // A moving label keeps its text as an image; it must show what the same
    // label shows standing still, and a new text or colour at once.
    void aMovingLabelShowsWhatAStillOneShows() {
        ShipLabel now{Box{150, 150, 975, 765},
                      QStringLiteral("U.S.S. Galaxy - NCC 76037 - Galaxy-Klasse - Sammelt Proben..."),
                      QColor(191, 151, 191)};
        ElementTree tree(Twips(), nullptr);
        Element* label = placeShipLabel(tree, now);
        const QSize size(100, 80);
        const QRect all(QPoint(0, 0), size);
        QImage screen = render(tree, size, QRegion(all));
        (void)tree.takeDirty();
        for (int step = 1; step <= 12; ++step) {
            now.box.left += 15;
            now.box.top += step % 3 == 0 ? 15 : 0;
            if (step == 4) {
                now.text = QStringLiteral("U.S.S. Galaxy - NCC 76037 - Galaxy-Klasse - Passiert Sektor...");
            }
            if (step == 8) {
                now.colour = QColor(255, 207, 159);
            }
            label->setBox(now.box.left, now.box.top, now.box.width, now.box.height);
            label->setText(now.text);
            label->setForeColor(now.colour);
            const QRegion changed = tree.takeDirty();
            QPainter painter(&screen);
            tree.paint(painter, changed);
            painter.end();
            ElementTree still(Twips(), nullptr);
            placeShipLabel(still, now);
            QVERIFY2(testing::looksTheSame(render(still, size, QRegion(all)), screen),
                     qPrintable(QStringLiteral("after step %1").arg(step)));
        }
        // Bands of the moved label, painted alone, match the whole of it.
        const QImage whole = render(tree, size, QRegion(all));
        for (int y = 0; y < size.height(); y += 3) {
            const QRect band(0, y, size.width(), 3);
            QVERIFY2(!firstDifference(whole, render(tree, size, QRegion(band)), band & all),
                     qPrintable(QStringLiteral("band at row %1").arg(y)));
        }
    }

    void linesSlidingAlongThemselvesLeaveNothingBehind() {
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 1500, 1200);
        Element* caption = makeLabel(tree, nullptr, QStringLiteral("lbl"), Box{300, 300, 900, 600},
                                     FontSpec{FontFace::Monitor, 14.25});
        caption->setForeColor(QColor(165, 165, 222));
        caption->setText(QStringLiteral("Sektor 001 Sektor 001 Sektor 001"));
        Element* across = makeLine(tree, nullptr, QStringLiteral("across"), 150, 600, 1350, 600,
                                   QColor(255, 255, 0));
        Element* upright = makeLine(tree, nullptr, QStringLiteral("upright"), 750, 150, 750, 1050,
                                    QColor(0, 255, 255));
        const QSize size(100, 80);
        QImage screen = render(tree, size, QRegion(QRect(QPoint(0, 0), size)));
        (void)tree.takeDirty();
        // Each end in turn grows and shrinks, ends swap, the line turns from
        // a row into a column and back or into a slant, and at last moves to
        // another row.
        const QList<std::array<double, 4>> acrossMoves = {
            {150, 600, 1200, 600}, {450, 600, 1200, 600}, {300, 600, 1350, 600},
            {1350, 600, 300, 600}, {1350, 600, 15, 600},  {750, 150, 750, 900},
            {750, 300, 750, 1050}, {150, 750, 1350, 750}, {150, 750, 1350, 900},
            {150, 750, 165, 750}};
        const QList<std::array<double, 4>> uprightMoves = {
            {750, 150, 750, 900},  {750, 450, 750, 900},   {750, 1050, 750, 15},
            {600, 150, 1350, 150}, {600, 300, 600, 1050},  {750, 300, 750, 1050},
            {750, 300, 750, 1065}, {750, 300, 1200, 1065}, {750, 1065, 750, 1065},
            {750, 300, 750, 600}};
        for (int i = 0; i < acrossMoves.size(); ++i) {
            const auto& a = acrossMoves[i];
            const auto& u = uprightMoves[i];
            across->setLine(a[0], a[1], a[2], a[3]);
            upright->setLine(u[0], u[1], u[2], u[3]);
            const QRegion changed = tree.takeDirty();
            QPainter painter(&screen);
            tree.paint(painter, changed);
            painter.end();
            const QImage whole = render(tree, size, QRegion(QRect(QPoint(0, 0), size)));
            const auto at = firstDifference(whole, screen, QRect(QPoint(0, 0), size));
            QVERIFY2(!at, qPrintable(QStringLiteral("after move %1 the screen differs at %2,%3")
                                         .arg(i)
                                         .arg(at ? at->x() : 0)
                                         .arg(at ? at->y() : 0)));
        }
    }
};

QTEST_MAIN(PartialRepaintTest)
#include "partial_repaint_test.moc"
