// The .deb as a user gets it: its contents and dependencies, then the console
// started from a scratch root the package was unpacked into, on a private X
// server, finding its pictures and its sounds in the installed layout.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "e2e_support.h"

using namespace ovant::e2e;

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
        // The package the build made for this version.
        const QDir dir(qEnvironmentVariable("OVANT_PACKAGE_DIR"));
        const QStringList found = dir.entryList({QStringLiteral("ovant_%1.%2.%3_*.deb")
                                                     .arg(OVANT_VERSION_MAJOR)
                                                     .arg(OVANT_VERSION_MINOR)
                                                     .arg(OVANT_VERSION_PATCH)},
                                                QDir::Files);
        QVERIFY2(found.size() == 1, qPrintable("no single package in " + dir.path()));
        deb_ = dir.filePath(found.first());
    }

    void packageDependsOnItsLibrariesAndFontsAndHoldsExactlyItsFiles() {
        int code = -1;
        const QString depends = run("dpkg-deb", {"--field", deb_, "Depends"}, &code);
        QCOMPARE(code, 0);
        // Found by dpkg-shlibdeps in the programs themselves; SDL is opened
        // only when the first sound plays, so named by hand, at the version
        // that has every function the sound player takes from it.
        for (const char* wanted :
             {"libqt6widgets6", "libqt6svg6", "libc6", "libsdl2-2.0-0 (>= 2.24.0)",
              "fonts-roboto-unhinted | fonts-liberation"}) {
            QVERIFY2(depends.contains(QLatin1String(wanted)), qPrintable(depends));
        }
        // No library of the build machine's development packages.
        QVERIFY2(!depends.contains("-dev"), qPrintable(depends));
        QCOMPARE(run("dpkg-deb", {"--field", deb_, "Package"}).trimmed(), QStringLiteral("ovant"));

        const QString listing = run("dpkg-deb", {"--contents", deb_}, &code);
        QCOMPARE(code, 0);
        QStringList files;
        for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString path = line.section(QLatin1Char(' '), -1);
            if (!path.endsWith(QLatin1Char('/'))) {
                files << path;
            }
        }
        QStringList expected{"./usr/bin/OVANT-Scan",
                             "./usr/bin/OVANT-Schirm",
                             "./usr/share/applications/ovant.desktop",
                             "./usr/share/applications/ovant-schirm.desktop",
                             "./usr/share/applications/screensavers/OVANT-Schirm.desktop",
                             "./usr/share/icons/hicolor/48x48/apps/ovant.png",
                             "./usr/share/icons/hicolor/scalable/apps/ovant.svg",
                             "./usr/share/xscreensaver/config/OVANT-Schirm.xml"};
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
        int code = -1;
        run("dpkg", {"-x", deb_, root.path()}, &code);
        QCOMPARE(code, 0);
        const QString bin = root.filePath("usr/bin");

        // The theme's 48 x 48 icon is a real rendering of the scalable one.
        const QImage icon(root.filePath("usr/share/icons/hicolor/48x48/apps/ovant.png"));
        QCOMPARE(icon.size(), QSize(48, 48));
        QCOMPARE(icon.pixelColor(8, 30), QColor(159, 152, 255));
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);

        const QSize screen(1024, 768);
        XvfbSession x(screen);
        QVERIFY(x.ready());
        // SDL's disk driver records what the console plays: "3.wav" sounds as
        // the console shows itself, if the console found it.
        const QString recording = root.filePath("sound.raw");
        QProcessEnvironment env = x.environment();
        env.insert("SDL_AUDIODRIVER", "disk");
        env.insert("SDL_DISKAUDIOFILE", recording);
        Program console;
        console.setProcessChannelMode(QProcess::MergedChannels);
        QVERIFY(console.start(bin + "/OVANT-Scan", {}, env));
        QVERIFY2(waitForConsole(x), console.readAll().constData());
        QTest::qWait(800);

        // Both elbows of the frame are pictures: lilac above, salmon below.
        const QImage shot = x.screenshot();
        const QPoint main = picMainAt(screen);
        expectColour(shot, main + QPoint(20, px(1590) + 10), QColor(159, 152, 255));
        expectColour(shot, main + QPoint(px(30) + 20, px(2640) + 40), QColor(207, 103, 96));
        QVERIFY2(QTest::qWaitFor([&] { return heardSomething(recording); }, 10000),
                 "the installed console played no sound");
        // The screen-saver module starts the console from the program's own
        // folder, not from the data folder.
        QCOMPARE(stored(x, "Options/Path"), bin);

        x.key(kConsoleTitle, "x");
        QVERIFY(console.endsCleanlyWithin(10000));
        const QString said = QString::fromUtf8(console.readAll());
        QVERIFY2(!said.contains(".wav") && !said.contains(".svg"), qPrintable(said));

        // The settings entry: the module finds the console's sounds from the
        // folder the console stored; leaving its window plays "1.wav".
        const QString settingsRecording = root.filePath("settings.raw");
        env.insert("SDL_DISKAUDIOFILE", settingsRecording);
        Program schirm;
        QVERIFY(schirm.start(bin + "/OVANT-Schirm", {"/c"}, env));
        QVERIFY(x.waitForWindow(kSaverSettingsTitle));
        QTest::qWait(1000);  // the panel builds itself box by box
        x.key(kSaverSettingsTitle, "Escape");
        QVERIFY(schirm.endsCleanlyWithin(10000));
        QVERIFY2(heardSomething(settingsRecording),
                 "the installed settings window played no sound");
    }

private:
    QString deb_;
};

QTEST_GUILESS_MAIN(PackageE2eTest)
#include "package_e2e_test.moc"
