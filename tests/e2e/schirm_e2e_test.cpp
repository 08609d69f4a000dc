// Runs the real OVANT-Schirm on a private X server, with the real OVANT-Scan
// in the folder it names: the screen-saver run and the settings window.
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

const QString kSettingsTitle = QStringLiteral("^OVANT-Feldtaster - Bildschirmschoner$");
const QString kPathMessage = QStringLiteral("^Fehler: Pfad unbekannt$");

// Starts the module; once it has ended, gives its exit code.
struct Schirm {
    QProcess process;
    Schirm(const XvfbSession& x, const QStringList& arguments) {
        process.setProcessEnvironment(x.environment());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/OVANT-Schirm"),
                      arguments);
    }
    ~Schirm() {
        process.kill();
        process.waitForFinished(3000);
    }
    bool endsWithin(int ms) {
        return process.waitForFinished(ms) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
};

bool windowShown(const XvfbSession& x, const QString& title) {
    int code = -1;
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            title},
           5000, &code);
    return code == 0;
}

QByteArray storeBytes(const XvfbSession& x) {
    QFile file(x.settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SchirmE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runsTheConsoleAsScreenSaverAndEndsOnlyWhenItEnds() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        // Before the console has ever run its folder is unknown: the module
        // says so and ends once the message is confirmed.
        Schirm unknown(x, {QStringLiteral("/s")});
        QVERIFY(x.waitForWindow(kPathMessage));
        QVERIFY(!unknown.endsWithin(300));
        x.key(kPathMessage, QStringLiteral("Return"));
        QVERIFY(unknown.endsWithin(3000));

        storeOption(x, QStringLiteral("Path"), qEnvironmentVariable("OVANT_BIN_DIR"));
        Schirm saver(x, {QStringLiteral(" /S ")});
        QVERIFY(waitForConsole(x));
        QVERIFY(!saver.endsWithin(1500));
        // Space is no console command, so it ends the screen saver; the
        // module follows once the console is gone.
        x.tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")});
        QVERIFY(saver.endsWithin(6000));
        QVERIFY(!windowShown(x, kConsoleTitle));
    }

    void theSettingsWindowShowsTheSwitchesAndEscapeStoresNothing() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        QSettings(x.settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("ScrSav/RedAlert"), QStringLiteral("1"));
        Schirm schirm(x, {QStringLiteral("/c:1234")});
        QVERIFY(x.waitForWindow(kSettingsTitle));
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
        } expected[] = {{{20, 232}, QColor(207, 103, 96)},  {{20, 125}, QColor(255, 152, 0)},
                        {{400, 462}, QColor(207, 103, 96)}, {{400, 300}, Qt::black},
                        {{196, 95}, QColor(159, 152, 255)}, {{634, 478}, Qt::black}};
        for (const auto& e : expected) {
            const QPoint p = at + e.local;
            QVERIFY2(shot.pixelColor(p) == e.colour, qPrintable(describe(shot, p.x(), p.y())));
        }
        QVERIFY(shot.pixelColor(at + QPoint(636, 480)) == Qt::white);

        x.key(kSettingsTitle, QStringLiteral("Escape"));
        QVERIFY(schirm.endsWithin(3000));
        QCOMPARE(storeBytes(x), opened);
    }
};

QTEST_GUILESS_MAIN(SchirmE2eTest)
#include "schirm_e2e_test.moc"
