// The real programs against a hostile world: no X server, an X server that
// goes away, SIGTERM from a screen-saver daemon, a FIFO as settings file, no
// fonts and no sound device. Each must end or go on cleanly, never hang.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <csignal>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

QString program(const QString& name) {
    return qEnvironmentVariable("OVANT_BIN_DIR") + QLatin1Char('/') + name;
}

// Private settings and runtime folders on Qt's offscreen screen.
QProcessEnvironment offscreen(const QTemporaryDir& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    QDir(home.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(home.filePath(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return env;
}

// The folder the screen-saver module starts the console from.
void storePath(const QTemporaryDir& home) {
    QDir(home.path()).mkpath(QStringLiteral("config/OVANT"));
    QFile file(home.filePath(QStringLiteral("config/OVANT/OVANT-Scan.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Options]\nPath=" + qgetenv("OVANT_BIN_DIR") + "\n");
}

QList<qint64> childrenOf(qint64 parent) {
    QList<qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so count from ")".
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == parent)
            children.append(pid);
    }
    return children;
}

bool alive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) != "Z";
}

bool endsWithin(QProcess& process, int ms) {
    if (process.waitForFinished(ms))
        return true;
    process.kill();
    process.waitForFinished(3000);
    return false;
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
            << "OVANT-Scan" << QStringList{QStringLiteral("Mode:ScrSav")} << false;
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
        if (pathStored)
            storePath(home);
        QProcessEnvironment env = offscreen(home);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        int number = 4711;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) ++number;
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(number));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program(name), arguments);
        QVERIFY(endsWithin(process, 20000));
        const QString said = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(said.contains(QStringLiteral("no display")), qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("plugin"), Qt::CaseInsensitive), qPrintable(said));
    }

    void sigtermEndsTheConsoleAtOnceAndCleanly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("normal") << QStringList{};
        QTest::newRow("screen saver") << QStringList{QStringLiteral("Mode:ScrSav")};
    }
    void sigtermEndsTheConsoleAtOnceAndCleanly() {
        QFETCH(QStringList, arguments);
        QTemporaryDir home;
        QProcess console;
        console.setProcessEnvironment(offscreen(home));
        console.start(program(QStringLiteral("OVANT-Scan")), arguments);
        QVERIFY(console.waitForStarted());
        // Inside the start sequence's pauses, and once it has finished.
        for (const int waitMs : {1500, 3500}) {
            QTest::qWait(waitMs);
            QCOMPARE(console.state(), QProcess::Running);
            QElapsedTimer clock;
            clock.start();
            console.terminate();
            QVERIFY(endsWithin(console, 3000));
            QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(console.exitStatus(), QProcess::NormalExit);
            QCOMPARE(console.exitCode(), 0);
            // Nothing is left holding the one-console lock.
            console.start(program(QStringLiteral("OVANT-Scan")), arguments);
            QVERIFY(console.waitForStarted());
        }
        console.kill();
        console.waitForFinished(3000);
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
        storePath(home);
        QProcess schirm;
        schirm.setProcessEnvironment(offscreen(home));
        schirm.start(program(QStringLiteral("OVANT-Schirm")), {QStringLiteral("/s")});
        QVERIFY(schirm.waitForStarted());
        QList<qint64> consoles;
        QTRY_VERIFY_WITH_TIMEOUT(!(consoles = childrenOf(schirm.processId())).isEmpty(), 10000);
        QTest::qWait(1000);
        ::kill(static_cast<pid_t>(schirm.processId()), signal);
        QVERIFY(endsWithin(schirm, 5000));
        if (signal == SIGTERM) {
            QCOMPARE(schirm.exitStatus(), QProcess::NormalExit);
            QVERIFY2(!alive(consoles.first()), "the module ended before its console");
        }
        QTRY_VERIFY_WITH_TIMEOUT(!alive(consoles.first()), 5000);
    }

    void theConsoleEndsWhenItsXServerGoesAway() {
        XvfbSession x(QSize(1024, 768));
        QProcess console;
        QVERIFY(startConsole(console, x));
        x.stopServer();
        QVERIFY2(endsWithin(console, 10000), "the console outlived its X server");
    }

    // Opening a FIFO waits for a writer; the start would stick on the splash.
    void aFifoAsSettingsFileNeitherHoldsTheStartNorIsReplaced() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        QDir().mkpath(QFileInfo(x.settingsFile()).absolutePath());
        QCOMPARE(::mkfifo(QFile::encodeName(x.settingsFile()).constData(), 0600), 0);
        QProcess console;
        QVERIFY(startConsole(console, x));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(x.settingsFile()).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        console.terminate();
        QVERIFY(endsWithin(console, 5000));
    }

    void withoutFontsOrASoundDeviceTheConsoleRunsOn() {
        QTemporaryDir home;
        QFile config(home.filePath(QStringLiteral("fonts.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        config.close();
        QProcessEnvironment env = offscreen(home);
        env.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("no-such-driver"));
        QProcess console;
        console.setProcessEnvironment(env);
        console.start(program(QStringLiteral("OVANT-Scan")), {});
        QVERIFY(console.waitForStarted());
        // The start sequence with its sounds takes about four seconds.
        QVERIFY(!console.waitForFinished(6000));
        console.terminate();
        QVERIFY(endsWithin(console, 3000));
        QCOMPARE(console.exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(BadInputsE2eTest)
#include "bad_inputs_e2e_test.moc"
