#include <QSet>
#include <QtTest>

#include <QPainter>

#include "elements/element_factory.h"
#include "elements/element_tree.h"
#include "elements/picture_store.h"
#include "platform/outline_cut.h"

using namespace ovant;

namespace {

QSet<QRgb> colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seen.insert(image.pixel(x, y));
        }
    }
    return seen;
}

}  // namespace

class PictureStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The console cuts the ship icon's key colour away pixel by pixel; a
    // blended edge pixel would stay as a coloured fringe around the ship.
    void theShipIconKeepsItsExactColoursAtAnyScale() {
        PictureStore store;
        const QImage design = store.pixmap(QStringLiteral("ShipIcon"), 1.0, 1.0).toImage();
        QCOMPARE(design.pixel(0, 0), qRgb(255, 0, 255));
        // Scales of 1.5 and more take twice the design, those below take it as it is.
        for (const double scale : {1.0, 1.5, 2.4, 0.6}) {
            const QImage scaled = store.pixmap(QStringLiteral("ShipIcon"), scale, 1.0).toImage();
            QCOMPARE(scaled.size(), scale >= 1.5 ? QSize(52, 56) : QSize(26, 28));
            QVERIFY2(colours(design).contains(colours(scaled)),
                     "a scaled icon shows colours the design has not");
        }
    }

    // On a larger console the ship's box and outline grow by the exact
    // factor, its picture by a whole number: stretched to the box, it must
    // cover the whole outline, with no key colour and no back colour left.
    void aShipCutToItsOutlineFillsItAtAnyScale_data() {
        QTest::addColumn<double>("scale");
        for (const double scale : {1.0, 2.25, 3.25})
            QTest::newRow(qPrintable(QString::number(scale))) << scale;
    }
    void aShipCutToItsOutlineFillsItAtAnyScale() {
        QFETCH(double, scale);
        PictureStore store;
        ElementTree tree(Twips(scale), &store);
        tree.root().setBox(0, 0, 6000, 6000);
        tree.root().setBackColor(Qt::black);
        Element* ship = makePicture(tree, nullptr, QStringLiteral("Ship"), Box{150, 150, 390, 420});
        ship->setPicture(QStringLiteral("ShipIcon"));
        ship->setBackColor(Qt::green);
        const QImage design = store.pixmap(QStringLiteral("ShipIcon"), 1.0, 1.0).toImage();
        ship->setOutline(outlineRegion(design, 26, 28));

        QImage canvas(400, 400, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        {
            QPainter painter(&canvas);
            tree.paint(painter, QRegion(canvas.rect()));
        }
        const QRect box = ship->pixelRect();
        int shown = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb c = canvas.pixel(x, y);
                QVERIFY2(c != qRgb(255, 0, 255) && c != qRgb(0, 255, 0),
                         qPrintable(QStringLiteral("(%1,%2) is %3").arg(x).arg(y).arg(c, 0, 16)));
                shown += c != qRgb(0, 0, 0) ? 1 : 0;
            }
        }
        // The ship itself shows, as large as the scale makes it.
        QVERIFY2(shown > 26 * 28 * scale * scale / 4, qPrintable(QString::number(shown)));
    }

    void otherPicturesFollowTheScaleSmoothly() {
        PictureStore store;
        QCOMPARE(store.pixmap(QStringLiteral("Button_rot"), 1.5, 1.0).size(), QSize(198, 63));
        QVERIFY(store.pixmap(QStringLiteral("NoSuchPicture"), 1.0, 1.0).isNull());
    }

    // A long screen-saver run shows every zoom view, panel and ship class in
    // turn: the store keeps no more than its bound of them, yet a picture in
    // use is not drawn again, and the frame's pieces stay for good.
    void largePicturesStayWithinTheirBoundWithoutDrawingThoseInUseAgain() {
        PictureStore store;
        const auto key = [&store](const char* name, double scale = 1.5) {
            return store.pixmap(QString::fromLatin1(name), scale, 1.0).cacheKey();
        };
        const qint64 button = key("Button_rot");
        const char* large[] = {"StarZoom",       "PlanetPanel", "Galaxy",      "TelescopeZoom",
                               "TelescopePanel", "Defiant",     "InfoConsole", "Nebula",
                               "Runabout",       "Splash",      "Sovereign",   "InfoPhoto"};
        int seenKb = 0;
        for (const char* name : large) {
            const qint64 first = key(name);
            // Shown for a while: every frame asks for it again.
            QCOMPARE(key(name), first);
            seenKb += store.largeKeptKb();
            QVERIFY(store.largeKeptKb() <= PictureStore::kLargeKeptKb);
        }
        QVERIFY2(seenKb > 0, "no picture counted as large");
        // What one screen shows together stays: a zoom view, a panel, a ship.
        const qint64 zoom = key("StarZoom");
        const qint64 panel = key("PlanetPanel");
        const qint64 ship = key("Galaxy");
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(key("StarZoom"), zoom);
            QCOMPARE(key("PlanetPanel"), panel);
            QCOMPARE(key("Galaxy"), ship);
        }
        QCOMPARE(key("Button_rot"), button);
        // Another scale is another picture, within the same bound.
        QVERIFY(key("StarZoom", 2.0) != zoom);
        QVERIFY(store.largeKeptKb() <= PictureStore::kLargeKeptKb);
    }
};

QTEST_MAIN(PictureStoreTest)
#include "picture_store_test.moc"
