#include <QSet>
#include <QtTest>

#include "elements/picture_store.h"

using ovant::PictureStore;

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
    void theShipIconKeepsItsExactColoursAtAnyScale_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1") << 1.0 << QSize(26, 28);
        QTest::newRow("1.5 takes 2") << 1.5 << QSize(52, 56);
        QTest::newRow("2.4 takes 2") << 2.4 << QSize(52, 56);
        QTest::newRow("below 1 takes 1") << 0.6 << QSize(26, 28);
    }
    void theShipIconKeepsItsExactColoursAtAnyScale() {
        QFETCH(double, scale);
        QFETCH(QSize, size);
        PictureStore store;
        const QImage design = store.pixmap(QStringLiteral("ShipIcon"), 1.0, 1.0).toImage();
        const QImage scaled = store.pixmap(QStringLiteral("ShipIcon"), scale, 1.0).toImage();
        QCOMPARE(scaled.size(), size);
        QCOMPARE(design.pixel(0, 0), qRgb(255, 0, 255));
        const QSet<QRgb> allowed = colours(design);
        const QSet<QRgb> found = colours(scaled);
        QVERIFY2(allowed.contains(found), "a scaled icon shows colours the design has not");
    }

    void otherPicturesFollowTheScaleSmoothly() {
        PictureStore store;
        QCOMPARE(store.pixmap(QStringLiteral("Button_rot"), 1.5, 1.0).size(), QSize(198, 63));
        QVERIFY(store.pixmap(QStringLiteral("NoSuchPicture"), 1.0, 1.0).isNull());
    }
};

QTEST_MAIN(PictureStoreTest)
#include "picture_store_test.moc"
