#include "platform/sound/sdl_sound_player.h"
#include "wave_bytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

using namespace wavebytes;

// SDL's disk driver writes, at the pace of a real card, exactly what the device
// plays (silence included) into a file; the test waves are in the device's own
// format, so they appear in that file byte for byte.
class SdlSoundPlayerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void synchronousPlayLastsAsLongAsTheSound();
    void anAsynchronousSoundReturnsAtOnceAndCutsTheOnePlaying();
    void unplayableFilesPlayNothingAndLeaveTheSoundPlaying();
    void otherWaveFormatsAreConvertedForTheDevice();
    void aDriverThatCannotStartFallsBackToTheDummyDriver();
    void theDeviceClosesOnceQuietAndTheNextSoundPlaysInFull();

private:
    QString path(const QString& name) const { return QDir(m_folder).filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray playedOutput() const;

    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_folder;
    QString m_outputFile;
    QByteArray m_low;   // 300 ms at 440 Hz
    QByteArray m_high;  // 200 ms at 880 Hz
};

namespace {

constexpr int kRate = 44100;

qint64 millisecondsTaken(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.elapsed();
}

}  // namespace

void SdlSoundPlayerTest::initTestCase() {
    m_folder = qEnvironmentVariable("OVANT_TEST_SANDBOX");
    if (m_folder.isEmpty()) {
        m_temporary = std::make_unique<QTemporaryDir>();
        m_folder = m_temporary->path();
    }
    QVERIFY(QDir().mkpath(m_folder));

    m_low = tone(440, 300, kRate, 10000);
    m_high = tone(880, 200, kRate, 6000);
    writeFile(QStringLiteral("low.wav"), wave(1, kRate, 16, m_low));
    writeFile(QStringLiteral("high.wav"), wave(1, kRate, 16, m_high));
    writeFile(QStringLiteral("garbage.wav"), QByteArray(4000, '\x5a'));
    // The truncated file still holds 250 ms of the tone after its header.
    writeFile(QStringLiteral("truncated.wav"), wave(1, kRate, 16, m_low).left(22050));
}

void SdlSoundPlayerTest::init() {
    m_outputFile = path(QStringLiteral("%1.raw").arg(QLatin1String(QTest::currentTestFunction())));
    QFile::remove(m_outputFile);
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_outputFile));
}

