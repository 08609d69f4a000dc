// Runs the real OVANT-Scan on a private X server: a scan, a click on its
// panel opens the zoom view, checked on screenshots.
#include <QSettings>
#include <QtTest>

#include "xvfb_session.h"

using ovant::e2e::describe;
using ovant::e2e::XvfbSession;

namespace {

const QString kConsole = QStringLiteral("^OVANT-Feldtaster$");

int px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// The console picture's top-left corner: centred, shifted 110 twips right
// and 10 down.
QPoint picMainAt(QSize screen) {
    return {px(screen.width() * 15 / 2.0 - 11745 / 2.0 + 110),
            px(screen.height() * 15 / 2.0 - 8355 / 2.0 + 10)};
}

void click(const XvfbSession& x, QPoint at) {
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("click"), QStringLiteral("1")});
}

void moveTo(const XvfbSession& x, QPoint at) {
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

}  // namespace

class ZoomE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aClickOnThePanelOpensTheZoomViewOverTheSector() {
        // A ship that enters by chance may pass over the pixels looked at;
        // such a run is tried again with a fresh console, three times at most.
        constexpr int kAttempts = 3;
        for (int attempt = 1; attempt <= kAttempts; ++attempt) {
            const QSize screen(1024, 768);
            XvfbSession x(screen);
            {
                QSettings stored(x.settingsFile(), QSettings::IniFormat);
                stored.setValue(QStringLiteral("Options/AutoScan"), QStringLiteral("0"));
            }
            QProcess console;
            console.setProcessEnvironment(x.environment());
            console.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            console.start(qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/OVANT-Scan"));
            QVERIFY(console.waitForStarted());
            QVERIFY(x.waitForWindow(kConsole));
            QTest::qWait(500);

            const QPoint main = picMainAt(screen);
            const QPoint sector = main + QPoint(px(2130), px(3090));
            const QPoint panel = main + QPoint(px(2100), px(330));
            const QRect caption(main + QPoint(px(7200), px(-90)), QSize(px(4245), px(810)));
            const QColor mauve(191, 151, 191);
            const QColor lit(255, 151, 95);
            const QImage before = x.screenshot();

            // Delta Vega's info label, then its panel's first point.
            click(x, sector + QPoint(px(3810) + 20, px(1110) + 20));
            const QPoint panelDot = panel + QPoint(px(180) + 4, px(820) + 4);
            QImage shot;
            const bool panelBuilt = QTest::qWaitFor(
                [&] { return (shot = x.screenshot()).pixelColor(panelDot) == mauve; }, 10000);

            // A click on the panel's planet opens the zoom; its upper leader
            // runs along the top of the sector picture when it is drawn.
            if (panelBuilt) {
                click(x, panel + QPoint(px(900), px(900)));
            }
            const QPoint upperLeader = sector + QPoint(px(645) + 200, px(120));
            const QPoint lastDot = sector + QPoint(px(1260) + 4, px(2190) + 4);
            const bool zoomed =
                panelBuilt && QTest::qWaitFor(
                                  [&] {
                                      shot = x.screenshot();
                                      return shot.pixelColor(upperLeader) == mauve &&
                                             shot.pixelColor(lastDot) == mauve;
                                  },
                                  10000);
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
            console.kill();
            console.waitForFinished(3000);
            return;
        }
    }
};

QTEST_MAIN(ZoomE2eTest)
#include "zoom_e2e_test.moc"
