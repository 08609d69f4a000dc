// The real OVANT-Scan on a private X server: a scan from a click, the zoom
// view and the ship panel, checked on screenshots.
#include <QtTest>

#include "e2e_support.h"

using namespace ovant::e2e;

namespace {

const QString& kConsole = kConsoleTitle;
const QColor kPeach(255, 207, 159);
const QColor kMauve(191, 151, 191);

}  // namespace

class ScanE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clickOnAnInfoLabelScansItAndKeyZZoomsIn_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scaleSetting");
        QTest::addColumn<double>("scale");
        QTest::newRow("designed size") << QSize(1024, 768) << QStringLiteral("1") << 1.0;
        // Everything, pointer hits included, 2.25 times as large.
        QTest::newRow("fit on 2560 x 1440") << QSize(2560, 1440) << QStringLiteral("fit") << 2.25;
    }
    void clickOnAnInfoLabelScansItAndKeyZZoomsIn() {
        QFETCH(QSize, screen);
        QFETCH(QString, scaleSetting);
        QFETCH(double, scale);
        const auto d = [scale](double designedPixels) { return scaled(designedPixels, scale); };
        const auto t = [scale](double twips) { return px(twips, scale); };
        // A ship that enters by chance during the flight takes its arrival
        // away, as the console means it to (no panel then), or passes over
        // the pixels looked at. Such a run is tried again with a fresh
        // console, three times at most.
        for (int attempt = 1; attempt <= 3; ++attempt) {
            XvfbSession x(screen);
            store(x, "Options/AutoScan", "0");
            store(x, "Options/Scale", scaleSetting);
            Program console;
            QVERIFY(startConsole(console, x));
            QTest::qWait(500);
            const QImage before = x.screenshot();
            if (attempt == 1) {
                // Before anything moves: the frame and the bars where the
                // scale puts them.
                expectLayout(before, screen, scale);
                if (QTest::currentTestFailed()) {
                    return;
                }
            }
            // Delta Vega's info label.
            const QPoint main = picMainAt(screen, scale);
            const QPoint sector = main + QPoint(t(2130), t(3090));
            x.clickAt(sector + QPoint(t(3810) + d(20), t(1110) + d(20)));

            // The frame around object 1: both lines at half the bracket height
            // plus 35 twips below the bracket top, in peach.
            const int lineY = sector.y() + t(800 + 1260 / 2.0 + 35);
            const QPoint leftLine(sector.x() + d(80), lineY);
            const QPoint rightLine(sector.x() + t(3200 + 1300 + 120) + d(60), lineY);
            const QPoint panel = main + QPoint(t(2100), t(330));
            const QPoint panelDot = panel + QPoint(t(180) + d(4), t(820) + d(4));
            // First the scanner arrives, then the leaders grow, and last the
            // points appear.
            QImage shot;
            const bool arrived = waitForColour(x, shot, leftLine, kPeach, 8000);
            const bool built = arrived && waitForColour(x, shot, panelDot, kMauve, 8000);
            if (!built && attempt < 3) {
                continue;
            }
            QVERIFY2(arrived, qPrintable(describe(shot, leftLine)));
            expectColour(shot, rightLine, kPeach);
            QVERIFY2(built, qPrintable(describe(shot, panelDot)));
            expectColour(shot, panel + QPoint(t(240) + d(60), t(120)), kMauve);  // upper leader
            expectColour(shot, panel + QPoint(t(240), t(130) + d(20)), kMauve);  // first leader
            expectColour(shot, leftLine, kPeach);
            if (QTest::currentTestFailed()) {
                return;
            }

            // Key Z opens the zoom of the scanned object (a click on the
            // panel does the same) once the panel has all its points; while
            // they still appear the key is ignored. The view's upper leader
            // runs along the top of the sector picture when it is drawn.
            const QPoint upperLeader = sector + QPoint(t(645) + d(200), t(120));
            const QPoint lastDot = sector + QPoint(t(1260) + d(4), t(2190) + d(4));
            const auto zoomShown = [&](const QImage& image) {
                return image.pixelColor(upperLeader) == kMauve &&
                       image.pixelColor(lastDot) == kMauve;
            };
            bool zoomed = false;
            for (int press = 0; !zoomed && press < 4; ++press) {
                x.key(kConsole, "z");
                zoomed = QTest::qWaitFor([&] { return zoomShown(shot = x.screenshot()); }, 5000);
            }
            if (!zoomed && attempt < 3) {
                continue;
            }
            QVERIFY2(zoomed, qPrintable(describe(shot, upperLeader)));
            // The caption now reads differently.
            const QRect caption(main + QPoint(t(7200), t(-90)), QSize(t(4245), t(810)));
            QVERIFY(shot.copy(caption) != before.copy(caption));

            // The close button lights up under the pointer; a click on it
            // takes the view down and brings the panel back.
            const QPoint button = sector + QPoint(t(7470) + d(10), t(4620) + d(13));
            QVERIFY(QTest::qWaitFor(
                [&] { return x.screenshot().pixelColor(button) != QColor(Qt::black); }, 5000));
            x.pointerTo(button);
            QVERIFY(waitForColour(x, shot, button, QColor(255, 151, 95), 5000));
            x.clickAt(button);
            QVERIFY2(QTest::qWaitFor(
                         [&] {
                             shot = x.screenshot();
                             return !zoomShown(shot) && shot.pixelColor(panelDot) == kMauve;
                         },
                         15000),
                     qPrintable(describe(shot, panelDot)));
            QCOMPARE(console.state(), QProcess::Running);
            return;
        }
    }

    void withScanShipsOnCrossingShipsShowTheirPanel() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        store(x, "Options/AutoScan", "0");
        store(x, "Options/ShipScan", "1");
        Program console;
        QVERIFY(startConsole(console, x));
        // The ship panel takes the number panel's place: its side views have
        // light grey hulls, a colour no number of the panel ever shows.
        const QPoint panel = picMainAt(screen) + QPoint(px(2100), px(480));
        const auto panelShowsAShip = [&] {
            const QImage shot = x.screenshot();
            for (int y = 0; y < 85; y += 2) {
                for (int column = 0; column < 340; column += 2) {
                    const QColor p = shot.pixelColor(panel + QPoint(column, y));
                    const int low = std::min({p.red(), p.green(), p.blue()});
                    const int high = std::max({p.red(), p.green(), p.blue()});
                    if (low >= 150 && high - low <= 12) {
                        return true;
                    }
                }
            }
            return false;
        };
        // A ship that came by chance is scanned too; let it leave first.
        QTRY_VERIFY_WITH_TIMEOUT(!panelShowsAShip(), 45000);
        // Two crossings, each started with P; at the jump the numbers return.
        // P is ignored while a ship is in the sector, and under the
        // sanitizers a key can come before the console listens again: press
        // again until a ship shows (a chance ship counts as well).
        for (int crossing = 1; crossing <= 2; ++crossing) {
            bool shown = false;
            for (int press = 0; press < 10 && !shown; ++press) {
                x.key(kConsole, "p");
                shown = QTest::qWaitFor(panelShowsAShip, 4000);
            }
            QVERIFY(shown);
            QTRY_VERIFY_WITH_TIMEOUT(!panelShowsAShip(), 45000);
            QCOMPARE(console.state(), QProcess::Running);
        }
    }
};

QTEST_GUILESS_MAIN(ScanE2eTest)
#include "scan_e2e_test.moc"
