#include <QImage>
#include <QPainter>
#include <QtTest>

#include "elements/element_factory.h"
#include "elements/element_tree.h"
#include "elements/text_layout.h"

using namespace ovant;

namespace {

void comparePixels(const QImage& ours, const QImage& painter) {
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            QVERIFY2(ours.pixel(x, y) == painter.pixel(x, y),
                     qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(QColor(ours.pixel(x, y)).name(),
                                         QColor(painter.pixel(x, y)).name())));
        }
    }
}

}  // namespace

class ElementModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A ship moves a third of a pixel a tick: only a move that changes
    // pixels may cost a repaint, and then both where it was and where it is.
    void onlyMovesThatChangePixelsAskForARepaint() {
        ElementTree tree(Twips(1.0), nullptr);
        tree.root().setBox(0, 0, 15360, 11520);
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
        ElementTree tree(Twips(1.0), nullptr);
        tree.root().setBox(0, 0, 15360, 11520);
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
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 15000, 15000);
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
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 15000, 15000);
        makeLabel(tree, nullptr, QStringLiteral("L"), Box{150, 150, 750, 255}, FontSpec{});
        QVERIFY(tree.dirty());
        int requests = 0;
        tree.setOnDirty([&] { ++requests; });
        QCOMPARE(requests, 1);
        tree.takeDirty();
        tree.setOnDirty([&] { ++requests; });
        QCOMPARE(requests, 1);
    }

    void changesToHiddenElementsPaintNothing() {
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 15000, 15000);
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

    void picturesCoverLabelsAndTakeTheClick() {
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 15000, 15000);
        Element* picture = makePicture(tree, nullptr, QStringLiteral("P"), Box{0, 0, 1500, 1500});
        // Created later, but a label lies under every picture of its container.
        Element* label =
            makeLabel(tree, nullptr, QStringLiteral("L"), Box{750, 750, 1500, 1500}, FontSpec{});
        QCOMPARE(tree.hitTest(QPoint(60, 60)), picture);
        QCOMPARE(tree.hitTest(QPoint(120, 120)), label);
        Element* line =
            makeLine(tree, nullptr, QStringLiteral("Line"), 0, 3000, 3000, 3000, Qt::white);
        QCOMPARE(tree.hitTest(QPoint(100, 200)), &tree.root());
        Q_UNUSED(line);
        picture->hide();
        QCOMPARE(tree.hitTest(QPoint(60, 60)), label);
    }

    void outlineLetsClicksThroughItsHoles() {
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 15000, 15000);
        Element* ship = makePicture(tree, nullptr, QStringLiteral("Ship"), Box{150, 150, 390, 420});
        ship->setOutline(QRegion(5, 5, 10, 10));
        QCOMPARE(tree.hitTest(QPoint(10 + 6, 10 + 6)), ship);
        QCOMPARE(tree.hitTest(QPoint(10 + 1, 10 + 1)), &tree.root());
    }

    void selfSizingLabelTakesItsTextSize() {
        ElementTree tree(Twips(), nullptr);
        Element* label =
            makeAutoLabel(tree, nullptr, QStringLiteral("N"), 90, 1530,
                          FontSpec{FontFace::Monitor, 14.25}, QStringLiteral("Delta Vega"));
        const double shortWidth = label->width();
        QVERIFY(shortWidth > 0);
        label->setText(QStringLiteral("Delta Vega Delta Vega"));
        QVERIFY(label->width() > shortWidth * 1.5);
        QCOMPARE(label->left(), 90.0);
        QCOMPARE(label->top(), 1530.0);
    }

    void keyLetterIsUnderlinedNotShownAsAmpersand() {
        const TextLayout layout(QFont(), QStringLiteral("E&xit"), 200, false, Qt::AlignRight);
        QCOMPARE(layout.lineCount(), 1);
        QCOMPARE(layout.line(0), QStringLiteral("Exit"));
    }

    void carriageReturnBreaksLines() {
        const TextLayout layout(QFont(), QStringLiteral("A") + QChar(13) + QStringLiteral("B"), 200,
                                true, Qt::AlignLeft);
        QCOMPARE(layout.lineCount(), 2);
    }

    void circlesAndRulesPaintTheirColours() {
        ElementTree tree(Twips(), nullptr);
        tree.root().setBox(0, 0, 1500, 1500);
        Element* rule = makePicture(tree, nullptr, QStringLiteral("Rule"), Box{150, 150, 600, 15},
                                    QColor(191, 151, 191));
        Element* dot = makeCircle(tree, nullptr, QStringLiteral("Dot"), Box{750, 750, 135, 135});
        dot->setBackColor(QColor(255, 152, 0));
        Q_UNUSED(rule);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        tree.paint(painter, QRegion(0, 0, 100, 100));
        painter.end();
        QCOMPARE(QColor(image.pixel(20, 10)), QColor(191, 151, 191));
        QCOMPARE(QColor(image.pixel(20, 11)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(54, 54)), QColor(255, 152, 0));
        QCOMPARE(QColor(image.pixel(50, 50)), QColor(Qt::black));
    }

    // Lines along a row or a column and pictures cut to an outline take
    // cheaper ways to the screen than the painter's own; the pixels must be
    // the same.
    void cheapPathsPaintWhatThePainterWould() {
        const QColor white(Qt::white);
        const QLine lines[] = {{10, 20, 80, 20}, {80, 30, 10, 30}, {40, 5, 40, 90},
                               {45, 90, 45, 5},  {60, 60, 61, 60}, {5, 70, 70, 95}};
        const QRegion outline = QRegion(0, 0, 12, 4) + QRegion(4, 4, 4, 10) + QRegion(2, 14, 8, 2);
        auto render = [&](bool reference, const QRegion& area) {
            QImage image(100, 100, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter painter(&image);
            if (reference) {
                painter.setClipRegion(area);
                painter.setPen(QPen(white, 1));
                for (const QLine& l : lines) {
                    painter.drawLine(l);
                }
                painter.setClipRegion(outline.translated(30, 40), Qt::IntersectClip);
                painter.fillRect(QRect(30, 40, 12, 16), QColor(0, 120, 200));
                return image;
            }
            ElementTree tree(Twips(), nullptr);
            tree.root().setBox(0, 0, 1500, 1500);
            for (const QLine& l : lines) {
                makeLine(tree, nullptr, QStringLiteral("L"), l.x1() * 15, l.y1() * 15, l.x2() * 15,
                         l.y2() * 15, white);
            }
            Element* cut = makePicture(tree, nullptr, QStringLiteral("Cut"),
                                       Box{450, 600, 180, 240}, QColor(0, 120, 200));
            cut->setOutline(outline);
            tree.paint(painter, area);
            return image;
        };
        // The whole picture in one area, and a frame of many small areas
        // that is painted in one pass.
        QRegion checkered;
        for (int i = 0; i < 10; ++i) {
            for (int j = 0; j < 10; ++j) {
                if ((i + j) % 2 == 0) {
                    checkered += QRect(i * 10, j * 10, 10, 10);
                }
            }
        }
        QVERIFY(checkered.rectCount() > 16);
        for (const QRegion& area : {QRegion(0, 0, 100, 100), checkered}) {
            const QImage ours = render(false, area);
            const QImage painter = render(true, area);
            comparePixels(ours, painter);
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }
};

QTEST_MAIN(ElementModelTest)
#include "element_model_test.moc"
