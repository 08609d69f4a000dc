// The real programs against a hostile world: no X server, an X server that
// goes away, SIGTERM from a screen-saver daemon, a FIFO as settings file, no
// fonts and no sound device. Each must end or go on cleanly, never hang.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <csignal>

#include "e2e_support.h"

using namespace ovant::e2e;

namespace {

// Private settings and runtime folders on Qt's offscreen screen; with
// `pathStored` the folder the screen-saver module starts the console from.
QProcessEnvironment offscreen(const QTemporaryDir& home, bool pathStored = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
    QDir(home.path()).mkpath("run");
    QDir(home.path()).mkpath("config/OVANT");
    QFile::setPermissions(home.filePath("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile file(home.filePath("config/OVANT/OVANT-Scan.ini"));
    if (pathStored && file.open(QIODevice::WriteOnly)) {
        file.write("[Options]\nPath=" + qgetenv("OVANT_BIN_DIR") + "\n");
    }
    return env;
}

}  // namespace

class BadInputsE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutAnXServerBothProgramsSaySoBrieflyAndEndWithOne_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("pathStored");
        QTest::newRow("console") << "OVANT-Scan" << QStringList{} << false;
        QTest::newRow("console as screen saver")
            << "OVANT-Scan" << QStringList{"Mode:ScrSav"} << false;
        QTest::newRow("settings window") << "OVANT-Schirm" << QStringList{} << false;
        QTest::newRow("screen saver run") << "OVANT-Schirm" << QStringList{"/s"} << true;
        QTest::newRow("screen saver run without a stored folder")
            << "OVANT-Schirm" << QStringList{"/s"} << false;
    }
    void withoutAnXServerBothProgramsSaySoBrieflyAndEndWithOne() {
        QFETCH(QString, name);
        QFETCH(QStringList, arguments);
        QFETCH(bool, pathStored);
        QTemporaryDir home;
        QProcessEnvironment env = offscreen(home, pathStored);
        env.remove("QT_QPA_PLATFORM");
        env.remove("WAYLAND_DISPLAY");
        int number = 4711;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
            ++number;
        }
        env.insert("DISPLAY", QStringLiteral(":%1").arg(number));
        Program process;
        process.setProcessChannelMode(QProcess::SeparateChannels);
        QVERIFY(process.start(name, arguments, env));
        QVERIFY(process.waitForFinished(20000));
        const QString said = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(said.contains("no display"), qPrintable(said));
        QVERIFY2(!said.contains("plugin", Qt::CaseInsensitive), qPrintable(said));
    }

    void sigtermEndsTheConsoleAtOnceAndCleanly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("normal") << QStringList{};
        QTest::newRow("screen saver") << QStringList{"Mode:ScrSav"};
    }
    void sigtermEndsTheConsoleAtOnceAndCleanly() {
        QFETCH(QStringList, arguments);
        QTemporaryDir home;
        Program console;
        QVERIFY(console.start("OVANT-Scan", arguments, offscreen(home)));
        // Inside the start sequence's pauses, and once it has finished.
        for (const int waitMs : {1500, 3500}) {
            QTest::qWait(waitMs);
            QCOMPARE(console.state(), QProcess::Running);
            QElapsedTimer clock;
            clock.start();
            console.terminate();
            QVERIFY(console.endsCleanlyWithin(3000));
            QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
            // Nothing is left holding the one-console lock.
            QVERIFY(console.start("OVANT-Scan", arguments, offscreen(home)));
        }
    }

    // Screen-saver daemons end the module with SIGTERM (or SIGKILL when it
    // takes too long); the console it waits for must end with it.
    void endingTheModuleEndsTheConsoleItWaitsFor_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGKILL") << int(SIGKILL);
    }
    void endingTheModuleEndsTheConsoleItWaitsFor() {
        QFETCH(int, signal);
        QTemporaryDir home;
        Program schirm;
        QVERIFY(schirm.start("OVANT-Schirm", {"/s"}, offscreen(home, true)));
        qint64 console = 0;
        QTRY_VERIFY_WITH_TIMEOUT((console = childOf(schirm.processId())) > 0, 10000);
        QTest::qWait(1000);
        ::kill(static_cast<pid_t>(schirm.processId()), signal);
        QVERIFY(schirm.waitForFinished(5000));
        if (signal == SIGTERM) {
            QCOMPARE(schirm.exitStatus(), QProcess::NormalExit);
            QVERIFY2(!alive(console), "the module ended before its console");
        }
        QTRY_VERIFY_WITH_TIMEOUT(!alive(console), 5000);
    }

    void theConsoleEndsWhenItsXServerGoesAway() {
        XvfbSession x(QSize(1024, 768));
        Program console;
        QVERIFY(startConsole(console, x));
        x.stopServer();
        QVERIFY2(console.waitForFinished(10000), "the console outlived its X server");
    }

    // Opening a FIFO waits for a writer; the start would stick on the splash.
    void aFifoAsSettingsFileNeitherHoldsTheStartNorIsReplaced() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        QDir().mkpath(QFileInfo(x.settingsFile()).absolutePath());
        QCOMPARE(::mkfifo(QFile::encodeName(x.settingsFile()).constData(), 0600), 0);
        Program console;
        QVERIFY(startConsole(console, x));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(x.settingsFile()).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        console.terminate();
        QVERIFY(console.waitForFinished(5000));
    }

    void withoutFontsOrASoundDeviceTheConsoleRunsOn() {
        QTemporaryDir home;
        QFile config(home.filePath("fonts.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        config.close();
        QProcessEnvironment env = offscreen(home);
        env.insert("FONTCONFIG_FILE", config.fileName());
        env.insert("SDL_AUDIODRIVER", "no-such-driver");
        Program console;
        QVERIFY(console.start("OVANT-Scan", {}, env));
        // The start sequence with its sounds takes about four seconds.
        QVERIFY(!console.waitForFinished(6000));
        console.terminate();
        QVERIFY(console.endsCleanlyWithin(3000));
    }
};

QTEST_GUILESS_MAIN(BadInputsE2eTest)
#include "bad_inputs_e2e_test.moc"
