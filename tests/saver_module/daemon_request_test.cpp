// The arguments a screen-saver daemon of the X desktops starts the module with.
#include <QtTest>

#include "saver_module/daemon_request.h"

using ovant::DaemonRequest;
using Kind = ovant::DaemonRequest::Kind;

Q_DECLARE_METATYPE(Kind)

class DaemonRequestTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowIdsAreHexadecimalOrDecimal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("id");
        QTest::newRow("hexadecimal") << QStringLiteral("0x1a00005") << quint32(0x1a00005);
        QTest::newRow("hexadecimal in capitals")
            << QStringLiteral("0X1A00005") << quint32(0x1a00005);
        QTest::newRow("decimal") << QStringLiteral("27262981") << quint32(27262981);
        QTest::newRow("a leading zero is no octal") << QStringLiteral("010") << quint32(10);
        QTest::newRow("largest") << QStringLiteral("0xffffffff") << quint32(0xffffffffU);
        QTest::newRow("beyond 32 bits") << QStringLiteral("0x100000005") << quint32(0);
        QTest::newRow("negative") << QStringLiteral("-5") << quint32(0);
        QTest::newRow("plus sign") << QStringLiteral("+5") << quint32(0);
        QTest::newRow("hex digits without 0x") << QStringLiteral("1a") << quint32(0);
        QTest::newRow("0x alone") << QStringLiteral("0x") << quint32(0);
        QTest::newRow("nothing") << QString() << quint32(0);
    }
    void windowIdsAreHexadecimalOrDecimal() {
        QFETCH(QString, text);
        QFETCH(quint32, id);
        QCOMPARE(ovant::parseWindowId(text), id);
    }

    void argumentsAndEnvironmentDecideWhereTheConsoleRuns_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<quint32>("window");
        const QString env = QStringLiteral("0x400007");
        QTest::newRow("root") << QStringList{"-root"} << QString() << Kind::Root << quint32(0);
        QTest::newRow("--root") << QStringList{"--root"} << QString() << Kind::Root << quint32(0);
        QTest::newRow("root with the daemon's window")
            << QStringList{"-root"} << env << Kind::Window << quint32(0x400007);
        QTest::newRow("root with a broken variable")
            << QStringList{"-root"} << QStringLiteral("junk") << Kind::Root << quint32(0);
        QTest::newRow("window id") << QStringList{"-window-id", "0x200003"} << QString()
                                   << Kind::Window << quint32(0x200003);
        QTest::newRow("--window-id= decimal")
            << QStringList{"--window-id=12345"} << QString() << Kind::Window << quint32(12345);
        QTest::newRow("window id wins over root and the variable")
            << QStringList{"--root", "--window-id", "77"} << env << Kind::Window << quint32(77);
        QTest::newRow("also when root comes last")
            << QStringList{"-window-id", "77", "-root"} << env << Kind::Window << quint32(77);
        QTest::newRow("the last window id counts")
            << QStringList{"-window-id", "5", "-window-id", "6"} << QString() << Kind::Window
            << quint32(6);
        QTest::newRow("a broken window id ends the module")
            << QStringList{"-window-id", "abc", "-root"} << env << Kind::Broken << quint32(0);
        QTest::newRow("a window id missing")
            << QStringList{"-window-id"} << QString() << Kind::Broken << quint32(0);
        // The module's own command lines keep their meaning.
        QTest::newRow("/s with the variable")
            << QStringList{"/s"} << env << Kind::None << quint32(0);
        QTest::newRow("nothing with the variable")
            << QStringList{} << env << Kind::None << quint32(0);
        QTest::newRow("one dash less is no root")
            << QStringList{"root"} << QString() << Kind::None << quint32(0);
    }
    void argumentsAndEnvironmentDecideWhereTheConsoleRuns() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(Kind, kind);
        QFETCH(quint32, window);
        const DaemonRequest request = ovant::daemonRequest(arguments, environment);
        QCOMPARE(request.kind, kind);
        QCOMPARE(request.window, window);
    }
};

QTEST_GUILESS_MAIN(DaemonRequestTest)
#include "daemon_request_test.moc"
