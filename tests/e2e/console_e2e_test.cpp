// The real OVANT-Scan on a private X server: how it starts, refuses a small
// screen, shows its info window, stores its switch and leaves, checked with
// real keys, screenshots and the settings file on disk.
#include <QtTest>

#include "e2e_support.h"

using namespace ovant::e2e;

namespace {

const QString& kConsole = kConsoleTitle;
const QColor kLilac(159, 152, 255);

// Where the "Auto Scan" caption's letters begin, in screen pixels: it is
// right-aligned, so "* Auto Scan" begins further left than "Auto Scan". The
// pill's colour changes but is never dark, so only letters are dark.
int autoScanCaptionStart(const QImage& shot, QSize screen) {
    const QPoint box = picMainAt(screen) + QPoint(px(7350 + 600), px(1530 + 210));
    for (int x = box.x(); x < box.x() + px(1155); ++x) {
        // The pill's lower edge runs through the box's last rows.
        for (int y = box.y() + 2; y < box.y() + px(435) - 4; ++y) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < 200) {
                return x;
            }
        }
    }
    return -1;
}

// The info window's selected button, in its own (slightly varying) colour.
void expectNear(const QImage& shot, QPoint at, const QColor& b) {
    const QColor a = shot.pixelColor(at);
    QVERIFY2(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                     std::abs(a.blue() - b.blue()) <=
                 12,
             qPrintable(describe(shot, at)));
}

}  // namespace

class ConsoleE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsCentredOnceAndXLeavesAfterTheLeavingSound() {
        const QSize screen(1920, 1080);
        XvfbSession x(screen);
        Program console;
        QVERIFY(startConsole(console, x));
        QTest::qWait(800);
        const QImage shot = x.screenshot();
        QCOMPARE(shot.size(), screen);
        expectLayout(shot, screen, 1.0);
        const QPoint main = picMainAt(screen);
        QCOMPARE(main, QPoint(576, 262));
        expectColour(shot, main + QPoint(px(2100) - 12, px(2295) + 8), kLilac);
        expectColour(shot, main + QPoint(px(2100) + 80, px(2295) - 4), QColor(0, 0, 0));
        // The right cap stands 20 twips from the right edge.
        expectColour(shot, QPoint(1920 - px(20 + 510) + 10, px(60) + 18), QColor(80, 80, 80));
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(stored(x, "Options/Path"), qEnvironmentVariable("OVANT_BIN_DIR"));
        QCOMPARE(stored(x, "Options/AniSpeed"), QStringLiteral("0.005"));
        QCOMPARE(stored(x, "Options/AniSpeedStep"), QStringLiteral("3"));

        // A second start ends at once, without a word, and leaves the first alone.
        Program second;
        QVERIFY(startScan(second, x));
        QVERIFY(second.endsCleanlyWithin(5000));
        QCOMPARE(console.state(), QProcess::Running);

