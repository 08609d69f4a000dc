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

    // Only a screen both narrow and low is refused; wide bars need more than 900 x 650.
    void screenSizeRules() {
        const struct {
            QSize size;
            bool refused, wideBars;
        } screens[] = {
            {{699, 600}, false, false}, {{699, 549}, true, false},   {{640, 480}, true, false},
            {{640, 600}, false, false}, {{1024, 500}, false, false}, {{700, 549}, false, false},
            {{800, 600}, false, false}, {{900, 768}, false, false},  {{1024, 650}, false, false},
            {{901, 651}, false, true},  {{1024, 768}, false, true}};
        for (const auto& s : screens) {
            QCOMPARE(screenTooSmall(s.size), s.refused);
            QCOMPARE(screenTakesWideBars(s.size), s.wideBars);
        }
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

    void numbersCarryABlankForTheirSignAndTheVersionRepeatsMajorAndMinor() {
        QCOMPARE(texts::signedNumber(75142), QStringLiteral(" 75142"));
        QCOMPARE(texts::signedNumber(0), QStringLiteral(" 0"));
        QCOMPARE(texts::signedNumber(-3), QStringLiteral("-3"));
        QCOMPARE(texts::versionLine(2, 3, 17), QStringLiteral("Version 2.3 (2.3.017)"));
        QCOMPARE(texts::versionLine(1, 0, 1), QStringLiteral("Version 1.0 (1.0.01)"));
    }
};

QTEST_GUILESS_MAIN(EntryRulesTest)
#include "entry_rules_test.moc"
