// Runs the real OVANT-Scan on a private X server: a scan, key Z opens its
// zoom view, the close button takes it down again, checked on screenshots.
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

void moveTo(const XvfbSession& x, QPoint at) {
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

}  // namespace

class ZoomE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyZOpensTheZoomViewOverTheSectorAndItsButtonClosesIt() {
        // A ship that enters by chance may pass over the pixels looked at;
        // such a run is tried again with a fresh console, three times at most.
        constexpr int kAttempts = 3;
        for (int attempt = 1; attempt <= kAttempts; ++attempt) {
            const QSize screen(1024, 768);
            XvfbSession x(screen);
            storeOption(x, QStringLiteral("AutoScan"), QStringLiteral("0"));
            QProcess console;
            QVERIFY(startConsole(console, x));
            QTest::qWait(500);

            const QPoint main = picMainAt(screen);
            const QPoint sector = main + QPoint(px(2130), px(3090));
            const QPoint panel = main + QPoint(px(2100), px(330));
            const QRect caption(main + QPoint(px(7200), px(-90)), QSize(px(4245), px(810)));
            const QColor mauve(191, 151, 191);
            const QColor lit(255, 151, 95);
            const QImage before = x.screenshot();

            // Delta Vega's info label, then its panel's first point.
            clickAt(x, sector + QPoint(px(3810) + 20, px(1110) + 20));
            const QPoint panelDot = panel + QPoint(px(180) + 4, px(820) + 4);
            QImage shot;
            const bool panelBuilt = QTest::qWaitFor(
                [&] { return (shot = x.screenshot()).pixelColor(panelDot) == mauve; }, 10000);

            // Key Z opens the zoom of the scanned object (a click on the
            // panel does the same) once the panel has all its points; while
            // they still appear the key is ignored. The view's upper leader
            // runs along the top of the sector picture when it is drawn.
            const QPoint upperLeader = sector + QPoint(px(645) + 200, px(120));
            const QPoint lastDot = sector + QPoint(px(1260) + 4, px(2190) + 4);
            bool zoomed = false;
            for (int press = 0; panelBuilt && !zoomed && press < 4; ++press) {
                x.key(kConsoleTitle, QStringLiteral("z"));
                zoomed = QTest::qWaitFor(
                    [&] {
                        shot = x.screenshot();
                        return shot.pixelColor(upperLeader) == mauve &&
                               shot.pixelColor(lastDot) == mauve;
                    },
                    5000);
            }
            if (!zoomed && attempt < kAttempts) {
                console.kill();
                console.waitForFinished(3000);
                continue;
            }
            QVERIFY2(panelBuilt, qPrintable(describe(shot, panelDot.x(), panelDot.y())));
            QVERIFY2(zoomed, qPrintable(describe(shot, upperLeader.x(), upperLeader.y())));
            // The caption now reads differently.
            QVERIFY(shot.copy(caption) != before.copy(caption));

            // The close button lights up under the pointer.
            const QPoint button = sector + QPoint(px(7470) + 10, px(4620) + 13);
            QVERIFY(QTest::qWaitFor(
                [&] { return x.screenshot().pixelColor(button) != QColor(Qt::black); }, 5000));
            moveTo(x, button);
            QVERIFY(QTest::qWaitFor(
                [&] { return (shot = x.screenshot()).pixelColor(button) == lit; }, 5000));

            // A click on it takes the view down and brings the panel back.
            clickAt(x, button);
            QVERIFY2(QTest::qWaitFor(
                         [&] {
                             shot = x.screenshot();
                             return shot.pixelColor(upperLeader) != mauve &&
                                    shot.pixelColor(panelDot) == mauve;
                         },
                         15000),
                     qPrintable(describe(shot, panelDot.x(), panelDot.y())));
            QCOMPARE(console.state(), QProcess::Running);
            console.kill();
            console.waitForFinished(3000);
            return;
        }
    }
};

QTEST_MAIN(ZoomE2eTest)
#include "zoom_e2e_test.moc"
