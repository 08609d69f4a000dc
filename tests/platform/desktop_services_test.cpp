#include <QGuiApplication>
#include <QtTest>

#include "platform/mouse_cursor.h"
#include "platform/outline_cut.h"
#include "platform/single_instance.h"

using namespace ovant;

namespace {

// Builds an image from rows of characters: '.' is the key colour, anything
// else a ship pixel of that letter's colour.
QImage picture(const QStringList& rows) {
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y,
                           c == QLatin1Char('.')   ? qRgb(255, 0, 255)
                           : c == QLatin1Char('w') ? qRgb(255, 255, 255)
                                                   : qRgb(200, 200, 200));
        }
    }
    return image;
}

QVector<QRect> runs(const QRegion& region) {
    return QVector<QRect>(region.begin(), region.end());
}

}  // namespace

class DesktopServicesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cursorHiddenAfterHideHoweverOftenShown() {
        MouseCursor::show();
        MouseCursor::show();
        MouseCursor::show();
        MouseCursor::hide();
        QVERIFY(MouseCursor::hidden());
        MouseCursor::hide();
        MouseCursor::hide();
        MouseCursor::hide();
        MouseCursor::show();
        QVERIFY(!MouseCursor::hidden());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void outlineKeepsExactlyTheShipPixels() {
        // Top-left is the key; a key-coloured pixel inside the ship is a hole;
        // a run reaching the right edge ends there; an empty row adds nothing.
        const QImage image = picture({"......", "..xx..", ".x.xxx", "......"});
        const QRegion region = outlineRegion(image, 6, 4);
        QCOMPARE(region, QRegion(2, 1, 2, 1) + QRegion(1, 2, 1, 1) + QRegion(3, 2, 3, 1));
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(!region.contains(QPoint(2, 2)));
        QVERIFY(region.contains(QPoint(5, 2)));
    }

    void outlineOfAPictureInTheKeyColourIsEmpty() {
        QVERIFY(outlineRegion(picture({"...", "..."}), 3, 2).isEmpty());
        QVERIFY(outlineRegion(QImage(), 26, 28).isEmpty());
    }

    void outlineReadsOnlyTheElementsSize() {
        const QImage image = picture({".ww", "www"});
        QCOMPARE(runs(outlineRegion(image, 2, 1)), QVector<QRect>{QRect(1, 0, 1, 1)});
        // Pixels beyond the picture count as holes.
        QCOMPARE(outlineRegion(image, 5, 2), QRegion(1, 0, 2, 1) + QRegion(0, 1, 3, 1));
    }

    void secondInstanceOfTheSameUserIsRefused() {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        {
            const SingleInstance first(QStringLiteral("OVANT-Scan"));
            QVERIFY(first.acquired());
            const SingleInstance second(QStringLiteral("OVANT-Scan"));
            QVERIFY(!second.acquired());
        }
        const SingleInstance afterEnd(QStringLiteral("OVANT-Scan"));
        QVERIFY(afterEnd.acquired());
    }
};

QTEST_MAIN(DesktopServicesTest)
#include "desktop_services_test.moc"
