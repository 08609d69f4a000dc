#include <QtTest>

#include "app/scan_entry.h"
#include "platform/screen_rules.h"
#include "platform/texts.h"

using namespace ovant;

class EntryRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modeIsTheWholeCommandLineExactly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        const auto normal = int(ScanMode::Normal);
        QTest::newRow("nothing") << QStringList{} << normal;
        QTest::newRow("info") << QStringList{"Mode:ShowInfo"} << int(ScanMode::ShowInfo);
        QTest::newRow("screen saver") << QStringList{"Mode:ScrSav"} << int(ScanMode::ScreenSaver);
        QTest::newRow("lower case") << QStringList{"mode:showinfo"} << normal;
        QTest::newRow("leading blank") << QStringList{" Mode:ShowInfo"} << normal;
        QTest::newRow("trailing blank") << QStringList{"Mode:ShowInfo "} << normal;
        QTest::newRow("two arguments") << QStringList{"Mode:ScrSav", "x"} << normal;
        QTest::newRow("split literal") << QStringList{"Mode:", "ScrSav"} << normal;
    }
    void modeIsTheWholeCommandLineExactly() {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        arguments.prepend(QStringLiteral("/opt/ovant/OVANT-Scan"));
        QCOMPARE(int(scanMode(commandLineText(arguments))), mode);
    }

    void onlyAScreenBothNarrowAndLowIsRefused_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("699 x 600 passes") << QSize(699, 600) << false;
        QTest::newRow("699 x 549 is refused") << QSize(699, 549) << true;
        QTest::newRow("640 x 480 is refused") << QSize(640, 480) << true;
        QTest::newRow("640 x 600 passes") << QSize(640, 600) << false;
        QTest::newRow("1024 x 500 passes") << QSize(1024, 500) << false;
        QTest::newRow("700 x 549 passes") << QSize(700, 549) << false;
    }
    void onlyAScreenBothNarrowAndLowIsRefused() {
        QFETCH(QSize, size);
        QFETCH(bool, refused);
        QCOMPARE(screenTooSmall(size), refused);
    }

    void wideBarsNeedMoreThan900By650() {
        QVERIFY(!screenTakesWideBars(QSize(800, 600)));
        QVERIFY(!screenTakesWideBars(QSize(900, 768)));
        QVERIFY(!screenTakesWideBars(QSize(1024, 650)));
        QVERIFY(screenTakesWideBars(QSize(901, 651)));
        QVERIFY(screenTakesWideBars(QSize(1024, 768)));
    }

    void refusalTextIsWordForWord() {
        QCOMPARE(texts::screenTooSmallTitle(), QStringLiteral("Fehler: Aufl\u00f6sung zu klein"));
        const QString cr(QChar(13));
        QCOMPARE(texts::screenTooSmallText(),
                 QStringLiteral("Die aktuelle Bildschirmaufl\u00f6sung ist kleiner als 800*600 "
                                "Pixel.") +
                     cr + cr +
                     QStringLiteral("OVANT-Feldtaster kann daher leider nicht ausgef\u00fchrt "
                                    "werden.") +
                     cr +
                     QStringLiteral("Erh\u00f6hen Sie die Aufl\u00f6sung (wie Sie dies machen "
                                    "erfahren Sie in ihrem Windows-Handbuch) und versuchen Sie es "
                                    "noch einmal."));
    }

    void numbersCarryABlankForTheirSign() {
        QCOMPARE(texts::signedNumber(75142), QStringLiteral(" 75142"));
        QCOMPARE(texts::signedNumber(0), QStringLiteral(" 0"));
        QCOMPARE(texts::signedNumber(-3), QStringLiteral("-3"));
    }

    void versionLineRepeatsMajorAndMinor() {
        QCOMPARE(texts::versionLine(2, 3, 17), QStringLiteral("Version 2.3 (2.3.017)"));
        QCOMPARE(texts::versionLine(1, 0, 1), QStringLiteral("Version 1.0 (1.0.01)"));
    }
};

QTEST_GUILESS_MAIN(EntryRulesTest)
#include "entry_rules_test.moc"
