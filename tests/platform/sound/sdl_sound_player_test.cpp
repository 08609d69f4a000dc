// SDL's disk driver writes, at the pace of a real card, exactly what the device
// plays (silence included) into a file; the test waves are in the device's own
// format, so they appear in that file byte for byte.
#include "platform/sound/sdl_sound_player.h"
#include "platform/sound/sdl_library.h"
#include "platform/sound/sound_effects.h"
#include "wave_bytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>

using namespace wavebytes;

namespace {

constexpr int kRate = 44100;

qint64 msTaken(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.elapsed();
}

bool sdlMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2");
}

}  // namespace

class SdlSoundPlayerTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_temporary;
    QString m_folder;
    QString m_output;
    QByteArray m_low = tone(440, 300, kRate, 10000);
    QByteArray m_high = tone(880, 200, kRate, 6000);

    QString path(const QString& name) const { return QDir(m_folder).filePath(name); }
    QByteArray played() const {
        QFile file(m_output);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A synchronous sound takes its time on a device that really plays.
    void syncTakesItsTime(ovant::SdlSoundPlayer& player, const char* name, int ms) {
        const qint64 taken = msTaken([&] { player.playSync(path(QLatin1String(name))); });
        QVERIFY2(taken >= ms && taken < 1500, qPrintable(QString::number(taken)));
    }

private Q_SLOTS:
    void initTestCase() {
        m_folder = qEnvironmentVariable("OVANT_TEST_SANDBOX", m_temporary.path());
        QVERIFY(QDir().mkpath(m_folder));
        QVERIFY(writeFile(path("low.wav"), wave(1, kRate, 16, m_low)));
        for (const char* name : {"high.wav", "2.wav", "10.wav"})
            QVERIFY(writeFile(path(QLatin1String(name)), wave(1, kRate, 16, m_high)));
        QVERIFY(writeFile(path("garbage.wav"), QByteArray(4000, '\x5a')));
        // The truncated file still holds 250 ms of the tone after its header.
        QVERIFY(writeFile(path("truncated.wav"), wave(1, kRate, 16, m_low).left(22050)));
    }

    void init() {
        m_output = path(QLatin1String(QTest::currentTestFunction()) + QStringLiteral(".raw"));
        QFile::remove(m_output);
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_output));
    }

    // SDL maps a score of libraries once loaded, so the programs open it only
    // when the first sound really plays. Whether it is loaded is read from the
    // process's own memory map, so this runs before any other test plays.
    void sdlIsMappedOnlyOnceTheFirstSoundReallyPlays() {
        QVERIFY(!sdlMapped());
        {
            ovant::SdlSoundPlayer player;
            ovant::SoundEffects sounds(player, m_folder);
            // A console with its sound off: the helpers that obey the switch stay
            // quiet, and files that cannot play are read and dropped without SDL.
            sounds.setSoundOn(false);
            sounds.playSound2();
            sounds.playSound10();
            player.playAsync(path("garbage.wav"));
            player.playSync(path("missing.wav"));
            QVERIFY(!sdlMapped());
            sounds.setSoundOn(true);
            sounds.playSound2();
            QVERIFY(sdlMapped());
            QVERIFY(player.deviceOpen());
        }
        // The disk driver's file is complete once the device has closed.
        QVERIFY(played().contains(m_high));
    }

    void aMissingLibraryOrFunctionMeansNoAudio() {
        QString error;
        QVERIFY(!ovant::loadSdlFunctions(QStringLiteral("ovant-no-such-library"), 0, &error));
        QVERIFY(!error.isEmpty());
        // A library that loads but is not SDL: half a table would crash on the
        // first missing call, so none is given.
        error.clear();
        QVERIFY(!ovant::loadSdlFunctions(QStringLiteral("Qt6Core"), 6, &error));
        QVERIFY2(error.contains(QLatin1String("lacks SDL_")), qPrintable(error));
    }

    // A driver that cannot start falls back to the dummy driver, which
    // keeps time like a real one.
    void synchronousPlayLastsAsLongAsTheSound() {
        for (const char* driver : {"disk", "no-such-driver"}) {
            qputenv("SDL_AUDIODRIVER", driver);
            ovant::SdlSoundPlayer player;
            for (int round = 0; round < 2; ++round) syncTakesItsTime(player, "low.wav", 300);
        }
    }

    void anAsynchronousSoundReturnsAtOnceAndCutsTheOnePlaying() {
        {
            ovant::SdlSoundPlayer player;
            // The first call also opens the device.
            QVERIFY(msTaken([&] { player.playAsync(path("low.wav")); }) < 150);
            QThread::msleep(100);
            QVERIFY(msTaken([&] { player.playAsync(path("high.wav")); }) < 100);
            QThread::msleep(400);
        }
        const QByteArray output = played();
        QVERIFY(output.contains(m_low.left(1024)));
        QVERIFY(!output.contains(m_low));
        QVERIFY(output.contains(m_high));
    }

    void unplayableFilesPlayNothingAndLeaveTheSoundPlaying() {
        const QStringList unplayable = {"missing.wav", "garbage.wav", "truncated.wav", QString()};
        {
            ovant::SdlSoundPlayer player;
            for (int pass = 0; pass < 2; ++pass) {
                for (const QString& name : unplayable) {
                    QVERIFY(msTaken([&] { player.playSync(path(name)); }) < 100);
                    player.playAsync(path(name));
                }
                if (pass == 0) {
                    player.playAsync(path("low.wav"));
                    QThread::msleep(50);
                }
            }
            QThread::msleep(450);
        }
        QByteArray output = played();
        const qsizetype start = output.indexOf(m_low);
        QVERIFY(start >= 0);
        // Apart from the one good sound, the device played only silence.
        output.remove(start, m_low.size());
        QCOMPARE(output.count('\0'), output.size());
    }

    void otherWaveFormatsAreConvertedForTheDevice() {
        // 200 ms of 8-bit stereo at 22050 Hz: unsigned samples swinging 60 steps
        // either side of the middle, the same in both channels.
        QByteArray pcm;
        for (int i = 0; i < 4410; ++i)
            pcm += QByteArray(
                2,
                char(128 + std::lround(60 * std::sin(2.0 * std::numbers::pi * 440 * i / 22050))));
        QVERIFY(writeFile(path("stereo8.wav"), wave(2, 22050, 8, pcm)));
        ovant::SdlSoundPlayer().playSync(path("stereo8.wav"));
        const QByteArray output = played();
        qsizetype first = -1, last = -1;
        double sum = 0.0;
        int peak = 0;
        for (qsizetype i = 0; i < output.size() / 2; ++i) {
            const int sample = sample16(output, i);
            if (std::abs(sample) > 256) {
                first = first < 0 ? i : first;
                last = i;
            }
            sum += sample;
            peak = std::max(peak, std::abs(sample));
        }
        QVERIFY(first >= 0);
        const qsizetype samples = last - first + 1;
        QVERIFY2(std::abs(samples - kRate / 5) < kRate / 100, qPrintable(QString::number(samples)));
        // Centred on zero at the 16-bit level of the 8-bit swing (60 x 256).
        QVERIFY2(std::abs(sum / double(samples)) < 300, qPrintable(QString::number(sum / samples)));
        QVERIFY2(peak > 13000 && peak < 18000, qPrintable(QString::number(peak)));
    }

    void theDeviceClosesOnceQuietAndTheNextSoundPlaysInFull() {
        // Closed after 50 ms of quiet: far less than the sound lasts, so closing
        // while the sound still plays would cut it.
        ovant::SdlSoundPlayer player(50);
        player.playAsync(path("low.wav"));
        QVERIFY(player.deviceOpen());
        QVERIFY(QTest::qWaitFor([&] { return !player.deviceOpen(); }, 5000));
        QVERIFY(played().contains(m_low));

        // The disk driver starts its file afresh when the device opens again.
        syncTakesItsTime(player, "high.wav", 200);
        QVERIFY(QTest::qWaitFor([&] { return !player.deviceOpen(); }, 5000));
        QVERIFY(played().contains(m_high));
    }
};

QTEST_GUILESS_MAIN(SdlSoundPlayerTest)
#include "sdl_sound_player_test.moc"