void SdlSoundPlayerTest::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray SdlSoundPlayerTest::playedOutput() const {
    QFile file(m_outputFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SdlSoundPlayerTest::synchronousPlayLastsAsLongAsTheSound() {
    ovant::SdlSoundPlayer player;
    for (int round = 0; round < 2; ++round) {
        const qint64 taken =
            millisecondsTaken([&] { player.playSync(path(QStringLiteral("low.wav"))); });
        QVERIFY2(taken >= 300 && taken < 1500, qPrintable(QString::number(taken)));
    }
}

void SdlSoundPlayerTest::anAsynchronousSoundReturnsAtOnceAndCutsTheOnePlaying() {
    {
        ovant::SdlSoundPlayer player;
        // The first call also opens the device.
        QVERIFY(millisecondsTaken([&] { player.playAsync(path(QStringLiteral("low.wav"))); }) <
                150);
        QThread::msleep(100);
        QVERIFY(millisecondsTaken([&] { player.playAsync(path(QStringLiteral("high.wav"))); }) <
                100);
        QThread::msleep(400);
    }
    const QByteArray output = playedOutput();
    QVERIFY(output.contains(m_low.left(1024)));
    QVERIFY(!output.contains(m_low));
    QVERIFY(output.contains(m_high));
}

void SdlSoundPlayerTest::unplayableFilesPlayNothingAndLeaveTheSoundPlaying() {
    const QStringList unplayable = {QStringLiteral("missing.wav"), QStringLiteral("garbage.wav"),
                                    QStringLiteral("truncated.wav"), QString()};
    {
        ovant::SdlSoundPlayer player;
        for (const QString& name : unplayable) {
            QVERIFY(millisecondsTaken([&] { player.playSync(path(name)); }) < 100);
            player.playAsync(path(name));
        }
        player.playAsync(path(QStringLiteral("low.wav")));
        QThread::msleep(50);
        for (const QString& name : unplayable) {
            player.playAsync(path(name));
            QVERIFY(millisecondsTaken([&] { player.playSync(path(name)); }) < 100);
        }
        QThread::msleep(450);
    }
    QByteArray output = playedOutput();
    const qsizetype start = output.indexOf(m_low);
    QVERIFY(start >= 0);
    // Apart from the one good sound, the device played only silence.
    output.remove(start, m_low.size());
    QCOMPARE(output.count('\0'), output.size());
}

void SdlSoundPlayerTest::otherWaveFormatsAreConvertedForTheDevice() {
    // 200 ms of 8-bit stereo at 22050 Hz: unsigned samples swinging 60 steps
    // either side of the middle, the same in both channels.
    QByteArray pcm;
    for (int i = 0; i < 4410; ++i) {
        const auto v = static_cast<char>(
            128 + std::lround(60 * std::sin(2.0 * std::numbers::pi * 440 * i / 22050)));
        pcm += v;
        pcm += v;
    }
    writeFile(QStringLiteral("stereo8.wav"), wave(2, 22050, 8, pcm));
    {
        ovant::SdlSoundPlayer player;
        player.playSync(path(QStringLiteral("stereo8.wav")));
    }
    const QByteArray output = playedOutput();
    qsizetype first = -1;
    qsizetype last = -1;
    double sum = 0.0;
    int peak = 0;
    for (qsizetype i = 0; i + 1 < output.size(); i += 2) {
        const int sample = qFromLittleEndian<qint16>(output.constData() + i);
        if (std::abs(sample) > 256) {
            first = first < 0 ? i / 2 : first;
            last = i / 2;
        }
        sum += sample;
        peak = std::max(peak, std::abs(sample));
    }
    QVERIFY(first >= 0);
    const qsizetype samples = last - first + 1;
    QVERIFY2(std::abs(samples - kRate / 5) < kRate / 100, qPrintable(QString::number(samples)));
    // Centred on zero at the 16-bit level of the 8-bit swing (60 x 256).
    QVERIFY2(std::abs(sum / static_cast<double>(samples)) < 300,
             qPrintable(QString::number(sum / samples)));
    QVERIFY2(peak > 13000 && peak < 18000, qPrintable(QString::number(peak)));
}

void SdlSoundPlayerTest::aDriverThatCannotStartFallsBackToTheDummyDriver() {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    ovant::SdlSoundPlayer player;
    // Only a device that really plays makes a synchronous sound take its time.
    const qint64 taken =
        millisecondsTaken([&] { player.playSync(path(QStringLiteral("high.wav"))); });
    QVERIFY2(taken >= 200 && taken < 1500, qPrintable(QString::number(taken)));
}

void SdlSoundPlayerTest::theDeviceClosesOnceQuietAndTheNextSoundPlaysInFull() {
    // Closed after 50 ms of quiet: far less than the sound lasts, so closing
    // while the sound still plays would cut it.
    ovant::SdlSoundPlayer player(50);
    player.playAsync(path(QStringLiteral("low.wav")));
    QVERIFY(player.deviceOpen());
    QVERIFY(QTest::qWaitFor([&] { return !player.deviceOpen(); }, 5000));
    QVERIFY(playedOutput().contains(m_low));

    // The disk driver starts its file afresh when the device opens again.
    const qint64 taken =
        millisecondsTaken([&] { player.playSync(path(QStringLiteral("high.wav"))); });
    QVERIFY2(taken >= 200 && taken < 1500, qPrintable(QString::number(taken)));
    QVERIFY(QTest::qWaitFor([&] { return !player.deviceOpen(); }, 5000));
    QVERIFY(playedOutput().contains(m_high));
}

QTEST_GUILESS_MAIN(SdlSoundPlayerTest)
#include "sdl_sound_player_test.moc"
