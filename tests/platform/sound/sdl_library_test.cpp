#include "platform/sound/sdl_library.h"
#include "platform/sound/sdl_sound_player.h"
#include "platform/sound/sound_effects.h"
#include "wave_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace wavebytes;

// SDL maps a score of libraries once loaded, so the programs open it only
// when the first sound really plays. Whether it is loaded is read from the
// process's own memory map: a test in its own process, which nothing else
// has made play yet.
class SdlLibraryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void aMissingLibraryOrFunctionMeansNoAudio();
    void sdlIsMappedOnlyOnceTheFirstSoundReallyPlays();

private:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const;

    QTemporaryDir m_folder;
    QByteArray m_tone;
};

namespace {

bool sdlMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2");
}

}  // namespace

void SdlLibraryTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    m_tone = tone(660, 200, 44100, 8000);
    for (const char* name : {"1.wav", "2.wav", "9.wav", "10.wav"})
        writeFile(QLatin1String(name), wave(1, 44100, 16, m_tone));
    writeFile(QStringLiteral("garbage.wav"), QByteArray(4000, '\x5a'));
}

void SdlLibraryTest::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void SdlLibraryTest::aMissingLibraryOrFunctionMeansNoAudio() {
    QString error;
    QVERIFY(!ovant::loadSdlFunctions(QStringLiteral("ovant-no-such-library"), 0, &error));
    QVERIFY(!error.isEmpty());

    // A library that loads but is not SDL: half a table would crash on the
    // first missing call, so none is given.
    error.clear();
#ifdef Q_OS_WIN
    QVERIFY(!ovant::loadSdlFunctions(QStringLiteral("Qt6Core"), -1, &error));
#else
    QVERIFY(!ovant::loadSdlFunctions(QStringLiteral("Qt6Core"), 6, &error));
#endif
    QVERIFY2(error.contains(QLatin1String("lacks SDL_")), qPrintable(error));
}

void SdlLibraryTest::sdlIsMappedOnlyOnceTheFirstSoundReallyPlays() {
#ifndef Q_OS_LINUX
    QSKIP("reads the process's memory map from /proc");
#endif
    const QString recording = path(QStringLiteral("played.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(recording));
    QVERIFY(!sdlMapped());

    {
        ovant::SdlSoundPlayer player;
        ovant::SoundEffects sounds(player, m_folder.path());
        // A console with its sound off: the helpers that obey the switch stay
        // quiet, and files that cannot play are read and dropped without SDL.
        sounds.setSoundOn(false);
        sounds.playSound2();
        sounds.playSound10();
        player.playAsync(path(QStringLiteral("garbage.wav")));
        player.playSync(path(QStringLiteral("missing.wav")));
        QVERIFY(!sdlMapped());

        sounds.setSoundOn(true);
        sounds.playSound2();
        QVERIFY(sdlMapped());
        QVERIFY(player.deviceOpen());
    }
    // The disk driver's file is complete once the device has closed.
    QFile file(recording);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(m_tone));
}

QTEST_GUILESS_MAIN(SdlLibraryTest)
#include "sdl_library_test.moc"
