#include "saver_module/schirm_entry.h"

#include <QApplication>
#include <QMessageBox>
#include <optional>

#include "platform/data_folder.h"
#include "platform/host_window.h"
#include "platform/no_display.h"
#include "platform/process_launch.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"
#include "platform/sound/sdl_sound_player.h"
#include "platform/sound/sound_effects.h"
#include "saver_module/daemon_request.h"
#include "saver_module/schirm_mode.h"
#include "saver_module/schirm_texts.h"
#include "saver_module/settings_window.h"

namespace ovant {

namespace {

void showMessage(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, schirm_texts::forDisplay(text), QMessageBox::Ok);
    box.exec();
}

int runScreenSaver(int argc, char** argv) {
    const SettingsStore settings;
    const QString folder = settings.getText(settings::kPath);
    // No window and no event loop while the console runs: the module only
    // stands for it towards the system.
    int exitCode = 0;
    if (!runAndWait(consoleProgram(folder), {QStringLiteral("Mode:ScrSav")}, &exitCode)) {
        // A console that could not run (no display, say) is a failed run of
        // the screen saver too.
        return exitCode == 0 ? 0 : 1;
    }
    std::optional<NoDisplayGuard> noDisplay(std::in_place, QStringLiteral("OVANT-Schirm"));
    QApplication app(argc, argv);
    noDisplay.reset();
    showMessage(schirm_texts::pathUnknownTitle(), schirm_texts::pathUnknownText());
    return 0;
}

int runSettings(int argc, char** argv) {
    std::optional<NoDisplayGuard> noDisplay(std::in_place, QStringLiteral("OVANT-Schirm"));
    QApplication app(argc, argv);
    noDisplay.reset();
    // The window ends the module itself, once its panel has come down.
    QApplication::setQuitOnLastWindowClosed(false);
    SettingsStore settings;
    SystemRandom random;
    SdlSoundPlayer player;
    // The console's sounds, found from the folder it stored for itself.
    SoundEffects sounds(player, dataFolder(settings.getText(settings::kPath)));

    SchirmServices services;
    services.settings = &settings;
    services.random = &random;
    services.playSound = [&sounds](const QString& file) { sounds.playSound(file); };
    services.startDetached = &startDetached;
    services.showMessage = &showMessage;

    SettingsWindow window(services);
    QObject::connect(&window, &SettingsWindow::finished, &app, &QCoreApplication::quit);
    window.open();
    return QApplication::exec();
}

// ---- Screen-saver daemons of the X desktops ----

// The daemon's arguments instead of "/s": the console runs as screen saver,
// over the whole screen or inside the daemon's window, which it learns from
// the environment it inherits.
std::optional<int> runForDaemon(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const DaemonRequest request =
        daemonRequest(arguments, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
    switch (request.kind) {
        case DaemonRequest::Kind::None:
            return std::nullopt;
        case DaemonRequest::Kind::Broken:
            return 0;
        case DaemonRequest::Kind::Root:
            return runScreenSaver(argc, argv);
        case DaemonRequest::Kind::Window:
            qputenv(kHostWindowVariable, QByteArray::number(request.window));
            return runScreenSaver(argc, argv);
    }
    return 0;
}

}  // namespace

int runSchirm(int argc, char** argv) {
    // Only a daemon's window id, set below, may send the console into a
    // window; one inherited from elsewhere must not.
    qunsetenv(kHostWindowVariable);
    if (const std::optional<int> daemonRun = runForDaemon(argc, argv)) {
        return *daemonRun;
    }
    switch (schirmMode(schirmCommandLine(argc, argv))) {
        case SchirmMode::Run:
            return runScreenSaver(argc, argv);
        case SchirmMode::Configure:
            return runSettings(argc, argv);
        case SchirmMode::Nothing:
            break;
    }
    return 0;
}

}  // namespace ovant
