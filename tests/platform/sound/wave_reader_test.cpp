#include "platform/sound/wave_reader.h"
#include "support/fifo_guard.h"
#include "wave_bytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace wavebytes;

class WaveReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsPlayablePcmWaves_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("pcm");
        const QByteArray mono8 = QByteArray::fromHex("80ff0040");
        const QByteArray pcm16 = QByteArray::fromHex("0100ff7f0080fe7f");
        QTest::newRow("8-bit mono") << wave(1, 8000, 8, mono8) << 8000 << 1 << 8 << mono8;
        QTest::newRow("16-bit mono") << wave(1, 22050, 16, pcm16) << 22050 << 1 << 16 << pcm16;
        QTest::newRow("8-bit stereo") << wave(2, 44100, 8, mono8) << 44100 << 2 << 8 << mono8;
        QTest::newRow("16-bit stereo") << wave(2, 96000, 16, pcm16) << 96000 << 2 << 16 << pcm16;
        QTest::newRow("extensible PCM")
            << riff(chunk("fmt ", extensibleFmtBody(2, 48000, 16, pcmSubFormat())) +
                    chunk("data", pcm16))
            << 48000 << 2 << 16 << pcm16;
        // An odd-sized chunk is followed by a pad byte; missing it would misread
        // the next chunk's header.
        const QByteArray odd = QByteArray::fromHex("0102030405");
        QTest::newRow("odd-sized chunk padded before the data")
            << riff(chunk("fmt ", fmtBody(1, 1, 11025, 8)) + chunk("LIST", odd) +
                    chunk("data", mono8))
            << 11025 << 1 << 8 << mono8;
        QTest::newRow("odd-sized 8-bit data at the end without its pad byte")
            << riff(chunk("fmt ", fmtBody(1, 1, 8000, 8))) + "data" + le32(5) + odd << 8000 << 1
            << 8 << odd;
        QTest::newRow("data before fmt")
            << riff(chunk("data", mono8) + chunk("fmt ", fmtBody(1, 1, 8000, 8))) << 8000 << 1 << 8
            << mono8;
        QTest::newRow("a trailing half frame is dropped")
            << wave(2, 8000, 16, pcm16 + "\x01\x02") << 8000 << 2 << 16 << pcm16;
        QTest::newRow("empty data") << wave(1, 8000, 16, {}) << 8000 << 1 << 16 << QByteArray();
    }
    void readsPlayablePcmWaves() {
        QFETCH(QByteArray, file);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, pcm);
        const std::optional<ovant::WaveData> data = ovant::readWave(file);
        QVERIFY(data);
        QCOMPARE(data->sampleRate, rate);
        QCOMPARE(data->channels, channels);
        QCOMPARE(data->bitsPerSample, bits);
        QCOMPARE(data->pcm, pcm);
    }

    // Empty and cut-short files are refused by the truncation test below.
    void refusesDamagedAndUnsupportedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray fmt = chunk("fmt ", fmtBody(1, 1, 22050, 16));
        const QByteArray pcm(400, '\x11');
        const auto withFmt = [&pcm](const QByteArray& body) {
            return riff(chunk("fmt ", body) + chunk("data", pcm));
        };
        QTest::newRow("header only") << riff({});
        QTest::newRow("wrong form type") << "RIFF" + le32(4) + "AVI " + fmt + chunk("data", pcm);
        QTest::newRow("big-endian RIFX") << "RIFX" + wave(1, 22050, 16, pcm).mid(4);
        QTest::newRow("fmt too short") << withFmt(fmtBody(1, 1, 22050, 16).left(14));
        QTest::newRow("IEEE float") << withFmt(fmtBody(3, 1, 22050, 32));
        QTest::newRow("ADPCM") << withFmt(fmtBody(2, 1, 22050, 16));
        QTest::newRow("24 bits") << wave(1, 22050, 24, pcm);
        QTest::newRow("zero channels") << wave(0, 22050, 16, pcm);
        QTest::newRow("three channels") << wave(3, 22050, 16, pcm);
        QTest::newRow("rate below 8000") << wave(1, 7999, 16, pcm);
        QTest::newRow("rate above 96000") << wave(1, 96001, 16, pcm);
        QTest::newRow("rate near 2^32") << wave(1, 0xFFFFFFF0U, 16, pcm);
        QByteArray badAlign = fmtBody(1, 2, 22050, 16);
        badAlign.replace(12, 2, le16(3));
        QTest::newRow("frame size disagrees with the format") << withFmt(badAlign);
        QTest::newRow("extensible float") << withFmt(extensibleFmtBody(
            1, 22050, 16, QByteArray::fromHex("0300000000001000800000aa00389b71")));
        QTest::newRow("extensible without its extension")
            << withFmt(extensibleFmtBody(1, 22050, 16, pcmSubFormat()).left(24));
        QTest::newRow("data one byte past the end")
            << riff(fmt + chunk("data", pcm, pcm.size() + 1));
        QTest::newRow("data size 2^32 - 1") << riff(fmt + chunk("data", pcm, 0xFFFFFFFFLL));
        QTest::newRow("chunk size that wraps an offset")
            << riff(fmt + chunk("LIST", {}, 0xFFFFFFF8LL) + chunk("data", pcm));
        QTest::newRow("fmt size past the end")
            << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16), 0xFFFFFFFFLL));
        QTest::newRow("no data chunk") << riff(fmt + chunk("LIST", "abcd"));
        QTest::newRow("no fmt chunk") << riff(chunk("data", pcm));
        QTest::newRow("larger than the limit")
            << wave(1, 22050, 16, QByteArray(qsizetype(ovant::kMaxWaveFileBytes), '\0'));
    }
    void refusesDamagedAndUnsupportedFiles() {
        QFETCH(QByteArray, file);
        QVERIFY(!ovant::readWave(file));
    }

    void refusesEveryTruncationOfAWave() {
        const QByteArray file = wave(2, 22050, 16, tone(440, 20, 22050, 8000));
        QVERIFY(ovant::readWave(file));
        for (qsizetype length = 0; length < file.size(); ++length)
            QVERIFY2(!ovant::readWave(file.left(length)), qPrintable(QString::number(length)));
    }

    void readsFilesAndRefusesWhatIsNoFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeFile(path, wave(1, 22050, 16, tone(440, 50, 22050, 8000))));
        QVERIFY(ovant::readWaveFile(path));
        QVERIFY(!ovant::readWaveFile(dir.filePath(QStringLiteral("missing.wav"))));
        QVERIFY(!ovant::readWaveFile(dir.path()));
        // A FIFO would block the open until someone writes; /dev/zero would be
        // read for ever. Neither is a sound.
        const QString fifo = dir.filePath(QStringLiteral("1.wav"));
        QVERIFY(testsupport::makeFifo(fifo));
        const QString zero = dir.filePath(QStringLiteral("2.wav"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        bool anyRead = true;
        QVERIFY(testsupport::returnsWithoutBlocking(
            [&] { anyRead = ovant::readWaveFile(fifo) || ovant::readWaveFile(zero); }, {fifo}));
        QVERIFY(!anyRead);
    }

    // The sounds the build writes beside the programs: short, clean mono waves.
    void eachShippedSoundIsAShortCleanMonoWave_data() {
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
    void eachShippedSoundIsAShortCleanMonoWave() {
        QFETCH(int, number);
        QFETCH(int, shortestMs);
        QFETCH(int, longestMs);
        const std::optional<ovant::WaveData> wave =
            ovant::readWaveFile(QDir(qEnvironmentVariable("OVANT_BIN_DIR"))
                                    .filePath(QStringLiteral("%1.wav").arg(number)));
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
            peak = std::max(peak, std::abs(sample16(wave->pcm, i)));
        // Audible, and at least 1 dB below full scale, so that nothing clips.
        QVERIFY2(peak > 8000 && peak <= 29204, qPrintable(QString::number(peak)));
        // Quick envelopes: the sound starts and ends near silence, without a click.
        QVERIFY(std::abs(sample16(wave->pcm, 0)) < 500);
        QVERIFY(std::abs(sample16(wave->pcm, samples - 1)) < 500);
    }
};

QTEST_GUILESS_MAIN(WaveReaderTest)
#include "wave_reader_test.moc"