        // Key R turns the frame red (white where the chase light passes);
        // the side button turns it back for good, no chase light left running.
        const QPoint separator = separatorAt(screen);
        QImage alarm;
        x.key(kConsole, "r");
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         const QColor p = (alarm = x.screenshot()).pixelColor(separator);
                         return p == QColor(207, 0, 0) || p == QColor(Qt::white);
                     },
                     5000),
                 qPrintable(describe(alarm, separator)));
        x.clickAt(main + QPoint(px(30 + 775), px(3570 + 500)));
        QVERIFY2(waitForColour(x, alarm, separator, kLilac, 5000),
                 qPrintable(describe(alarm, separator)));
        QTest::qWait(600);
        expectColour(x.screenshot(), separator, kLilac);

        x.key(kConsole, "x");
        QVERIFY(console.endsCleanlyWithin(kLeavingSoundMs + 1000));
    }

    void theAutoScanSwitchSurvivesARestartAndF1ShowsTheInfoWindowOverIt() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        store(x, "Options/AutoScan", "1");
        Program first;
        QVERIFY(startConsole(first, x));
        QTest::qWait(500);
        const int startOn = autoScanCaptionStart(x.screenshot(), screen);

        x.clickAt(picMainAt(screen) + QPoint(px(7350 + 990), px(1530 + 315)));
        QTRY_COMPARE_WITH_TIMEOUT(stored(x, "Options/AutoScan"), QStringLiteral("0"), 5000);
        QTest::qWait(300);
        const int startOff = autoScanCaptionStart(x.screenshot(), screen);
        QVERIFY2(startOn > 0 && startOff > startOn + 3,
                 qPrintable(QStringLiteral("on %1, off %2").arg(startOn).arg(startOff)));
        // F4 alone does nothing. Without a window manager nothing turns
        // Alt+F4 into a close request: the key reaches the console, which
        // plays "2.wav" and ends.
        x.key(kConsole, "F4");
        QTest::qWait(kLeavingSoundMs + 500);
        QCOMPARE(first.state(), QProcess::Running);
        x.key(kConsole, "alt+F4");
        QVERIFY(first.endsCleanlyWithin(kLeavingSoundMs + 1000));

        Program second;
        QVERIFY(startConsole(second, x));
        QTest::qWait(500);
        QVERIFY(std::abs(autoScanCaptionStart(x.screenshot(), screen) - startOff) <= 1);
        QCOMPARE(stored(x, "Options/AutoScan"), QStringLiteral("0"));

        // F1 brings the info window over the whole screen; Escape returns
        // to the running console.
        x.key(kConsole, "F1");
        QVERIFY(x.waitForWindow(kInfoTitle));
        const QByteArray geometry = x.geometry(kInfoTitle);
        QVERIFY2(geometry.contains("1024x768"), geometry.constData());
        QTest::qWait(1500);
        const QImage shot = x.screenshot();
        // The window's picture is centred, 10 twips lower; the about button
        // lies 8 pixels into it.
        const QPoint button = QPoint(px(screen.width() * 15 / 2.0 - 9525 / 2.0),
                                     px(screen.height() * 15 / 2.0 - 7155 / 2.0 + 10)) +
                              QPoint(50, 30);
        expectNear(shot, button, QColor(255, 207, 159));
        expectNear(shot, {500, 20}, QColor(80, 80, 80));

        x.key(kInfoTitle, "Escape");
        QVERIFY(x.waitUntilGone(kInfoTitle, 5000));
        QTest::qWait(500);
        QCOMPARE(second.state(), QProcess::Running);
        QVERIFY(x.shows(kConsole));
        // The console still takes its keys.
        x.key(kConsole, "x");
        QVERIFY(second.endsCleanlyWithin(5000));
    }

    void aSmallScreenIsRefusedWithAMessage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("normal start") << QStringList{};
        QTest::newRow("info comes after the size test") << QStringList{"Mode:ShowInfo"};
    }
    void aSmallScreenIsRefusedWithAMessage() {
        QFETCH(QStringList, arguments);
        XvfbSession x(QSize(640, 480));
        Program scan;
        QVERIFY(x.ready() && startScan(scan, x, arguments));
        const QString title = "^Fehler: Aufl.*sung zu klein$";
        QVERIFY(x.waitForWindow(title));
        QCOMPARE(scan.state(), QProcess::Running);
        x.key(title, "Return");
        QVERIFY(scan.endsCleanlyWithin(5000));
        QVERIFY(!QFile::exists(x.settingsFile()));
    }

    void infoModeShowsOnlyAnOrdinaryInfoWindowAndEscapeEndsIt() {
        XvfbSession x(QSize(1024, 768));
        Program info;
        QVERIFY(x.ready() && startScan(info, x, {"Mode:ShowInfo"}));
        QVERIFY(x.waitForWindow(kInfoTitle));
        const QByteArray geometry = x.geometry(kInfoTitle);
        QVERIFY2(geometry.contains("634x477"), geometry.constData());
        QVERIFY(!x.waitForWindow(kConsole, 500));
        x.key(kInfoTitle, "Escape");
        QVERIFY(info.endsCleanlyWithin(5000));
    }
};

QTEST_GUILESS_MAIN(ConsoleE2eTest)
#include "console_e2e_test.moc"
