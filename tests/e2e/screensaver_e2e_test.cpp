// Runs the real OVANT-Scan as screen saver on a private X server: real keys,
// real pointer motion, and what the X server knows about its window.
#include <QElapsedTimer>
#include <QSettings>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

const QString& kConsole = kConsoleTitle;
// The leaving sound "2.wav" plays to its end before the process ends.
constexpr int kLeavingSoundMs = 1200;

bool startSaver(QProcess& saver, const XvfbSession& x) {
    if (!x.ready()) {
        return false;
    }
    return startScan(saver, x, {QStringLiteral("Mode:ScrSav")}) && waitForConsole(x);
}

void storeScreenSaverOption(const XvfbSession& x, const QString& key, const QString& value) {
    QSettings stored(x.settingsFile(), QSettings::IniFormat);
    stored.setValue(QStringLiteral("ScrSav/") + key, value);
    stored.sync();
}

QString consoleWindow(const XvfbSession& x) {
    return QString::fromLatin1(x.tool(QStringLiteral("xdotool"),
                                      {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), kConsole})
                                   .split('\n')
                                   .first());
}

void pointerTo(const XvfbSession& x, QPoint at) {
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

// Still running after `ms` milliseconds.
bool keepsRunning(QProcess& saver, int ms) {
    return !saver.waitForFinished(ms) && saver.state() == QProcess::Running;
}

void stop(QProcess& saver) {
    if (saver.state() != QProcess::NotRunning) {
        saver.kill();
        saver.waitForFinished(3000);
    }
}

}  // namespace

class ScreenSaverE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coversTheScreenOffTheTaskListAndEndsOnlyOnAPointerJump() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        QProcess saver;
        QVERIFY(startSaver(saver, x));
        QTest::qWait(800);

        // The whole screen is the console's: -wr would show white anywhere else.
        const QImage shot = x.screenshot();
        QCOMPARE(shot.size(), screen);
        for (const QPoint at : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 767), QPoint(1023, 767),
                                QPoint(5, 384), QPoint(1018, 384)}) {
            QVERIFY2(shot.pixelColor(at) != QColor(Qt::white),
                     qPrintable(describe(shot, at.x(), at.y())));
        }
        const QString window = consoleWindow(x);
        QVERIFY(!window.isEmpty());
        const QByteArray geometry =
            x.tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window});
        QVERIFY2(geometry.contains("Position: 0,0") && geometry.contains("1024x768"),
                 geometry.constData());
        const QByteArray states =
            x.tool(QStringLiteral("xprop"),
                   {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")});
        QVERIFY2(states.contains("_NET_WM_STATE_SKIP_TASKBAR") &&
                     states.contains("_NET_WM_STATE_SKIP_PAGER") &&
                     states.contains("_NET_WM_STATE_ABOVE"),
                 states.constData());

        // The console's command keys keep it running, and so does a pointer
        // that rests or trembles by a pixel (15 twips).
        x.key(kConsole, QStringLiteral("r"));
        x.key(kConsole, QStringLiteral("s"));
        QVERIFY(keepsRunning(saver, 1500));
        const QPoint edge(5, 200);  // the window itself, left of the console picture
        pointerTo(x, edge);
        QTest::qWait(200);
        pointerTo(x, edge + QPoint(1, 0));
        QVERIFY(keepsRunning(saver, 1500));

        // A jump over the same window area ends it once "2.wav" has played.
        QElapsedTimer clock;
        clock.start();
        pointerTo(x, edge + QPoint(0, 300));
        const bool ended = saver.waitForFinished(kLeavingSoundMs + 1000);
        const qint64 took = clock.elapsed();
        stop(saver);
        QVERIFY2(ended, qPrintable(QStringLiteral("still running after %1 ms").arg(took)));
        QCOMPARE(saver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(saver.exitCode(), 0);
        // The leaving sound was played to its end first.
        QVERIFY2(took >= kLeavingSoundMs - 100, qPrintable(QString::number(took)));
    }

    void withoutSoundAnyOtherKeyEndsAtOnce() {
        XvfbSession x(QSize(1024, 768));
        storeScreenSaverOption(x, QStringLiteral("Sound"), QStringLiteral("0"));
        QProcess saver;
        QVERIFY(startSaver(saver, x));
        QTest::qWait(500);
        QCOMPARE(saver.state(), QProcess::Running);
        QElapsedTimer clock;
        clock.start();
        // A plain key, not sent to a window: the saver holds the keyboard.
        x.tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")});
        const bool ended = saver.waitForFinished(1000);
        stop(saver);
        QVERIFY2(ended,
                 qPrintable(QStringLiteral("still running after %1 ms").arg(clock.elapsed())));
        QCOMPARE(saver.exitCode(), 0);
        // The interactive console's switches stay as they were: unwritten.
        const QSettings stored(x.settingsFile(), QSettings::IniFormat);
        QVERIFY(!stored.contains(QStringLiteral("Options/AutoScan")));
        QVERIFY(!stored.contains(QStringLiteral("Options/ShipScan")));
    }

    void aSecondScreenIsBlackAndAPointerJumpThereEnds() {
        XvfbSession x(QSize(1024, 768), QSize(800, 600));
        storeScreenSaverOption(x, QStringLiteral("Sound"), QStringLiteral("0"));
        QProcess saver;
        QVERIFY(startSaver(saver, x));
        QTest::qWait(800);

        // The console stands on the primary screen, the second is black all
        // over (-wr would show any uncovered pixel white).
        const QImage primary = x.screenshot(0);
        QCOMPARE(primary.size(), QSize(1024, 768));
        QCOMPARE(primary.pixelColor(512, 20), QColor(80, 80, 80));  // the screen-wide bar
        const QImage second = x.screenshot(1);
        QCOMPARE(second.size(), QSize(800, 600));
        for (int y = 0; y < 600; y += 37) {
            for (int column = 0; column < 800; column += 41) {
                QVERIFY2(second.pixelColor(column, y) == QColor(Qt::black),
                         qPrintable(describe(second, column, y)));
            }
        }
        QVERIFY2(second.pixelColor(799, 599) == QColor(Qt::black),
                 qPrintable(describe(second, 799, 599)));

        // The pointer arriving there is seen, not a jump; a pixel's tremble
        // neither; a real movement ends the saver.
        const auto pointerOnSecond = [&](QPoint at) {
            x.tool(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QStringLiteral("--screen"), QStringLiteral("1"),
                    QString::number(at.x()), QString::number(at.y())});
        };
        pointerOnSecond(QPoint(300, 300));
        QTest::qWait(200);
        pointerOnSecond(QPoint(301, 300));
        QVERIFY(keepsRunning(saver, 1500));
        pointerOnSecond(QPoint(400, 420));
        const bool ended = saver.waitForFinished(2000);
        stop(saver);
        QVERIFY(ended);
        QCOMPARE(saver.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(ScreenSaverE2eTest)
#include "screensaver_e2e_test.moc"
