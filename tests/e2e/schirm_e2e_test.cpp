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

bool startSchirm(QProcess& schirm, const XvfbSession& x, const QStringList& arguments) {
    schirm.setProcessEnvironment(x.environment());
    schirm.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    schirm.start(qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/OVANT-Schirm"),
                 arguments);
    return schirm.waitForStarted();
}

bool windowShown(const XvfbSession& x, const QString& title) {
    int code = -1;
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            title},
           5000, &code);
    return code == 0;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void stop(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(3000);
    }
}

}  // namespace

class SchirmE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runsTheConsoleAsScreenSaverAndEndsOnlyWhenItEnds() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());

        // A preview request is not served: the module ends at once.
        QProcess preview;
        QVERIFY(startSchirm(preview, x, {QStringLiteral("/p"), QStringLiteral("4711")}));
        QVERIFY(preview.waitForFinished(3000));
        QCOMPARE(preview.exitCode(), 0);

        // Before the console has ever run, its folder is unknown: the module
        // says so and ends when the message is confirmed.
        QProcess unknown;
        QVERIFY(startSchirm(unknown, x, {QStringLiteral("/s")}));
        QVERIFY(x.waitForWindow(QStringLiteral("^Fehler: Pfad unbekannt$")));
        QVERIFY(!unknown.waitForFinished(300));
        x.key(QStringLiteral("^Fehler: Pfad unbekannt$"), QStringLiteral("Return"));
        const bool confirmed = unknown.waitForFinished(3000);
        stop(unknown);
        QVERIFY(confirmed);

        storeOption(x, QStringLiteral("Path"), qEnvironmentVariable("OVANT_BIN_DIR"));
        QProcess schirm;
        QVERIFY(startSchirm(schirm, x, {QStringLiteral(" /S ")}));
        QVERIFY(x.waitForWindow(kConsoleTitle));

        // The console runs as screen saver, and the module waits for it.
        QVERIFY(!schirm.waitForFinished(1500));
        QVERIFY(windowShown(x, kConsoleTitle));

        // A plain key ends the saver (Space is no console command); the
        // module follows once the console is gone.
        x.tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")});
        const bool ended = schirm.waitForFinished(6000);
        stop(schirm);
        QVERIFY(ended);
        QCOMPARE(schirm.exitCode(), 0);
        QVERIFY(!windowShown(x, kConsoleTitle));
    }

    void theSettingsWindowShowsTheSwitchesAndEscapeStoresNothing() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        storeOption(x, QStringLiteral("Path"), qEnvironmentVariable("OVANT_BIN_DIR"));
        {
            QSettings stored(x.settingsFile(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("ScrSav/RedAlert"), QStringLiteral("1"));
            stored.setValue(QStringLiteral("ScrSav/AutoZoom"), QStringLiteral("junk"));
        }
        QProcess schirm;
        QVERIFY(startSchirm(schirm, x, {QStringLiteral("/c:1234")}));
        QVERIFY(x.waitForWindow(kSettingsTitle));
        QTest::qWait(1000);  // the panel builds itself box by box

        const QByteArray opened = fileBytes(x.settingsFile());
        QVERIFY(opened.contains("AniSpeedStep=3"));
        const QImage shot = x.screenshot();
        const QByteArray geometry =
            x.tool(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), kSettingsTitle, QStringLiteral("getwindowgeometry")});
        QVERIFY2(geometry.contains("635x479"), geometry.constData());
        // Centred on the screen.
        const QPoint at((1024 - 635) / 2, (768 - 479) / 2);
        auto expect = [&](QPoint local, QColor colour) {
            const QPoint p = at + local;
            QVERIFY2(shot.pixelColor(p) == colour, qPrintable(describe(shot, p.x(), p.y())));
        };
        expect({20, 232}, QColor(207, 103, 96));   // OK, away from its caption
        expect({20, 125}, QColor(255, 152, 0));    // Info
        expect({400, 462}, QColor(207, 103, 96));  // the bar at the bottom
        expect({400, 300}, QColor(0, 0, 0));       // the panel's black ground

        x.key(kSettingsTitle, QStringLiteral("Escape"));
        const bool ended = schirm.waitForFinished(3000);
        stop(schirm);
        QVERIFY(ended);
        QCOMPARE(fileBytes(x.settingsFile()), opened);
    }
};

QTEST_GUILESS_MAIN(SchirmE2eTest)
#include "schirm_e2e_test.moc"
