// The .deb as a user gets it: its contents and dependencies, then the console
// started from a scratch root the package was unpacked into, on a private X
// server, finding its pictures and its sounds in the installed layout.
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "scan_process.h"
#include "xvfb_session.h"

using ovant::e2e::describe;
using ovant::e2e::picMainAt;
using ovant::e2e::px;
using ovant::e2e::XvfbSession;

namespace {

// Runs a tool and gives its standard output; an empty result on failure.
QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(1000);
    }
    if (exitCode != nullptr) {
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The package the build made for this version.
QString packageFile() {
    const QDir dir(qEnvironmentVariable("OVANT_PACKAGE_DIR"));
    const QString name = QStringLiteral("ovant_%1.%2.%3_*.deb")
                             .arg(OVANT_VERSION_MAJOR)
                             .arg(OVANT_VERSION_MINOR)
                             .arg(OVANT_VERSION_PATCH);
    const QStringList found = dir.entryList({name}, QDir::Files);
    return found.size() == 1 ? dir.filePath(found.first()) : QString();
}

// Whether a raw 16-bit recording holds anything but silence.
bool heardSomething(const QString& recording) {
    QFile file(recording);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    return std::any_of(bytes.begin(), bytes.end(), [](char b) { return b != 0; });
}

}  // namespace

