// The module's command line, and how it starts the console: directly, with
// its one argument, from whatever folder the console stored for itself.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

#include "platform/process_launch.h"
#include "saver_module/schirm_mode.h"

using namespace ovant;

namespace {

// A stand-in for the console: after a moment it lists the arguments it
// received into the file named by STAND_IN_OUT, so the list exists only once
// the program has ended.
const QByteArray kStandIn =
    "#!/bin/sh\nsleep 0.3\n"
    "{ echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$STAND_IN_OUT.tmp\"\n"
    "mv \"$STAND_IN_OUT.tmp\" \"$STAND_IN_OUT\"\n";

QString placeStandIn(const QString& folder, QFile::Permissions permissions) {
    QDir().mkpath(folder);
    QFile file(consoleProgram(folder));
    if (!file.open(QIODevice::WriteOnly) || file.write(kStandIn) != kStandIn.size()) {
        return {};
    }
    file.setPermissions(permissions);
    return file.fileName();
}

}  // namespace

class SchirmLaunchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheFirstTwoCharactersOfTheTrimmedLowerCaseArgumentsDecide_data() {
        QTest::addColumn<QList<QByteArray>>("arguments");
        QTest::addColumn<SchirmMode>("mode");
        QTest::newRow("/s") << QList<QByteArray>{"/s"} << SchirmMode::Run;
        QTest::newRow("/S") << QList<QByteArray>{"/S"} << SchirmMode::Run;
        QTest::newRow("blanks around /S") << QList<QByteArray>{" /S "} << SchirmMode::Run;
        QTest::newRow("/c") << QList<QByteArray>{"/c"} << SchirmMode::Configure;
        QTest::newRow("/c:1234") << QList<QByteArray>{"/c:1234"} << SchirmMode::Configure;
        QTest::newRow("none") << QList<QByteArray>{} << SchirmMode::Configure;
        QTest::newRow("only blanks") << QList<QByteArray>{"  "} << SchirmMode::Configure;
        QTest::newRow("/p 4711") << QList<QByteArray>{"/p", "4711"} << SchirmMode::Nothing;
        QTest::newRow("/a") << QList<QByteArray>{"/a"} << SchirmMode::Nothing;
        QTest::newRow("s alone") << QList<QByteArray>{"s"} << SchirmMode::Nothing;
    }
    void onlyTheFirstTwoCharactersOfTheTrimmedLowerCaseArgumentsDecide() {
        QFETCH(QList<QByteArray>, arguments);
        QFETCH(SchirmMode, mode);
        std::vector<const char*> argv{"OVANT-Schirm"};
        for (const QByteArray& a : arguments) {
            argv.push_back(a.constData());
        }
        QCOMPARE(schirmMode(schirmCommandLine(int(argv.size()), argv.data())), mode);
    }

    // A command line joined from folder and argument would split these
    // folders, run another file or hand a shell a second command.
    void theConsoleReceivesExactlyItsOneArgumentFromAnAwkwardFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("detached");
        QTest::newRow("blanks") << "Program Files/OVANT Scan" << false;
        QTest::newRow("quotes, $, ; and a closing slash") << "a \"b\" 'c'/$HOME;id $(id)/" << false;
        QTest::newRow("detached, all") << "x y/\"q\" $z; w" << true;
    }
    void theConsoleReceivesExactlyItsOneArgumentFromAnAwkwardFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, detached);
        QTemporaryDir root;
        const QString program =
            placeStandIn(root.filePath(folder), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!program.isEmpty());
        const QString out = root.filePath(QStringLiteral("args.txt"));
        qputenv("STAND_IN_OUT", QFile::encodeName(out));

        const QString argument = QString::fromLatin1(detached ? "Mode:ShowInfo" : "Mode:ScrSav");
        const auto failure =
            detached ? startDetached(program, {argument}) : runAndWait(program, {argument});
        QVERIFY2(!failure, failure ? qPrintable(failure->description) : "");
        // Waiting means until the program has ended, not until it has started.
        QVERIFY(detached || QFile::exists(out));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 5000);
        QFile list(out);
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), "1\n[" + argument.toLatin1() + "]\n");
    }

    void aStartThatFailsReturnsAtOnceWithTheSystemsReason_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("number");
        QTest::newRow("no folder stored") << QString() << ENOENT;
        QTest::newRow("folder moved away") << "gone" << ENOENT;
        QTest::newRow("not executable") << "plain" << EACCES;
    }
    void aStartThatFailsReturnsAtOnceWithTheSystemsReason() {
        QFETCH(QString, folder);
        QFETCH(int, number);
        QTemporaryDir root;
        const QString program =
            number == EACCES ? placeStandIn(root.filePath(folder), QFile::ReadOwner)
                             : consoleProgram(folder.isEmpty() ? folder : root.filePath(folder));
        QElapsedTimer clock;
        clock.start();
        for (const auto& failure : {runAndWait(program, {QStringLiteral("Mode:ScrSav")}),
                                    startDetached(program, {QStringLiteral("Mode:ShowInfo")})}) {
            QVERIFY(failure.has_value());
            QCOMPARE(failure->number, number);
            QVERIFY(!failure->description.isEmpty());
        }
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(SchirmLaunchTest)
#include "schirm_launch_test.moc"
