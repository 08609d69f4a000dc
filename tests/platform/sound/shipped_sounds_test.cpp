#include "platform/sound/wave_reader.h"

#include <QDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

// The sounds the build writes beside the programs.
class ShippedSoundsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachSoundIsAShortCleanMonoWave_data();
    void eachSoundIsAShortCleanMonoWave();
};

void ShippedSoundsTest::eachSoundIsAShortCleanMonoWave_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("shortestMs");
    QTest::addColumn<int>("longestMs");

    QTest::newRow("1 accept") << 1 << 80 << 200;
    // The console waits for it while leaving.
    QTest::newRow("2 leaving") << 2 << 800 << 1499;
    QTest::newRow("3 ready") << 3 << 400 << 800;
    QTest::newRow("4 ship panel") << 4 << 250 << 600;
    QTest::newRow("5 panel complete") << 5 << 250 << 500;
    QTest::newRow("6 zoom complete") << 6 << 300 << 600;
    QTest::newRow("7 refuse") << 7 << 200 << 450;
    QTest::newRow("8 building starts") << 8 << 200 << 450;
    // The console holds still while it plays.
    QTest::newRow("9 arrival") << 9 << 150 << 300;
    QTest::newRow("10 alarm") << 10 << 1700 << 2300;
}

void ShippedSoundsTest::eachSoundIsAShortCleanMonoWave() {
    QFETCH(int, number);
    QFETCH(int, shortestMs);
    QFETCH(int, longestMs);

    const QDir folder(qEnvironmentVariable("OVANT_BIN_DIR"));
    const std::optional<ovant::WaveData> wave =
        ovant::readWaveFile(folder.filePath(QStringLiteral("%1.wav").arg(number)));
    QVERIFY(wave);
    QCOMPARE(wave->bitsPerSample, 16);
    QCOMPARE(wave->channels, 1);
    QVERIFY(wave->sampleRate == 22050 || wave->sampleRate == 44100);

    const qsizetype samples = wave->pcm.size() / 2;
    const qsizetype lengthMs = samples * 1000 / wave->sampleRate;
    QVERIFY2(lengthMs >= shortestMs && lengthMs <= longestMs,
             qPrintable(QString::number(lengthMs)));

    int peak = 0;
    for (qsizetype i = 0; i < samples; ++i)
        peak =
            std::max(peak, std::abs(int{qFromLittleEndian<qint16>(wave->pcm.constData() + 2 * i)}));
    // Audible, and at least 1 dB below full scale, so that nothing clips.
    QVERIFY2(peak > 8000 && peak <= 29204, qPrintable(QString::number(peak)));
    // Quick envelopes: the sound starts and ends near silence, without a click.
    const auto edge = [&](qsizetype i) {
        return std::abs(int{qFromLittleEndian<qint16>(wave->pcm.constData() + 2 * i)});
    };
    QVERIFY(edge(0) < 500);
    QVERIFY(edge(samples - 1) < 500);
}

QTEST_GUILESS_MAIN(ShippedSoundsTest)
#include "shipped_sounds_test.moc"
