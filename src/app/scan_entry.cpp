#include "app/scan_entry.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "app/main_form.h"
#include "elements/picture_store.h"
#include "platform/console_scale.h"
#include "platform/data_folder.h"
#include "platform/end_signals.h"
#include "platform/frame_transfer.h"
#include "platform/host_window.h"
#include "platform/lean_memory.h"
#include "platform/no_display.h"
#include "platform/plain_event_loop.h"
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
    // Runs for hours as a screen saver: what it frees must go back.
    keepFreedMemoryReturned();
    preferPlainEventLoop();
    preferCopiedFrames();
    std::optional<NoDisplayGuard> noDisplay(std::in_place, QStringLiteral("OVANT-Scan"));
    QApplication app(argc, argv);
    noDisplay.reset();
    // SIGTERM and the like end the program between two steps, at once and
    // without the leaving sound; every setting is on disk already.
    endOnRequest([] { endProcessNow(0); });
    QApplication::setApplicationName(QString::fromLatin1(settings::kApplication));

    const ScanMode mode = scanMode(commandLineText(QCoreApplication::arguments()));
    // As screen saver inside a daemon's window: the daemon starts one console
    // per window (a preview beside a running saver, a new one before the old
    // has gone), so no instance may end another's, and the window's size,
    // however small, is what the daemon chose, so nothing is refused.
    const WId host = mode == ScanMode::ScreenSaver ? hostWindowFromEnvironment().value_or(0) : 0;
    const std::optional<QSize> hostSize = host != 0 ? foreignWindowSize(host) : std::nullopt;
    if (host && !hostSize) {
        return 0;  // the window is gone: nothing to draw in
    }
    if (host) {
        endWithParentProcess();
    }

    std::optional<SingleInstance> instance;
    if (!host) {
        instance.emplace(QStringLiteral("OVANT-Scan"));
        if (!instance->acquired()) {
            return 0;
        }
    }

    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect screenRect = hostSize            ? QRect(QPoint(0, 0), *hostSize)
                             : screen != nullptr ? screen->geometry()
                                                 : QRect(0, 0, 1024, 768);
    if (!host && screenTooSmall(screenRect.size())) {
        QMessageBox box(QMessageBox::Critical, texts::screenTooSmallTitle(),
                        displayText(texts::screenTooSmallText()), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    SystemRandom random;
    SettingsStore settings;
    SdlSoundPlayer player;
    // Beside the program in the build folder, in the data folder when installed;
    // "Options"/"Path" stays the program's own folder all the same.
    SoundEffects sounds(player, dataFolder(QCoreApplication::applicationDirPath()));
    PictureStore pictures;
    // The one factor by which every window of the console is drawn larger
    // (or, with "fit" on a small screen, smaller) than designed.
    // In a daemon's window as stored too, but never larger than the window.
    const QString scaleSetting = settings.getText(settings::kScale);
    const double factor = host ? std::min(scale::consoleScale(screenRect.size(), scaleSetting),
                                          scale::fitFactor(screenRect.size()))
                               : scale::consoleScale(screenRect.size(), scaleSetting);
    const Twips twips(factor);

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

    // A daemon's window shows the console only; no splash pops up beside it.
    std::optional<SplashWindow> splash;
    if (!host) {
        splash.emplace(twips, &pictures, random, screenRect);
        splash->load();
        splash->setStatus(QStringLiteral("Initialisiere OVANT-Interface..."));
    }

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
    services.hostWindow = static_cast<quintptr>(host);

    MainForm console(services, splash ? &*splash : nullptr);
    sounds.setBeforeBlocking([&console] { console.flush(); });
    // Panels, zoom views and ships come and go for hours; once a minute the
    // pages they freed inside the heap go back to the system.
    QTimer giveBack;
    giveBack.setTimerType(Qt::VeryCoarseTimer);
    QObject::connect(&giveBack, &QTimer::timeout, [] { returnFreedMemory(); });
    giveBack.start(60 * 1000);
    console.load();
    return QApplication::exec();
}

}  // namespace ovant
