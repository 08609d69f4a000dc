// The module's command line, the arguments a screen-saver daemon of the X
// desktops starts it with, and how it starts the console: directly, with its
// one argument, from whatever folder the console stored for itself.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <vector>

#include "platform/process_launch.h"
#include "saver_module/daemon_request.h"
#include "saver_module/schirm_mode.h"

using namespace ovant;
using Kind = DaemonRequest::Kind;

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
    void onlyTheFirstTwoCharactersOfTheTrimmedLowerCaseArgumentsDecide() {
        const struct {
            std::vector<const char*> arguments;
            SchirmMode mode;
        } cases[] = {{{"/s"}, SchirmMode::Run},
                     {{"/S"}, SchirmMode::Run},
                     {{" /S "}, SchirmMode::Run},
                     {{"/c"}, SchirmMode::Configure},
                     {{"/c:1234"}, SchirmMode::Configure},
                     {{}, SchirmMode::Configure},
                     {{"  "}, SchirmMode::Configure},
                     {{"/p", "4711"}, SchirmMode::Nothing},
                     {{"/a"}, SchirmMode::Nothing},
                     {{"s"}, SchirmMode::Nothing}};
        for (const auto& c : cases) {
            std::vector<const char*> argv{"OVANT-Schirm"};
            argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
            const QString line = schirmCommandLine(int(argv.size()), argv.data());
            QVERIFY2(schirmMode(line) == c.mode, qPrintable(line));
        }
    }

    void daemonWindowIdsAreHexadecimalOrDecimal() {
        const struct {
            const char* text;
            quint32 id;
        } cases[] = {{"0x1a00005", 0x1a00005},
                     {"0X1A00005", 0x1a00005},
                     {"27262981", 27262981},
                     {"010", 10},  // a leading zero is no octal
                     {"0xffffffff", 0xffffffffU},
                     {"0x100000005", 0},  // beyond 32 bits
                     {"-5", 0},
                     {"+5", 0},
                     {"1a", 0},
                     {"0x", 0},
                     {"", 0}};
        for (const auto& c : cases) {
            QVERIFY2(parseWindowId(QString::fromLatin1(c.text)) == c.id, c.text);
        }
    }

    void daemonArgumentsAndEnvironmentDecideWhereTheConsoleRuns() {
        const char* env = "0x400007";
        const struct {
            const char* arguments;
            const char* environment;
            Kind kind;
            quint32 window;
        } cases[] = {
            {"-root", "", Kind::Root, 0},
            {"--root", "", Kind::Root, 0},
            {"-root", env, Kind::Window, 0x400007},  // the daemon's own window
            {"-root", "junk", Kind::Root, 0},
            {"-window-id 0x200003", "", Kind::Window, 0x200003},
            {"--window-id=12345", "", Kind::Window, 12345},
            // A window id wins over root and the variable, wherever root stands.
            {"--root --window-id 77", env, Kind::Window, 77},
            {"-window-id 77 -root", env, Kind::Window, 77},
            {"-window-id 5 -window-id 6", "", Kind::Window, 6},  // the last counts
            // A broken or missing window id ends the module.
            {"-window-id abc -root", env, Kind::Broken, 0},
            {"-window-id", "", Kind::Broken, 0},
            // The module's own command lines keep their meaning.
            {"/s", env, Kind::None, 0},
            {"", env, Kind::None, 0},
            {"root", "", Kind::None, 0},
        };
        for (const auto& c : cases) {
            const DaemonRequest request =
                daemonRequest(QString::fromLatin1(c.arguments).split(' ', Qt::SkipEmptyParts),
                              QString::fromLatin1(c.environment));
            QVERIFY2(request.kind == c.kind && request.window == c.window, c.arguments);
        }
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
