#include "app/scan_entry.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <optional>

#include "app/main_form.h"
#include "elements/picture_store.h"
#include "platform/end_signals.h"
#include "platform/no_display.h"
#include "platform/process_end.h"
#include "platform/random_source.h"
#include "platform/screen_rules.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/sound/sdl_sound_player.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "windows/info_window.h"
#include "windows/splash_window.h"

namespace ovant {

QString commandLineText(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

ScanMode scanMode(const QString& commandLine) {
    if (commandLine == QLatin1String("Mode:ShowInfo")) {
        return ScanMode::ShowInfo;
    }
    if (commandLine == QLatin1String("Mode:ScrSav")) {
        return ScanMode::ScreenSaver;
    }
    return ScanMode::Normal;
}

namespace {

QString displayText(QString text) {
    return text.replace(texts::kLineBreak, QLatin1Char('\n'));
}

}  // namespace

int runScan(int argc, char** argv) {
    std::optional<NoDisplayGuard> noDisplay(std::in_place, QStringLiteral("OVANT-Scan"));
    QApplication app(argc, argv);
    noDisplay.reset();
    // SIGTERM and the like end the program between two steps, at once and
    // without the leaving sound; every setting is on disk already.
    endOnRequest([] { endProcessNow(0); });
    QApplication::setApplicationName(QString::fromLatin1(settings::kApplication));

    const SingleInstance instance(QStringLiteral("OVANT-Scan"));
    if (!instance.acquired()) {
        return 0;
    }

    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (screenTooSmall(screenRect.size())) {
        QMessageBox box(QMessageBox::Critical, texts::screenTooSmallTitle(),
                        displayText(texts::screenTooSmallText()), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    const ScanMode mode = scanMode(commandLineText(QCoreApplication::arguments()));
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    SystemRandom random;
    SettingsStore settings;
    SdlSoundPlayer player;
    SoundEffects sounds(player, QCoreApplication::applicationDirPath());
    PictureStore pictures;
    const Twips twips;

    // The info window alone: no splash, no console; leaving it ends the program.
    if (mode == ScanMode::ShowInfo) {
        InfoWindow::Setup setup;
        setup.opening = InfoWindow::Opening::Alone;
        setup.screen = screenRect;
        setup.sounds = &sounds;
        setup.random = &random;
        // The console's start has not stored a speed; the help page asks the store.
        setup.aniSpeed = [&settings] { return settings.getAniSpeed(settings::kAniSpeed); };
        setup.endProgram = [] { endProcessNow(0); };
        InfoWindow info(twips, &pictures, setup);
        sounds.setBeforeBlocking([&info] { info.flush(); });
        info.load();
        return QApplication::exec();
    }

    SplashWindow splash(twips, &pictures, random, screenRect);
    splash.load();
    splash.setStatus(QStringLiteral("Initialisiere OVANT-Interface..."));

    ConsoleServices services;
    services.random = &random;
    services.settings = &settings;
    services.sounds = &sounds;
    services.pictures = &pictures;
    services.endProcess = [] { endProcessNow(0); };
    services.mode = mode == ScanMode::ScreenSaver ? StartMode::ScreenSaver : StartMode::Normal;
    services.executableFolder = folder;
    services.screen = screenRect;
    services.twips = twips;

    MainForm console(services, &splash);
    sounds.setBeforeBlocking([&console] { console.flush(); });
    console.load();
    return QApplication::exec();
}

}  // namespace ovant
