// SDL maps a score of libraries once loaded, so the programs open it only
// when the first sound really plays. Whether it is loaded is read from the
// process's own memory map: a test in its own process, which nothing else
// has made play yet.
#include "platform/sound/sdl_library.h"
#include "platform/sound/sdl_sound_player.h"
#include "platform/sound/sound_effects.h"
#include "wave_bytes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace wavebytes;

namespace {

bool sdlMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2");
}

}  // namespace

class SdlLibraryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
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

    void sdlIsMappedOnlyOnceTheFirstSoundReallyPlays() {
        QTemporaryDir folder;
        const QByteArray sound = tone(660, 200, 44100, 8000);
        for (const char* name : {"2.wav", "10.wav"})
            QVERIFY(writeFile(folder.filePath(QLatin1String(name)), wave(1, 44100, 16, sound)));
        QVERIFY(writeFile(folder.filePath("garbage.wav"), QByteArray(4000, '\x5a')));
        const QString recording = folder.filePath(QStringLiteral("played.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(recording));
        QVERIFY(!sdlMapped());
        {
            ovant::SdlSoundPlayer player;
            ovant::SoundEffects sounds(player, folder.path());
            // A console with its sound off: the helpers that obey the switch stay
            // quiet, and files that cannot play are read and dropped without SDL.
            sounds.setSoundOn(false);
            sounds.playSound2();
            sounds.playSound10();
            player.playAsync(folder.filePath("garbage.wav"));
            player.playSync(folder.filePath("missing.wav"));
            QVERIFY(!sdlMapped());

            sounds.setSoundOn(true);
            sounds.playSound2();
            QVERIFY(sdlMapped());
            QVERIFY(player.deviceOpen());
        }
        // The disk driver's file is complete once the device has closed.
        QFile file(recording);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(sound));
    }
};

QTEST_GUILESS_MAIN(SdlLibraryTest)
#include "sdl_library_test.moc"