#include <QtTest>

#include "platform/settings_store.h"

using namespace ovant;

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

    static QString rawFile() {
        QFile file(SettingsStore::filePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private Q_SLOTS:
    void init() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void fileLivesUnderXdgConfigHome() {
        QCOMPARE(SettingsStore::filePath(),
                 config_.path() + QStringLiteral("/OVANT/OVANT-Scan.ini"));
    }

    void emptyStoreGivesEveryDefault() {
        const SettingsStore store;
        QCOMPARE(store.getText(settings::kPath), QString());
        QCOMPARE(store.getSwitch(settings::kAutoScan), SwitchValue::On);
        QCOMPARE(store.getSwitch(settings::kShipScan), SwitchValue::Off);
        QCOMPARE(store.getAniSpeed(settings::kAniSpeed), 0.005);
        QCOMPARE(store.getWhole(settings::kAniSpeedStep), 3);
        QCOMPARE(store.getSwitch(settings::kScrRedAlert), SwitchValue::Off);
        QCOMPARE(store.getSwitch(settings::kScrShipScan), SwitchValue::On);
        QCOMPARE(store.getSwitch(settings::kScrSound), SwitchValue::On);
        QCOMPARE(store.getSwitch(settings::kScrAutoZoom), SwitchValue::Off);
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
    }

    void eachSaveIsOnDiskAtOnceForAnotherReader() {
        SettingsStore writer;
        writer.saveSwitch(settings::kAutoScan, false);
        QVERIFY(rawFile().contains(QStringLiteral("[Options]")));
        QVERIFY(rawFile().contains(QStringLiteral("AutoScan=0")));
        const SettingsStore reader;
        QCOMPARE(reader.getSwitch(settings::kAutoScan), SwitchValue::Off);
        writer.saveSwitch(settings::kAutoScan, true);
        QCOMPARE(reader.getSwitch(settings::kAutoScan), SwitchValue::On);
    }

    void sectionsKeepTheirOwnKeys() {
        SettingsStore store;
        store.saveSwitch(settings::kShipScan, true);
        store.saveSwitch(settings::kScrShipScan, false);
        QCOMPARE(store.getSwitch(settings::kShipScan), SwitchValue::On);
        QCOMPARE(store.getSwitch(settings::kScrShipScan), SwitchValue::Off);
        QVERIFY(rawFile().contains(QStringLiteral("[ScrSav]")));
    }

    void switchReading_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("one is on") << "1" << int(SwitchValue::On);
        QTest::newRow("zero is off") << "0" << int(SwitchValue::Off);
        QTest::newRow("two is neither") << "2" << int(SwitchValue::Neither);
        QTest::newRow("minus one is neither") << "-1" << int(SwitchValue::Neither);
        QTest::newRow("a half is neither") << "0.5" << int(SwitchValue::Neither);
        QTest::newRow("a decimal one is on") << "1.0" << int(SwitchValue::On);
        QTest::newRow("text is the default (on)") << "yes" << int(SwitchValue::On);
        QTest::newRow("empty text is the default (on)") << "" << int(SwitchValue::On);
    }
    void switchReading() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        SettingsStore store;
        store.saveText(settings::kAutoScan, stored);
        QCOMPARE(int(store.getSwitch(settings::kAutoScan)), expected);
    }

    void decimalsAreWrittenInTheUsersLocale() {
        SettingsStore german{QLocale(QLocale::German, QLocale::Germany)};
        german.saveDecimal(settings::kAniSpeed, 0.005);
        QCOMPARE(german.getText(settings::kAniSpeed), QStringLiteral("0,005"));
        QCOMPARE(german.getAniSpeed(settings::kAniSpeed), 0.005);
        SettingsStore english{QLocale(QLocale::English, QLocale::UnitedStates)};
        english.saveDecimal(settings::kAniSpeed, 0.005);
        QCOMPARE(english.getText(settings::kAniSpeed), QStringLiteral("0.005"));
    }

    void aniSpeedSurvivesAChangedLocale_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<double>("expected");
        QTest::newRow("dot read in German is not five") << "0.005" << QLocale::German << 0.005;
        QTest::newRow("comma read in English") << "0,005" << QLocale::English << 0.005;
        QTest::newRow("other speeds stay") << "0,02" << QLocale::German << 0.02;
        // Three digits behind the dot look like a thousands group in German.
        QTest::newRow("dot with three digits read in German is no group")
            << "0.250" << QLocale::German << 0.25;
        QTest::newRow("five seconds per step is refused") << "5" << QLocale::German << 0.005;
        QTest::newRow("negative is refused") << "-0.1" << QLocale::English << 0.005;
        QTest::newRow("text is the default") << "fast" << QLocale::English << 0.005;
        QTest::newRow("zero is allowed") << "0" << QLocale::English << 0.0;
    }
    void aniSpeedSurvivesAChangedLocale() {
        QFETCH(QString, stored);
        QFETCH(QLocale::Language, language);
        QFETCH(double, expected);
        SettingsStore store{QLocale(language)};
        store.saveText(settings::kAniSpeed, stored);
        QCOMPARE(store.getAniSpeed(settings::kAniSpeed), expected);
    }

    void wholeNumbersFallBackToTheirDefault() {
        SettingsStore store;
        store.saveText(settings::kAniSpeedStep, QStringLiteral("many"));
        QCOMPARE(store.getWhole(settings::kAniSpeedStep), 3);
        store.saveText(settings::kAniSpeedStep, QStringLiteral("1e30"));
        QCOMPARE(store.getWhole(settings::kAniSpeedStep), 3);
        store.saveWhole(settings::kAniSpeedStep, 4);
        QCOMPARE(store.getText(settings::kAniSpeedStep), QStringLiteral("4"));
    }

    void everyKeyIsDeclaredOnceWithItsSection() {
        QSet<QString> seen;
        for (const SettingKey& key : settings::kAll) {
            const QString id =
                QString::fromLatin1(key.section) + QLatin1Char('/') + QString::fromLatin1(key.name);
            QVERIFY2(!seen.contains(id), qPrintable(id));
            seen.insert(id);
            const QString section = QString::fromLatin1(key.section);
            QVERIFY(section == QLatin1String("Options") || section == QLatin1String("ScrSav"));
        }
        QCOMPARE(seen.size(), 14);
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
