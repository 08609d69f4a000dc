// The console's leaving keys and a stored switch, with the real program on a
// private X server.
#include <QElapsedTimer>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

// "2.wav" lasts 1.2 s; the console ends when it has played.
constexpr int kLeavingSoundMs = 1200;

// Where the "Auto Scan" caption's letters begin, in screen pixels. The
// caption is right-aligned on its pill, so "* Auto Scan" begins further left
// than "Auto Scan". The pill changes its colour now and then but is never
// dark, so only letters are dark inside the caption's box.
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

bool endsWithin(QProcess& console, int ms) {
    QElapsedTimer clock;
    clock.start();
    return console.waitForFinished(ms) && clock.elapsed() <= ms;
}

}  // namespace

class CommandsE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void f4AloneDoesNothingAndAltF4LeavesAfterTheLeavingSound() {
        XvfbSession x(QSize(1024, 768));
        storeOption(x, QStringLiteral("AutoScan"), QStringLiteral("0"));
        QProcess console;
        QVERIFY(startConsole(console, x));
        QTest::qWait(500);
        x.key(kConsoleTitle, QStringLiteral("F4"));
        QTest::qWait(kLeavingSoundMs + 500);
        QCOMPARE(console.state(), QProcess::Running);

        // Without a window manager nothing turns Alt+F4 into a close request:
        // the key reaches the console, which plays "2.wav" and ends.
        x.key(kConsoleTitle, QStringLiteral("alt+F4"));
        QVERIFY(endsWithin(console, kLeavingSoundMs + 1000));
        QCOMPARE(console.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.exitCode(), 0);
    }

    void xLeavesAfterTheLeavingSound() {
        XvfbSession x(QSize(1024, 768));
        storeOption(x, QStringLiteral("AutoScan"), QStringLiteral("0"));
        QProcess console;
        QVERIFY(startConsole(console, x));
        QTest::qWait(500);
        x.key(kConsoleTitle, QStringLiteral("x"));
        QVERIFY(endsWithin(console, kLeavingSoundMs + 1000));
        QCOMPARE(console.exitCode(), 0);
    }

    void theAutoScanSwitchSurvivesARestart() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        storeOption(x, QStringLiteral("AutoScan"), QStringLiteral("1"));
        QProcess first;
        QVERIFY(startConsole(first, x));
        QTest::qWait(500);
        const int startOn = autoScanCaptionStart(x.screenshot(), screen);

        clickAt(x, picMainAt(screen) + QPoint(px(7350 + 990), px(1530 + 315)));
        QTRY_COMPARE_WITH_TIMEOUT(storedOption(x, QStringLiteral("AutoScan")), QStringLiteral("0"),
                                  5000);
        QTest::qWait(300);
        const int startOff = autoScanCaptionStart(x.screenshot(), screen);
        QVERIFY2(startOn > 0 && startOff > startOn + 3,
                 qPrintable(QStringLiteral("on %1, off %2").arg(startOn).arg(startOff)));
        x.key(kConsoleTitle, QStringLiteral("x"));
        QVERIFY(first.waitForFinished(10000));

        QProcess second;
        QVERIFY(startConsole(second, x));
        QTest::qWait(500);
        QVERIFY(std::abs(autoScanCaptionStart(x.screenshot(), screen) - startOff) <= 1);
        QCOMPARE(storedOption(x, QStringLiteral("AutoScan")), QStringLiteral("0"));
        second.kill();
        second.waitForFinished(3000);
    }
};

QTEST_GUILESS_MAIN(CommandsE2eTest)
#include "commands_e2e_test.moc"
