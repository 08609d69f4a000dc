#include <QImage>
#include <QPainter>
#include <QtTest>

#include "elements/element_factory.h"
#include "elements/element_tree.h"
#include "elements/text_layout.h"

using namespace ovant;

namespace {

// A tree whose root covers `side` twips square.
struct Tree : ElementTree {
    explicit Tree(double scale = 1.0, double side = 15000) : ElementTree(Twips(scale), nullptr) {
        root().setBox(0, 0, side, side);
    }
    QImage painted(const QRegion& area = QRegion(0, 0, 100, 100)) const {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        paint(painter, area);
        return image;
    }
};

}  // namespace

class ElementModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A ship moves a third of a pixel a tick: only a move that changes
    // pixels may cost a repaint, and then both where it was and where it is.
    void onlyMovesThatChangePixelsAskForARepaint() {
        Tree tree;
        Element* ship =
            makePicture(tree, nullptr, QStringLiteral("Ship"), Box{1500, 1500, 390, 420});
        Element* line =
            makeLine(tree, nullptr, QStringLiteral("Line"), 0, 3000, 6000, 3000, Qt::white);
        (void)tree.takeDirty();
        ship->setLeft(1505);
        line->setLine(0, 3005, 6000, 3005);
        QVERIFY(!tree.dirty());
        QCOMPARE(ship->left(), 1505.0);
        ship->setLeft(1515);
        const QRegion moved = tree.takeDirty();
        QVERIFY(moved.contains(QPoint(100, 110)) && moved.contains(QPoint(101, 110)));
        line->setLine(0, 3020, 6000, 3020);
        const QRegion lineMoved = tree.takeDirty();
        QVERIFY(lineMoved.contains(QPoint(200, 200)) && lineMoved.contains(QPoint(200, 201)));
    }

    void twipsBecomePixelsAtOnePlacePerLevel() {
        Tree tree;
        Element* main =
            makePicture(tree, nullptr, QStringLiteral("PicMain"), Box{150, 60, 11745, 8355});
        Element* child =
            makePicture(tree, main, QStringLiteral("Child"), Box{2130, 3090, 9315, 5055});
        QCOMPARE(main->pixelRect(), QRect(10, 4, 783, 557));
        QCOMPARE(child->pixelRect(), QRect(10 + 142, 4 + 206, 621, 337));
        tree.setTwips(Twips(2.0));
        QCOMPARE(main->pixelRect(), QRect(20, 8, 1566, 1114));
        QCOMPARE(child->pixelRect().topLeft(), QPoint(20 + 284, 8 + 412));
    }

    void manyChangesInOneFrameAskForOnePaint() {
        Tree tree;
        int requests = 0;
        tree.setOnDirty([&] { ++requests; });
        Element* label =
            makeLabel(tree, nullptr, QStringLiteral("L"), Box{150, 150, 750, 255}, FontSpec{});
        tree.takeDirty();
        requests = 0;
        for (int i = 0; i < 50; ++i) {
            label->setText(QString::number(i));
            label->setForeColor(i % 2 ? Qt::red : Qt::white);
        }
        QCOMPARE(requests, 1);
        const QRegion dirty = tree.takeDirty();
        QVERIFY(dirty.boundingRect().contains(label->pixelRect()));
        QVERIFY(dirty.boundingRect().width() < 100);
        QVERIFY(!tree.dirty());
    }

    void aTreeChangedBeforeItsWindowListensStillAsksForAFrame() {
        Tree tree;
        makeLabel(tree, nullptr, QStringLiteral("L"), Box{150, 150, 750, 255}, FontSpec{});
        int requests = 0;
        tree.setOnDirty([&] { ++requests; });
        QCOMPARE(requests, 1);
        tree.takeDirty();
        tree.setOnDirty([&] { ++requests; });
        QCOMPARE(requests, 1);
    }

    void changesToHiddenElementsPaintNothing() {
        Tree tree;
        Element* panel = makePicture(tree, nullptr, QStringLiteral("P"), Box{0, 0, 3000, 3000});
        Element* label =
            makeLabel(tree, panel, QStringLiteral("L"), Box{0, 0, 750, 255}, FontSpec{});
        panel->hide();
        tree.takeDirty();
        label->setText(QStringLiteral("x"));
        label->setForeColor(Qt::red);
        QVERIFY(!tree.dirty());
        panel->show();
        const QRegion dirty = tree.takeDirty();
        QVERIFY(dirty.contains(panel->pixelRect()));
        QVERIFY(dirty.boundingRect().width() <= panel->pixelRect().width() + 2);
    }

    // A label lies under every picture of its container, even one created
    // before it; lines take no clicks; an outline lets clicks through its holes.
    void picturesCoverLabelsAndTakeTheClickInsideTheirOutline() {
        Tree tree;
        Element* picture = makePicture(tree, nullptr, QStringLiteral("P"), Box{0, 0, 1500, 1500});
        Element* label =
            makeLabel(tree, nullptr, QStringLiteral("L"), Box{750, 750, 1500, 1500}, FontSpec{});
        makeLine(tree, nullptr, QStringLiteral("Line"), 0, 3000, 3000, 3000, Qt::white);
        Element* ship =
            makePicture(tree, nullptr, QStringLiteral("Ship"), Box{4500, 4500, 390, 420});
        ship->setOutline(QRegion(5, 5, 10, 10));
        QCOMPARE(tree.hitTest(QPoint(60, 60)), picture);
        QCOMPARE(tree.hitTest(QPoint(120, 120)), label);
        QCOMPARE(tree.hitTest(QPoint(100, 200)), &tree.root());
        QCOMPARE(tree.hitTest(QPoint(300 + 6, 300 + 6)), ship);
        QCOMPARE(tree.hitTest(QPoint(300 + 1, 300 + 1)), &tree.root());
        picture->hide();
        QCOMPARE(tree.hitTest(QPoint(60, 60)), label);
    }

    void labelsTakeTheirTextSizeKeyLettersAndLineBreaks() {
        Tree tree;
        Element* label =
            makeAutoLabel(tree, nullptr, QStringLiteral("N"), 90, 1530,
                          FontSpec{FontFace::Monitor, 14.25}, QStringLiteral("Delta Vega"));
        const double shortWidth = label->width();
        QVERIFY(shortWidth > 0);
        label->setText(QStringLiteral("Delta Vega Delta Vega"));
        QVERIFY(label->width() > shortWidth * 1.5);
        QCOMPARE(label->left(), 90.0);
        QCOMPARE(label->top(), 1530.0);
        // The key letter is underlined, not shown as an ampersand.
        const TextLayout exit(QFont(), QStringLiteral("E&xit"), 200, false, Qt::AlignRight);
        QCOMPARE(exit.lineCount(), 1);
        QCOMPARE(exit.line(0), QStringLiteral("Exit"));
        QCOMPARE(TextLayout(QFont(), QStringLiteral("A\rB"), 200, true, Qt::AlignLeft).lineCount(),
                 2);
    }

    void circlesAndRulesPaintTheirColours() {
        Tree tree(1.0, 1500);
        makePicture(tree, nullptr, QStringLiteral("Rule"), Box{150, 150, 600, 15},
                    QColor(191, 151, 191));
        makeCircle(tree, nullptr, QStringLiteral("Dot"), Box{750, 750, 135, 135})
            ->setBackColor(QColor(255, 152, 0));
        const QImage image = tree.painted();
        QCOMPARE(QColor(image.pixel(20, 10)), QColor(191, 151, 191));
        QCOMPARE(QColor(image.pixel(20, 11)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(54, 54)), QColor(255, 152, 0));
        QCOMPARE(QColor(image.pixel(50, 50)), QColor(Qt::black));
    }

    // Lines along a row or a column and pictures cut to an outline take
    // cheaper ways to the screen than the painter's own; the pixels must be
    // the same, in one area and in a frame of many small areas painted in
    // one pass.
    void cheapPathsPaintWhatThePainterWould() {
        const QLine lines[] = {{10, 20, 80, 20}, {80, 30, 10, 30}, {40, 5, 40, 90},
                               {45, 90, 45, 5},  {60, 60, 61, 60}, {5, 70, 70, 95}};
        const QRegion outline = QRegion(0, 0, 12, 4) + QRegion(4, 4, 4, 10) + QRegion(2, 14, 8, 2);
        QRegion checkered;
        for (int i = 0; i < 100; ++i) {
            if ((i / 10 + i % 10) % 2 == 0)
                checkered += QRect(i / 10 * 10, i % 10 * 10, 10, 10);
        }
        for (const QRegion& area : {QRegion(0, 0, 100, 100), checkered}) {
            Tree tree(1.0, 1500);
            for (const QLine& l : lines)
                makeLine(tree, nullptr, QStringLiteral("L"), l.x1() * 15, l.y1() * 15, l.x2() * 15,
                         l.y2() * 15, Qt::white);
            makePicture(tree, nullptr, QStringLiteral("Cut"), Box{450, 600, 180, 240},
                        QColor(0, 120, 200))
                ->setOutline(outline);
            QImage expected(100, 100, QImage::Format_RGB32);
            expected.fill(Qt::black);
            QPainter painter(&expected);
            painter.setClipRegion(area);
            painter.setPen(QPen(Qt::white, 1));
            for (const QLine& l : lines) painter.drawLine(l);
            painter.setClipRegion(outline.translated(30, 40), Qt::IntersectClip);
            painter.fillRect(QRect(30, 40, 12, 16), QColor(0, 120, 200));
            painter.end();
            const QImage ours = tree.painted(area);
            for (int p = 0; p < 100 * 100; ++p) {
                const int x = p % 100, y = p / 100;
                QVERIFY2(ours.pixel(x, y) == expected.pixel(x, y),
                         qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                        .arg(x)
                                        .arg(y)
                                        .arg(QColor(ours.pixel(x, y)).name(),
                                             QColor(expected.pixel(x, y)).name())));
            }
        }
    }
};

QTEST_MAIN(ElementModelTest)
#include "element_model_test.moc"