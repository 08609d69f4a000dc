// The real OVANT-Scan as screen saver, alone and started by the real
// OVANT-Schirm, on a private X server: real keys, real pointer motion, and
// what the X server knows about its window.
#include <QElapsedTimer>
#include <QtTest>

#include "e2e_support.h"

using namespace ovant::e2e;

namespace {

const QString& kConsole = kConsoleTitle;

bool startSaver(Program& saver, const XvfbSession& x) {
    return startConsole(saver, x, {"Mode:ScrSav"});
}

// Still running after `ms` milliseconds.
bool keepsRunning(QProcess& saver, int ms) {
    return !saver.waitForFinished(ms) && saver.state() == QProcess::Running;
}

}  // namespace

class ScreenSaverE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coversTheScreenOffTheTaskListAndEndsOnlyOnAPointerJump() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        Program saver;
        QVERIFY(startSaver(saver, x));
        QTest::qWait(800);

        // The whole screen is the console's: -wr would show white anywhere else.
        const QImage shot = x.screenshot();
        QCOMPARE(shot.size(), screen);
        for (const QPoint at : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 767), QPoint(1023, 767),
                                QPoint(5, 384), QPoint(1018, 384)}) {
            QVERIFY2(shot.pixelColor(at) != QColor(Qt::white), qPrintable(describe(shot, at)));
        }
        const QByteArray geometry = x.geometry(kConsole);
        QVERIFY2(geometry.contains("Position: 0,0") && geometry.contains("1024x768"),
                 geometry.constData());
        const QByteArray states = x.tool("xprop", {"-id", x.window(kConsole), "_NET_WM_STATE"});
        for (const char* state : {"SKIP_TASKBAR", "SKIP_PAGER", "ABOVE"}) {
            QVERIFY2(states.contains(QByteArray("_NET_WM_STATE_") + state), states.constData());
        }

        // The console's command keys keep it running, and so does a pointer
        // that rests or trembles by a pixel (15 twips).
        x.key(kConsole, "r");
        x.key(kConsole, "s");
        QVERIFY(keepsRunning(saver, 1500));
        const QPoint edge(5, 200);  // the window itself, left of the console picture
        x.pointerTo(edge);
        QTest::qWait(200);
        x.pointerTo(edge + QPoint(1, 0));
        QVERIFY(keepsRunning(saver, 1500));

        // A jump over the same window area ends it once "2.wav" has played.
        QElapsedTimer clock;
        clock.start();
        x.pointerTo(edge + QPoint(0, 300));
        const bool ended = saver.endsCleanlyWithin(kLeavingSoundMs + 1000);
        const qint64 took = clock.elapsed();
        QVERIFY2(ended, qPrintable(QStringLiteral("still running after %1 ms").arg(took)));
        // The leaving sound was played to its end first.
        QVERIFY2(took >= kLeavingSoundMs - 100, qPrintable(QString::number(took)));
    }

    void aStoredAlarmStartsRedAndWithoutSoundAnyOtherKeyEndsAtOnce() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        store(x, "ScrSav/Sound", "0");
        store(x, "ScrSav/RedAlert", "1");
        store(x, "ScrSav/RedAlertRnd", "0");
        Program saver;
        QVERIFY(startSaver(saver, x));
        const QPoint at = separatorAt(screen);
        QImage shot;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         const QColor c = (shot = x.screenshot()).pixelColor(at);
                         return c == QColor(207, 0, 0) || c == QColor(Qt::white);
                     },
                     5000),
                 qPrintable(describe(shot, at)));
        QCOMPARE(saver.state(), QProcess::Running);
        QElapsedTimer clock;
        clock.start();
        // A plain key, not sent to a window: the saver holds the keyboard.
        x.tool("xdotool", {"key", "space"});
        QVERIFY2(saver.endsCleanlyWithin(1000),
                 qPrintable(QStringLiteral("still running after %1 ms").arg(clock.elapsed())));
        // The interactive console's switches stay as they were: unwritten.
        QVERIFY(stored(x, "Options/AutoScan").isNull());
        QVERIFY(stored(x, "Options/ShipScan").isNull());
    }

    void aSecondScreenIsBlackAndAPointerJumpThereEnds() {
        XvfbSession x(QSize(1024, 768), QSize(800, 600));
        store(x, "ScrSav/Sound", "0");
        Program saver;
        QVERIFY(startSaver(saver, x));
        QTest::qWait(800);

        // The console stands on the primary screen, the second is black all
        // over (-wr would show any uncovered pixel white).
        const QImage primary = x.screenshot(0);
        QCOMPARE(primary.size(), QSize(1024, 768));
        QCOMPARE(primary.pixelColor(512, 20), QColor(80, 80, 80));  // the screen-wide bar
        const QImage second = x.screenshot(1);
        QCOMPARE(second.size(), QSize(800, 600));
        for (int y = 0; y < 600 + 37; y += 37) {
            for (int column = 0; column < 800 + 41; column += 41) {
                const QPoint at(std::min(column, 799), std::min(y, 599));
                QVERIFY2(second.pixelColor(at) == QColor(Qt::black),
                         qPrintable(describe(second, at)));
            }
        }

        // The pointer arriving there is seen, not a jump; a pixel's tremble
        // neither; a real movement ends the saver.
        const auto pointerOnSecond = [&](int column, int y) {
            x.tool("xdotool",
                   {"mousemove", "--screen", "1", QString::number(column), QString::number(y)});
        };
        pointerOnSecond(300, 300);
        QTest::qWait(200);
        pointerOnSecond(301, 300);
        QVERIFY(keepsRunning(saver, 1500));
        pointerOnSecond(400, 420);
        QVERIFY(saver.endsCleanlyWithin(2000));
    }

    void theModuleRunsTheConsoleAsScreenSaverAndEndsOnlyWhenItEnds() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        // Before the console has ever run its folder is unknown: the module
        // says so and ends once the message is confirmed.
        const QString pathMessage = QStringLiteral("^Fehler: Pfad unbekannt$");
        Program unknown;
        QVERIFY(unknown.start("OVANT-Schirm", {"/s"}, x.environment()));
        QVERIFY(x.waitForWindow(pathMessage));
        QVERIFY(!unknown.endsCleanlyWithin(300));
        x.key(pathMessage, "Return");
        QVERIFY(unknown.endsCleanlyWithin(3000));

        store(x, "Options/Path", qEnvironmentVariable("OVANT_BIN_DIR"));
        Program saver;
        QVERIFY(saver.start("OVANT-Schirm", {" /S "}, x.environment()));
        QVERIFY(waitForConsole(x));
        QVERIFY(!saver.endsCleanlyWithin(1500));
        // Space is no console command, so it ends the screen saver; the
        // module follows once the console is gone.
        x.tool("xdotool", {"key", "space"});
        QVERIFY(saver.endsCleanlyWithin(6000));
        QVERIFY(!x.shows(kConsole));
    }

    void theModulesSettingsWindowShowsTheSwitchesAndEscapeStoresNothing() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        store(x, "ScrSav/RedAlert", "1");
        Program schirm;
        QVERIFY(schirm.start("OVANT-Schirm", {"/c:1234"}, x.environment()));
        QVERIFY(x.waitForWindow(kSaverSettingsTitle));
        QTest::qWait(1000);  // the panel builds itself box by box
        const QByteArray opened = storeBytes(x);
        QVERIFY(opened.contains("AniSpeedStep=3"));

        // 635 x 479 pixels, centred: the OK and Info blocks, the bar at the
        // bottom, the panel's black ground and the checked red-alert box.
        const QImage shot = x.screenshot();
        const QPoint at((1024 - 635) / 2, (768 - 479) / 2);
        const struct {
            QPoint local;
            QColor colour;
        } expected[] = {{{20, 232}, QColor(207, 103, 96)},
                        {{20, 125}, QColor(255, 152, 0)},
                        {{400, 462}, QColor(207, 103, 96)},
                        {{400, 300}, Qt::black},
                        {{196, 95}, QColor(159, 152, 255)},
                        {{634, 478}, Qt::black},
                        {{636, 480}, Qt::white}};
        for (const auto& e : expected) {
            expectColour(shot, at + e.local, e.colour);
        }
        x.key(kSaverSettingsTitle, "Escape");
        QVERIFY(schirm.endsCleanlyWithin(3000));
        QCOMPARE(storeBytes(x), opened);
    }
};

QTEST_GUILESS_MAIN(ScreenSaverE2eTest)
#include "screensaver_e2e_test.moc"
