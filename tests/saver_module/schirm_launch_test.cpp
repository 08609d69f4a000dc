// The module's command line and how it starts the console: directly, with
// its one argument, from whatever folder the console stored for itself.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

#include "platform/process_launch.h"
#include "saver_module/schirm_mode.h"

using namespace ovant;

namespace {

// A stand-in for the console: it waits a moment, then lists the arguments it
// received, one per line, into the file named by STAND_IN_OUT. The list only
// exists once the program has ended.
const QByteArray kStandIn =
    "#!/bin/sh\n"
    "sleep 0.3\n"
    "{ echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$STAND_IN_OUT.tmp\"\n"
    "mv \"$STAND_IN_OUT.tmp\" \"$STAND_IN_OUT\"\n";

QString placeStandIn(const QString& folder) {
    QDir().mkpath(folder);
    const QString program = consoleProgram(folder);
    QFile file(program);
    if (!file.open(QIODevice::WriteOnly) || file.write(kStandIn) != kStandIn.size()) {
        return {};
    }
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SchirmLaunchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheFirstTwoCharactersOfTheTrimmedLowerCaseArgumentsDecide_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        const int run = int(SchirmMode::Run);
        const int configure = int(SchirmMode::Configure);
        const int nothing = int(SchirmMode::Nothing);
        QTest::newRow("/s") << QStringList{"/s"} << run;
        QTest::newRow("/S") << QStringList{"/S"} << run;
        QTest::newRow("blanks around /S") << QStringList{" /S "} << run;
        QTest::newRow("/c") << QStringList{"/c"} << configure;
        QTest::newRow("/c:1234") << QStringList{"/c:1234"} << configure;
        QTest::newRow("none") << QStringList{} << configure;
        QTest::newRow("only blanks") << QStringList{"  "} << configure;
        QTest::newRow("/p 4711") << QStringList{"/p", "4711"} << nothing;
        QTest::newRow("/a") << QStringList{"/a"} << nothing;
        QTest::newRow("s without slash") << QStringList{"s"} << nothing;
    }
    void onlyTheFirstTwoCharactersOfTheTrimmedLowerCaseArgumentsDecide() {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        std::vector<QByteArray> bytes{"OVANT-Schirm"};
        for (const QString& a : arguments) {
            bytes.push_back(a.toLocal8Bit());
        }
        std::vector<const char*> argv;
        for (const QByteArray& b : bytes) {
            argv.push_back(b.constData());
        }
        QCOMPARE(int(schirmMode(schirmCommandLine(int(argv.size()), argv.data()))), mode);
    }

    // A command line built by joining folder and argument would split these
    // folders, run a different file or hand the shell a second command.
    void theConsoleReceivesExactlyItsOneArgumentFromAnAwkwardFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("detached");
        QTest::newRow("blanks") << "Program Files/OVANT Scan" << false;
        QTest::newRow("quotes") << "say \"hi\" 'there'" << false;
        QTest::newRow("dollar and semicolon") << "$HOME;touch pwned;$(id)" << false;
        QTest::newRow("all, trailing slash") << "a b/\"c\" $d;e/" << false;
        QTest::newRow("detached, all") << "x y/\"q\" $z; w" << true;
    }
    void theConsoleReceivesExactlyItsOneArgumentFromAnAwkwardFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, detached);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString program = placeStandIn(root.filePath(folder));
        QVERIFY(!program.isEmpty());
        const QString out = root.filePath(QStringLiteral("args.txt"));
        qputenv("STAND_IN_OUT", QFile::encodeName(out));

        const QString argument =
            detached ? QStringLiteral("Mode:ShowInfo") : QStringLiteral("Mode:ScrSav");
        const auto failure =
            detached ? startDetached(program, {argument}) : runAndWait(program, {argument});
        QVERIFY2(!failure, failure ? qPrintable(failure->description) : "");
        if (detached) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 5000);
        } else {
            // The wait lasts until the program has ended, not until it has started.
            QVERIFY(QFile::exists(out));
        }
        QCOMPARE(readAll(out), QByteArray("1\n[") + argument.toLatin1() + "]\n");
    }

    void aStartThatFailsReturnsAtOnceWithTheSystemsReason_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("number");
        QTest::newRow("no folder stored") << QString() << ENOENT;
        QTest::newRow("folder moved away") << "gone away" << ENOENT;
        QTest::newRow("not executable") << "plain file" << EACCES;
    }
    void aStartThatFailsReturnsAtOnceWithTheSystemsReason() {
        QFETCH(QString, folder);
        QFETCH(int, number);
        QTemporaryDir root;
        QString program = consoleProgram(folder.isEmpty() ? folder : root.filePath(folder));
        if (number == EACCES) {
            program = placeStandIn(root.filePath(folder));
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner);
        }
        QElapsedTimer clock;
        clock.start();
        for (const bool detached : {false, true}) {
            const auto failure = detached
                                     ? startDetached(program, {QStringLiteral("Mode:ShowInfo")})
                                     : runAndWait(program, {QStringLiteral("Mode:ScrSav")});
            QVERIFY(failure.has_value());
            QCOMPARE(failure->number, number);
            QVERIFY(!failure->description.isEmpty());
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(SchirmLaunchTest)
#include "schirm_launch_test.moc"
