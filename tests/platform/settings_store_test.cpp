#include <QProcess>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "platform/ini_text.h"
#include "platform/settings_store.h"

using namespace ovant;

namespace {

// Child modes of this test program, so that real separate processes use the store.
constexpr const char* kWriterMode = "OVANT_TEST_WRITER";  // value: the writer's own section
constexpr const char* kProbeMode = "OVANT_TEST_PROBE";
constexpr int kWritesPerProcess = 1000;

// Saves keys 0 to 999 into the writer's own section, one save each.
int runWriter(const QByteArray& section) {
    SettingsStore store;
    for (int i = 0; i < kWritesPerProcess; ++i) {
        const QByteArray name = "k" + QByteArray::number(i);
        store.saveText(SettingKey{section.constData(), name.constData(), "", SettingKind::Text},
                       QString::number(i));
    }
    return 0;
}

// Reads and saves as a start does, on whatever lies where the file should be.
int runProbe() {
    SettingsStore store;
    for (int round = 0; round < 3; ++round) {
        store.saveText(settings::kPath, QStringLiteral("/opt/ovant"));
        store.saveDecimal(settings::kAniSpeed, 0.005);
        store.saveWhole(settings::kAniSpeedStep, 3);
        if (store.getText(settings::kPath) != QString() ||
            store.getSwitch(settings::kAutoScan) != SwitchValue::On)
            return 2;
    }
    return 0;
}

QProcess* startChild(const char* mode, const QByteArray& value, QObject* parent) {
    auto* child = new QProcess(parent);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(mode), QString::fromLatin1(value));
    child->setProcessEnvironment(environment);
    child->start(QCoreApplication::applicationFilePath(), {});
    return child;
}

QByteArray withoutLinesOf(const QByteArray& text, const QList<QByteArray>& keys) {
    QList<QByteArray> kept;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.contains('=') || !keys.contains(line.split('=').first().trimmed()))
            kept.append(line);
    }
    return kept.join('\n');
}