class PackageE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        deb_ = packageFile();
        QVERIFY2(!deb_.isEmpty(), qPrintable(QStringLiteral("no single package in ") +
                                             qEnvironmentVariable("OVANT_PACKAGE_DIR")));
    }

    void packageDependsOnItsLibrariesAndFonts() {
        int code = -1;
        const QString depends =
            run(QStringLiteral("dpkg-deb"),
                {QStringLiteral("--field"), deb_, QStringLiteral("Depends")}, &code);
        QCOMPARE(code, 0);
        // Found by dpkg-shlibdeps in the programs themselves.
        for (const char* library : {"libqt6widgets6", "libqt6svg6", "libc6"}) {
            QVERIFY2(depends.contains(QLatin1String(library)), qPrintable(depends));
        }
        // Opened only when the first sound plays, so named by hand, at the
        // version that has every function the sound player takes from it.
        QVERIFY2(depends.contains(QLatin1String("libsdl2-2.0-0 (>= 2.24.0)")), qPrintable(depends));
        // No library of the build machine's development packages.
        QVERIFY2(!depends.contains(QLatin1String("-dev")), qPrintable(depends));
        QVERIFY2(depends.contains(QLatin1String("fonts-roboto-unhinted | fonts-liberation")),
                 qPrintable(depends));
        QCOMPARE(run(QStringLiteral("dpkg-deb"),
                     {QStringLiteral("--field"), deb_, QStringLiteral("Package")})
                     .trimmed(),
                 QStringLiteral("ovant"));
    }

    void packageHoldsProgramsSoundsEntriesAndIcons() {
        int code = -1;
        const QString listing =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb_}, &code);
        QCOMPARE(code, 0);
        QStringList files;
        for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString path = line.section(QLatin1Char(' '), -1);
            if (!path.endsWith(QLatin1Char('/'))) {
                files << path;
            }
        }
        QStringList expected{
            "./usr/bin/OVANT-Scan",
            "./usr/bin/OVANT-Schirm",
            "./usr/share/applications/ovant.desktop",
            "./usr/share/applications/ovant-schirm.desktop",
            "./usr/share/applications/screensavers/OVANT-Schirm.desktop",
            "./usr/share/icons/hicolor/48x48/apps/ovant.png",
            "./usr/share/icons/hicolor/scalable/apps/ovant.svg",
            "./usr/share/xscreensaver/config/OVANT-Schirm.xml",
        };
        for (int number = 1; number <= 10; ++number) {
            expected << QStringLiteral("./usr/share/ovant/%1.wav").arg(number);
        }
        files.sort();
        expected.sort();
        // Exactly these: no build helper, test program or /usr/local path.
        QCOMPARE(files, expected);
    }

    void installedConsoleFindsItsPicturesAndSounds() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        int code = -1;
        run(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb_, root.path()}, &code);
        QCOMPARE(code, 0);
        const QString bin = root.filePath(QStringLiteral("usr/bin"));

        // The theme's 48 x 48 icon is a real rendering of the scalable one.
        const QImage icon(
            root.filePath(QStringLiteral("usr/share/icons/hicolor/48x48/apps/ovant.png")));
        QCOMPARE(icon.size(), QSize(48, 48));
        QCOMPARE(icon.pixelColor(8, 30), QColor(159, 152, 255));
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);

        const QSize screen(1024, 768);
        XvfbSession x(screen);
        QVERIFY(x.ready());
        // SDL's disk driver records what the console plays: "3.wav" sounds as
        // the console shows itself, if the console found it.
        const QString recording = root.filePath(QStringLiteral("sound.raw"));
        QProcessEnvironment env = x.environment();
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), recording);
        QProcess console;
        console.setProcessEnvironment(env);
        console.setProcessChannelMode(QProcess::MergedChannels);
        console.start(QDir(bin).filePath(QStringLiteral("OVANT-Scan")));
        QVERIFY(console.waitForStarted());
        const bool shown = ovant::e2e::waitForConsole(x);
        QVERIFY2(shown, console.readAll().constData());
        QTest::qWait(800);

        // Both elbows of the frame are pictures: lilac above, salmon below.
        const QImage shot = x.screenshot();
        const QPoint main = picMainAt(screen);
        const QPoint upper = main + QPoint(px(0) + 20, px(1590) + 10);
        const QPoint lower = main + QPoint(px(30) + 20, px(2640) + 40);
        QVERIFY2(shot.pixelColor(upper) == QColor(159, 152, 255),
                 qPrintable(describe(shot, upper.x(), upper.y())));
        QVERIFY2(shot.pixelColor(lower) == QColor(207, 103, 96),
                 qPrintable(describe(shot, lower.x(), lower.y())));

        QVERIFY2(QTest::qWaitFor([&] { return heardSomething(recording); }, 10000),
                 "the installed console played no sound");

        // The screen-saver module starts the console from the program's own
        // folder, not from the data folder.
        const QSettings stored(x.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Options/Path")).toString(), bin);

        x.key(ovant::e2e::kConsoleTitle, QStringLiteral("x"));
        QVERIFY(console.waitForFinished(10000));
        QCOMPARE(console.exitCode(), 0);
        const QString said = QString::fromUtf8(console.readAll());
        QVERIFY2(!said.contains(QLatin1String(".wav")) && !said.contains(QLatin1String(".svg")),
                 qPrintable(said));

        // The settings entry: the module finds the console's sounds from the
        // folder the console stored; leaving its window plays "1.wav".
        const QString settingsRecording = root.filePath(QStringLiteral("settings.raw"));
        env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), settingsRecording);
        QProcess schirm;
        schirm.setProcessEnvironment(env);
        schirm.setProcessChannelMode(QProcess::ForwardedChannels);
        schirm.start(QDir(bin).filePath(QStringLiteral("OVANT-Schirm")), {QStringLiteral("/c")});
        QVERIFY(schirm.waitForStarted());
        const QString settingsTitle = QStringLiteral("^OVANT-Feldtaster - Bildschirmschoner$");
        QVERIFY(x.waitForWindow(settingsTitle));
        QTest::qWait(1000);  // the panel builds itself box by box
        x.key(settingsTitle, QStringLiteral("Escape"));
        QVERIFY(schirm.waitForFinished(10000));
        QCOMPARE(schirm.exitCode(), 0);
        QVERIFY2(heardSomething(settingsRecording),
                 "the installed settings window played no sound");
    }

private:
    QString deb_;
};

QTEST_GUILESS_MAIN(PackageE2eTest)
#include "package_e2e_test.moc"
