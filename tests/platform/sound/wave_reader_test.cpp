#include "platform/sound/wave_reader.h"
#include "support/fifo_guard.h"
#include "wave_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace wavebytes;

class WaveReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsPlayablePcmWaves_data();
    void readsPlayablePcmWaves();
    void refusesDamagedAndUnsupportedFiles_data();
    void refusesDamagedAndUnsupportedFiles();
    void refusesEveryTruncationOfAWave();
    void readsFilesAndRefusesWhatIsNoFile();
};

void WaveReaderTest::readsPlayablePcmWaves_data() {
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
        << riff(chunk("fmt ", fmtBody(1, 1, 11025, 8)) + chunk("LIST", odd) + chunk("data", mono8))
        << 11025 << 1 << 8 << mono8;
    QTest::newRow("odd-sized 8-bit data at the end without its pad byte")
        << riff(chunk("fmt ", fmtBody(1, 1, 8000, 8))) + "data" + le32(5) + odd << 8000 << 1 << 8
        << odd;
    QTest::newRow("data before fmt")
        << riff(chunk("data", mono8) + chunk("fmt ", fmtBody(1, 1, 8000, 8))) << 8000 << 1 << 8
        << mono8;
    QTest::newRow("a trailing half frame is dropped")
        << wave(2, 8000, 16, pcm16 + "\x01\x02") << 8000 << 2 << 16 << pcm16;
    QTest::newRow("empty data") << wave(1, 8000, 16, {}) << 8000 << 1 << 16 << QByteArray();
}

void WaveReaderTest::readsPlayablePcmWaves() {
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

void WaveReaderTest::refusesDamagedAndUnsupportedFiles_data() {
    QTest::addColumn<QByteArray>("file");

    const QByteArray fmt = chunk("fmt ", fmtBody(1, 1, 22050, 16));
    const QByteArray pcm(400, '\x11');
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("RIFF only") << QByteArray("RIFF");
    QTest::newRow("header only") << riff({});
    QTest::newRow("wrong form type") << "RIFF" + le32(4) + "AVI " + fmt + chunk("data", pcm);
    QTest::newRow("big-endian RIFX") << "RIFX" + wave(1, 22050, 16, pcm).mid(4);
    QTest::newRow("fmt too short")
        << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16).left(14)) + chunk("data", pcm));
    QTest::newRow("IEEE float") << riff(chunk("fmt ", fmtBody(3, 1, 22050, 32)) +
                                        chunk("data", pcm));
    QTest::newRow("ADPCM") << riff(chunk("fmt ", fmtBody(2, 1, 22050, 16)) + chunk("data", pcm));
    QTest::newRow("24 bits") << wave(1, 22050, 24, pcm);
    QTest::newRow("zero channels") << wave(0, 22050, 16, pcm);
    QTest::newRow("three channels") << wave(3, 22050, 16, pcm);
    QTest::newRow("rate below 8000") << wave(1, 7999, 16, pcm);
    QTest::newRow("rate above 96000") << wave(1, 96001, 16, pcm);
    QTest::newRow("rate near 2^32") << wave(1, 0xFFFFFFF0U, 16, pcm);
    QByteArray badAlign = fmtBody(1, 2, 22050, 16);
    badAlign.replace(12, 2, le16(3));
    QTest::newRow("frame size disagrees with the format")
        << riff(chunk("fmt ", badAlign) + chunk("data", pcm));
    QTest::newRow("extensible float") << riff(
        chunk("fmt ", extensibleFmtBody(1, 22050, 16,
                                        QByteArray::fromHex("0300000000001000800000aa00389b71"))) +
        chunk("data", pcm));
    QTest::newRow("extensible without its extension")
        << riff(chunk("fmt ", extensibleFmtBody(1, 22050, 16, pcmSubFormat()).left(24)) +
                chunk("data", pcm));
    QTest::newRow("data one byte past the end") << riff(fmt + chunk("data", pcm, pcm.size() + 1));
    QTest::newRow("data size 2^32 - 1") << riff(fmt + chunk("data", pcm, 0xFFFFFFFFLL));
    QTest::newRow("chunk size that wraps an offset")
        << riff(fmt + chunk("LIST", {}, 0xFFFFFFF8LL) + chunk("data", pcm));
    QTest::newRow("fmt size past the end")
        << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16), 0xFFFFFFFFLL));
    QTest::newRow("no data chunk") << riff(fmt + chunk("LIST", "abcd"));
    QTest::newRow("no fmt chunk") << riff(chunk("data", pcm));
    QTest::newRow("larger than the limit")
        << wave(1, 22050, 16, QByteArray(static_cast<qsizetype>(ovant::kMaxWaveFileBytes), '\0'));
}

void WaveReaderTest::refusesDamagedAndUnsupportedFiles() {
    QFETCH(QByteArray, file);
    QVERIFY(!ovant::readWave(file));
}

void WaveReaderTest::refusesEveryTruncationOfAWave() {
    const QByteArray file = wave(2, 22050, 16, tone(440, 20, 22050, 8000));
    QVERIFY(ovant::readWave(file));
    for (qsizetype length = 0; length < file.size(); ++length)
        QVERIFY2(!ovant::readWave(file.left(length)), qPrintable(QString::number(length)));
}

void WaveReaderTest::readsFilesAndRefusesWhatIsNoFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(wave(1, 22050, 16, tone(440, 50, 22050, 8000)));
    file.close();

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

QTEST_GUILESS_MAIN(WaveReaderTest)
#include "wave_reader_test.moc"
