// The files that hook the programs into desktops and screen-saver daemons:
// each must be accepted by the tools that read it and start the right program
// with the right arguments.
#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QString packagingFile(const QString& name) {
    return qEnvironmentVariable("OVANT_SOURCE_DIR") + QStringLiteral("/packaging/") + name;
}

// The value of a key in a desktop entry's main group, read as text.
QString entryValue(const QString& file, const QString& key) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    bool inMain = false;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
        } else if (inMain && line.startsWith(key + QLatin1Char('='))) {
            return line.mid(key.size() + 1);
        }
    }
    return {};
}

}  // namespace

class PackagingFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void desktopEntriesAreValidAndStartTheRightProgram_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("category");
        QTest::newRow("console") << "ovant.desktop"
                                 << "OVANT-Scan"
                                 << "Game";
        QTest::newRow("screen-saver settings") << "ovant-schirm.desktop"
                                               << "OVANT-Schirm /c"
                                               << "Settings";
        // MATE and Xfce list the programs of this category as their savers
        // and run them on the whole screen.
        QTest::newRow("MATE and Xfce saver") << "screensavers/OVANT-Schirm.desktop"
                                             << "OVANT-Schirm -root"
                                             << "Screensaver";
    }
    void desktopEntriesAreValidAndStartTheRightProgram() {
        QFETCH(QString, file);
        QFETCH(QString, exec);
        QFETCH(QString, category);
        const QString path = packagingFile(file);
        QVERIFY2(QFile::exists(path), qPrintable(path));

        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(QStringLiteral("desktop-file-validate"), {path});
        QVERIFY2(validate.waitForStarted(),
                 "desktop-file-validate is missing (desktop-file-utils)");
        QVERIFY(validate.waitForFinished(10000));
        const QString said = QString::fromUtf8(validate.readAll());
        QVERIFY2(validate.exitCode() == 0 && !said.contains("error:") && !said.contains("warning:"),
                 qPrintable(said));

        QCOMPARE(entryValue(path, "Exec"), exec);
        QCOMPARE(entryValue(path, "TryExec"), exec.section(QLatin1Char(' '), 0, 0));
        QCOMPARE(entryValue(path, "Icon"), QStringLiteral("ovant"));
        QVERIFY(entryValue(path, "Categories").split(QLatin1Char(';')).contains(category));
    }

    void xscreensaverConfigurationRunsTheModuleOnTheRootWindow() {
        QFile file(packagingFile("OVANT-Schirm.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name().toString(), QStringLiteral("screensaver"));
        // The daemon finds a program's configuration by the program's name.
        const QString program = xml.attributes().value("name").toString();
        QCOMPARE(program, QStringLiteral("OVANT-Schirm"));
        QVERIFY(!xml.attributes().value("_label").isEmpty());

        // Only the elements the daemon's configuration format knows; the
        // fixed arguments make up the command line.
        const QStringList known{"command", "boolean", "number",       "select",
                                "option",  "string",  "file",         "hgroup",
                                "vgroup",  "video",   "_description", "xscreensaver-updater"};
        QStringList commandLine{program};
        bool described = false;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            const QString element = xml.name().toString();
            QVERIFY2(known.contains(element), qPrintable(element));
            if (element == "command") {
                commandLine << xml.attributes().value("arg").toString();
            } else if (element == "_description") {
                described = !xml.readElementText().trimmed().isEmpty();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(described);
        QCOMPARE(commandLine.join(QLatin1Char(' ')), QStringLiteral("OVANT-Schirm -root"));
    }
};

QTEST_GUILESS_MAIN(PackagingFilesTest)
#include "packaging_files_test.moc"