QByteArray rawFile() {
    QFile file(SettingsStore::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeRawFile(const QByteArray& content) {
    QDir().mkpath(QFileInfo(SettingsStore::filePath()).absolutePath());
    QFile file(SettingsStore::filePath());
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private Q_SLOTS:
    void init() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        QFile::remove(SettingsStore::filePath());
    }

    void readingMakesNoFileAndEachSaveIsOnDiskAtOnce() {
        QCOMPARE(SettingsStore::filePath(),
                 config_.path() + QStringLiteral("/OVANT/OVANT-Scan.ini"));
        SettingsStore writer;
        const SettingsStore reader;
        QCOMPARE(reader.getText(settings::kPath), QString());
        QCOMPARE(reader.getSwitch(settings::kShipScan), SwitchValue::Off);
        QVERIFY(!QFile::exists(SettingsStore::filePath()));
        writer.saveSwitch(settings::kAutoScan, false);
        QVERIFY(rawFile().contains("[Options]\nAutoScan=0"));
        QCOMPARE(reader.getSwitch(settings::kAutoScan), SwitchValue::Off);
        writer.saveSwitch(settings::kAutoScan, true);
        QCOMPARE(reader.getSwitch(settings::kAutoScan), SwitchValue::On);
    }

    // "1" is on, "0" off, another number neither; text counts as the default.
    void switchReading() {
        SettingsStore store;
        const std::pair<const char*, SwitchValue> cases[] = {
            {"1", SwitchValue::On},        {"0", SwitchValue::Off},  {"2", SwitchValue::Neither},
            {"0.5", SwitchValue::Neither}, {"1.0", SwitchValue::On}, {"yes", SwitchValue::On},
            {"", SwitchValue::On}};
        for (const auto& [stored, expected] : cases) {
            store.saveText(settings::kAutoScan, QLatin1String(stored));
            QVERIFY2(store.getSwitch(settings::kAutoScan) == expected, stored);
        }
    }

    void numbersAreWrittenInTheUsersLocaleAndWholeOnesFallBack() {
        SettingsStore german{QLocale(QLocale::German, QLocale::Germany)};
        german.saveDecimal(settings::kAniSpeed, 0.005);
        QCOMPARE(german.getText(settings::kAniSpeed), QStringLiteral("0,005"));
        QCOMPARE(german.getAniSpeed(settings::kAniSpeed), 0.005);
        SettingsStore english{QLocale(QLocale::English, QLocale::UnitedStates)};
        english.saveDecimal(settings::kAniSpeed, 0.005);
        QCOMPARE(english.getText(settings::kAniSpeed), QStringLiteral("0.005"));

        for (const char* wrong : {"many", "1e30"}) {
            english.saveText(settings::kAniSpeedStep, QLatin1String(wrong));
            QCOMPARE(english.getWhole(settings::kAniSpeedStep), 3);
        }
        english.saveWhole(settings::kAniSpeedStep, 4);
        QCOMPARE(english.getText(settings::kAniSpeedStep), QStringLiteral("4"));
    }

    // A speed outside 0 to 1 s per step, or no number, is the default.
    void aniSpeedSurvivesAChangedLocale() {
        const struct {
            const char* stored;
            QLocale::Language language;
            double expected;
        } cases[] = {{"0.005", QLocale::German, 0.005},  // not five
                     {"0,005", QLocale::English, 0.005},
                     {"0,02", QLocale::German, 0.02},
                     // Three digits behind the dot look like a thousands group in German.
                     {"0.250", QLocale::German, 0.25},
                     {"5", QLocale::German, 0.005},
                     {"-0.1", QLocale::English, 0.005},
                     {"fast", QLocale::English, 0.005},
                     {"0", QLocale::English, 0.0}};
        for (const auto& c : cases) {
            SettingsStore store{QLocale(c.language)};
            store.saveText(settings::kAniSpeed, QLatin1String(c.stored));
            QVERIFY2(store.getAniSpeed(settings::kAniSpeed) == c.expected, c.stored);
        }
    }

    // What others keep in the file (a user's notes, a newer version's keys)
    // survives every save byte for byte, whatever its form.
    void foreignKeysSectionsAndCommentsSurviveEverySave() {
        const QByteArray foreign =
            "; written by hand\r\n[Options]\r\nSome Key = spaced out\r\nlist=a,b,c\r\n"
            "quoted=\"keep \\\"this\\\"\"\r\nblob=@Variant(\\0\\0\\0\\x7f)\r\nAutoScan=0\r\n\r\n"
            "[Other Section]\nx\\y=1\n#not=a comment\n\xff\xfe binary line\n[General]\ng=1";
        QVERIFY(writeRawFile(foreign));
        SettingsStore store;
        QList<QByteArray> ours;
        QSet<QString> ids;  // no two keys may share a line of the file
        for (const SettingKey& key : settings::kAll) {
            store.saveText(key, QString::fromLatin1(key.defaultText) + QStringLiteral("1"));
            ours.append(key.name);
            ids.insert(QLatin1String(key.section) + QLatin1Char('/') + QLatin1String(key.name));
        }
        QCOMPARE(ids.size(), int(std::size(settings::kAll)));
        QCOMPARE(store.getSwitch(settings::kAutoScan), SwitchValue::Neither);  // "11"
        const QByteArray after = rawFile();
        // Only lines of ours were changed or added (here with their section).
        const QByteArray added = withoutLinesOf(after, ours);
        QVERIFY2(added.startsWith(withoutLinesOf(foreign, ours)), added.constData());
        QCOMPARE(added.mid(withoutLinesOf(foreign, ours).size()), QByteArray("\n\n[ScrSav]\n"));
        // The key that was there is changed in its own line, not added again.
        QCOMPARE(after.count("AutoScan="), 1);
    }

    // Earlier versions let the last line of a key win and merged a section
    // that appears twice; a save must not leave an older line that wins.
    void aSaveReachesEveryLineOfItsKeyAndNoOtherSection() {
        QVERIFY(writeRawFile(
            "[Options]\nShipScan=1 ; mine\n[ScrSav]\nShipScan=1\n[Options]\n ShipScan = 1\n"));
        SettingsStore store;
        store.saveSwitch(settings::kShipScan, false);
        QCOMPARE(rawFile(), QByteArray("[Options]\nShipScan=0\n[ScrSav]\nShipScan=1\n[Options]\n"
                                       " ShipScan =0\n"));
        const QString copy = config_.filePath(QStringLiteral("repeated-copy.ini"));
        QVERIFY(QFile::copy(SettingsStore::filePath(), copy));
        const QSettings earlier(copy, QSettings::IniFormat);
        QCOMPARE(earlier.value(QStringLiteral("Options/ShipScan")).toString(), QStringLiteral("0"));
        QCOMPARE(store.getSwitch(settings::kScrShipScan), SwitchValue::On);
    }

    // Files written by earlier versions must read the same, and what is
    // written now must read the same to them.
    void textsTravelBothWaysWithTheFormatOfEarlierVersions_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("folder with blanks") << "/home/a b/OVANT Scan";
        QTest::newRow("German decimal") << "0,005";
        QTest::newRow("semicolon and equals") << "a;b=c";
        QTest::newRow("quotes and backslashes") << "C:\\x \"y\" \\";
        QTest::newRow("leading and closing blanks") << "  both  ";
        QTest::newRow("leading at sign") << "@String(x)";
        QTest::newRow("umlauts and more") << QString::fromUtf8("Grüße/Ω/🚀");
        QTest::newRow("control characters before hex digits") << QString::fromUtf8(
            "a\x01"
            "1\tb\nc\x7f"
            "f");
        QTest::newRow("empty") << "";
    }
    void textsTravelBothWaysWithTheFormatOfEarlierVersions() {
        QFETCH(QString, text);
        // QSettings keeps a file it has read while its size and time stay the
        // same, so each row gives it files of their own names.
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
        const QString written = config_.filePath(tag + QStringLiteral("-ours.ini"));
        const QString theirs = config_.filePath(tag + QStringLiteral("-theirs.ini"));
        SettingsStore store;
        store.saveText(settings::kPath, text);
        QVERIFY(QFile::copy(SettingsStore::filePath(), written));
        QCOMPARE(QSettings(written, QSettings::IniFormat).value("Options/Path").toString(), text);
        QSettings(theirs, QSettings::IniFormat).setValue(QStringLiteral("Options/Path"), text);
        QFile::remove(SettingsStore::filePath());
        QVERIFY(QFile::copy(theirs, SettingsStore::filePath()));
        QCOMPARE(store.getText(settings::kPath), text);
    }

    void damagedContentGivesTheDefaultsAndStaysWritable_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i) binary += char((i * 7919) % 256);
        QTest::newRow("binary bytes") << binary;
        QTest::newRow("a megabyte value")
            << "[Options]\nAniSpeed=" + QByteArray(1 << 20, '9') + "\n";
        QTest::newRow("no sections") << QByteArray("AutoScan=0\nPath=/x\n");
        QTest::newRow("broken headers") << QByteArray("[Options\n]\n[\n=\n==0\n[Options]]\n");
        QTest::newRow("only a header") << QByteArray("[Options]");
        QTest::newRow("unclosed quote") << QByteArray("[Options]\nPath=\"/x\nAniSpeed=\"\\");
    }
    void damagedContentGivesTheDefaultsAndStaysWritable() {
        QFETCH(QByteArray, content);
        QVERIFY(writeRawFile(content));
        SettingsStore store;
        QCOMPARE(store.getSwitch(settings::kAutoScan), SwitchValue::On);
        QCOMPARE(store.getAniSpeed(settings::kAniSpeed), 0.005);
        QCOMPARE(store.getWhole(settings::kAniSpeedStep), 3);
        store.saveSwitch(settings::kScrRedAlert, true);
        QCOMPARE(store.getSwitch(settings::kScrRedAlert), SwitchValue::On);
        QVERIFY(rawFile().startsWith(content));
    }

    // A device, a FIFO, a folder or a huge file where the file should be: a
    // start must not hang on it, replace it or destroy a device node; it runs
    // on the defaults and says so once.
    void somethingOtherThanAFileInItsPlaceIsNeverOpenedNorReplaced_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"link to /dev/zero", "character device", "FIFO", "link to a FIFO",
                                 "folder", "FIFO as the lock", "a file larger than 16 MB"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void somethingOtherThanAFileInItsPlaceIsNeverOpenedNorReplaced() {
        QFETCH(QString, kind);
        const QString path = SettingsStore::filePath();
        const QString lock = path + QStringLiteral(".lock");
        const QString aside = config_.filePath(QStringLiteral("aside"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(aside);
        QFile::remove(lock);
        const QByteArray at =
            QFile::encodeName(kind == QLatin1String("FIFO as the lock") ? lock : path);
        if (kind == QLatin1String("link to /dev/zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else if (kind == QLatin1String("character device")) {
            if (::mknod(at.constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
                QSKIP("creating a device node needs root");
        } else if (kind == QLatin1String("link to a FIFO")) {
            QCOMPARE(::mkfifo(QFile::encodeName(aside).constData(), 0600), 0);
            QVERIFY(QFile::link(aside, path));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind.startsWith(QLatin1String("a file"))) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(kMaxSettingsFileBytes + 1));  // sparse, costs no disk
        } else {
            QCOMPARE(::mkfifo(at.constData(), 0600), 0);
        }
        struct stat before {};
        QCOMPARE(::lstat(at.constData(), &before), 0);

        QScopedPointer<QProcess> probe(startChild(kProbeMode, "1", nullptr));
        const bool ended = probe->waitForFinished(10000);
        if (!ended)
            probe->kill();
        QVERIFY2(ended, "the start hung on it");
        QCOMPARE(probe->exitCode(), 0);
        struct stat after {};
        QCOMPARE(::lstat(at.constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(probe->readAllStandardError().count("OVANT:"), 1);
        if (at == QFile::encodeName(lock))
            QVERIFY(!QFile::exists(path));
        QFile::remove(path);
        QDir(path).removeRecursively();
        QFile::remove(lock);
    }

    // Users who keep their dotfiles elsewhere link them in; the link stays.
    void aLinkToARegularFileKeepsWorking() {
        const QString path = SettingsStore::filePath();
        const QString elsewhere = config_.filePath(QStringLiteral("dotfiles/ovant.ini"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QDir().mkpath(QFileInfo(elsewhere).absolutePath());
        QFile::remove(elsewhere);
        QVERIFY(QFile::link(elsewhere, path));  // dangling until the first save
        SettingsStore store;
        store.saveSwitch(settings::kShipScan, true);
        store.saveText(settings::kPath, QStringLiteral("/opt/a"));
        QCOMPARE(QFileInfo(path).symLinkTarget(), elsewhere);
        QCOMPARE(store.getSwitch(settings::kShipScan), SwitchValue::On);
        QFile target(elsewhere);
        QVERIFY(target.open(QIODevice::ReadOnly));
        QVERIFY(target.readAll().contains("Path=/opt/a"));
        QFile::remove(path);
    }

    void aMissingFolderIsMadeAndAnImpossibleOneLeavesTheDefaults() {
        qputenv("XDG_CONFIG_HOME", config_.filePath(QStringLiteral("not/yet")).toLocal8Bit());
        SettingsStore store;
        store.saveSwitch(settings::kAutoScan, false);
        QCOMPARE(store.getSwitch(settings::kAutoScan), SwitchValue::Off);

        // A plain file where the folder should be: nothing can be made there.
        QFile blocker(config_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());
        store.saveSwitch(settings::kAutoScan, false);
        QCOMPARE(store.getSwitch(settings::kAutoScan), SwitchValue::On);
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    }

    // Each process reads, changes and replaces the file; without a lock one
    // would put back what the other had just replaced.
    void twoProcessesSavingAtOnceLoseNoWrite() {
        QProcess* first = startChild(kWriterMode, "First", this);
        QProcess* second = startChild(kWriterMode, "Second", this);
        QVERIFY(first->waitForFinished(60000) && second->waitForFinished(60000));
        QCOMPARE(first->exitCode() + second->exitCode(), 0);
        const QByteArray text = rawFile();
        int lost = 0;
        for (const char* section : {"First", "Second"}) {
            for (int i = 0; i < kWritesPerProcess; ++i)
                lost += iniValue(text, QLatin1String(section), QStringLiteral("k%1").arg(i)) !=
                        QString::number(i);
        }
        QCOMPARE(lost, 0);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kWriterMode))
        return runWriter(qgetenv(kWriterMode));
    if (qEnvironmentVariableIsSet(kProbeMode))
        return runProbe();
    QCoreApplication app(argc, argv);
    SettingsStoreTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "settings_store_test.moc"