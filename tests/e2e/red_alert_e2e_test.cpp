// Runs the real OVANT-Scan on a private X server: key R turns the frame red,
// the "Red Alert" button turns it back, and a screen saver with a stored permanent alarm
// starts red.
#include <QSettings>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

const QColor kLilac(159, 152, 255);
const QColor kAlertRed(207, 0, 0);
const QColor kWhite(255, 255, 255);

void store(const XvfbSession& x, const QString& key, const QString& value) {
    QSettings stored(x.settingsFile(), QSettings::IniFormat);
    stored.setValue(key, value);
    stored.sync();
}

// The upper separator 1, lilac in the normal scheme; in red alert red, or
// white while the chase light passes.
QPoint separator(QSize screen) {
    return picMainAt(screen) + QPoint(px(2100) + 80, px(2295) + 8);
}

// A point inside each of the six upper separators; the third is thinner and
// lower, so all are taken at 2460 twips.
std::vector<QPoint> upperSeparators(QSize screen) {
    const int lefts[] = {2100, 4680, 5145, 6810, 9540, 11115};
    const int widths[] = {2500, 405, 1600, 2650, 1510, 350};
    std::vector<QPoint> out;
    for (int i = 0; i < 6; ++i) {
        out.push_back(picMainAt(screen) + QPoint(px(lefts[i] + widths[i] / 2.0), px(2460)));
    }
    return out;
}

bool alarmed(const QColor& c) {
    return c == kAlertRed || c == kWhite;
}

}  // namespace

class RedAlertE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyRTurnsTheFrameRedAndTheButtonTurnsItBack() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        store(x, QStringLiteral("Options/AutoScan"), QStringLiteral("0"));
        QProcess console;
        QVERIFY(startConsole(console, x));
        QTest::qWait(500);
        const QPoint at = separator(screen);
        QImage shot = x.screenshot();
        QVERIFY2(shot.pixelColor(at) == kLilac, qPrintable(describe(shot, at.x(), at.y())));

        // The middle of the side button, above its caption.
        const QPoint button = picMainAt(screen) + QPoint(px(30 + 775), px(3570 + 500));
        x.key(kConsoleTitle, QStringLiteral("r"));
        QVERIFY2(
            QTest::qWaitFor([&] { return alarmed((shot = x.screenshot()).pixelColor(at)); }, 5000),
            qPrintable(describe(shot, at.x(), at.y())));
        // The chase light: one upper separator white at a time, the rest red.
        const auto onePairWhite = [&](const QImage& image) {
            int white = 0;
            for (const QPoint& p : upperSeparators(screen)) {
                const QColor c = image.pixelColor(p);
                if (!alarmed(c)) {
                    return false;
                }
                white += c == kWhite ? 1 : 0;
            }
            return white == 1;
        };
        QVERIFY2(QTest::qWaitFor([&] { return onePairWhite(shot = x.screenshot()); }, 5000),
                 qPrintable(describe(shot, at.x(), at.y())));

        clickAt(x, button);
        QVERIFY2(
            QTest::qWaitFor([&] { return (shot = x.screenshot()).pixelColor(at) == kLilac; }, 5000),
            qPrintable(describe(shot, at.x(), at.y())));
        // It stays so: no chase light left running.
        QTest::qWait(600);
        shot = x.screenshot();
        QVERIFY2(shot.pixelColor(at) == kLilac, qPrintable(describe(shot, at.x(), at.y())));
        QCOMPARE(console.state(), QProcess::Running);
        console.kill();
        console.waitForFinished(3000);
    }

    void aScreenSaverWithAStoredAlarmStartsRed() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        store(x, QStringLiteral("ScrSav/RedAlert"), QStringLiteral("1"));
        store(x, QStringLiteral("ScrSav/RedAlertRnd"), QStringLiteral("0"));
        QProcess console;
        QVERIFY(startScan(console, x, {QStringLiteral("Mode:ScrSav")}) && waitForConsole(x));
        const QPoint at = separator(screen);
        QImage shot;
        QVERIFY2(
            QTest::qWaitFor([&] { return alarmed((shot = x.screenshot()).pixelColor(at)); }, 5000),
            qPrintable(describe(shot, at.x(), at.y())));
        console.kill();
        console.waitForFinished(3000);
    }
};

QTEST_GUILESS_MAIN(RedAlertE2eTest)
#include "red_alert_e2e_test.moc"
