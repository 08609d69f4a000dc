#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/data_folder.h"

using namespace ovant;

class DataFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row lays out files under a scratch root, as a build folder or an
    // installed prefix would, and names where the program in "bin" must
    // find its sounds.
    void soundsAreFoundBesideTheProgramOrInTheInstalledDataFolder_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder: sounds beside the program")
            << QStringList{"bin/OVANT-Scan", "bin/1.wav", "bin/10.wav"} << "bin";
        QTest::newRow("installed: sounds in share/ovant")
            << QStringList{"bin/OVANT-Scan", "share/ovant/1.wav", "share/ovant/10.wav"}
            << "share/ovant";
        QTest::newRow("installed, only some sounds left")
            << QStringList{"bin/OVANT-Scan", "share/ovant/7.wav"} << "share/ovant";
        QTest::newRow("a replacement beside the installed program wins")
            << QStringList{"bin/OVANT-Scan", "bin/3.wav", "share/ovant/1.wav"} << "bin";
        QTest::newRow("missing everywhere: beside the program, silently")
            << QStringList{"bin/OVANT-Scan"} << "bin";
        QTest::newRow("other files do not make a data folder")
            << QStringList{"bin/OVANT-Scan", "share/ovant/readme.txt", "share/ovant/11.wav"}
            << "bin";
        QTest::newRow("a folder named like a sound is no sound")
            << QStringList{"bin/OVANT-Scan", "bin/1.wav/", "share/ovant/2.wav"} << "share/ovant";
    }
    void soundsAreFoundBesideTheProgramOrInTheInstalledDataFolder() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString& file : files) {
            const bool folder = file.endsWith(QLatin1Char('/'));
            QVERIFY(dir.mkpath(folder ? file : QFileInfo(file).path()));
            QVERIFY(folder || QFile(dir.filePath(file)).open(QIODevice::WriteOnly));
        }
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QCOMPARE(dataFolder(bin, QStringLiteral("../share/ovant")), dir.filePath(expected));
        // The build's own installed layout is the one used by default.
        QCOMPARE(dataFolder(bin), dir.filePath(expected));
    }

    void anUnknownProgramFolderIsNotLookedUpInTheWorkingFolder() {
        // The settings window asks with the folder the console stored; before
        // the console's first start there is none.
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("work")) && dir.mkpath(QStringLiteral("share/ovant")));
        QVERIFY(
            QFile(dir.filePath(QStringLiteral("share/ovant/1.wav"))).open(QIODevice::WriteOnly));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.filePath(QStringLiteral("work"))));
        const QString found = dataFolder(QString(), QStringLiteral("../share/ovant"));
        QDir::setCurrent(before);
        QCOMPARE(found, QString());
    }
};

QTEST_GUILESS_MAIN(DataFolderTest)
#include "data_folder_test.moc"
