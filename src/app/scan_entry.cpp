#include "app/scan_entry.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>

#include "app/process_end.h"
#include "app/random_source.h"
#include "app/screen_rules.h"
#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/sound/sdl_sound_player.h"
#include "app/sound/sound_effects.h"
#include "app/texts.h"
#include "console/main_form.h"
#include "console/picture_store.h"
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
    QApplication app(argc, argv);
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

    const QString commandLine = commandLineText(QCoreApplication::arguments());
    if (scanMode(commandLine) == ScanMode::ShowInfo) {
        auto* info = new InfoWindow;
        info->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(info, &InfoWindow::left, [] { endProcessNow(0); });
        info->move(0, 0);
        info->show();
        info->raise();
        return QApplication::exec();
    }

    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    SystemRandom random;
    SettingsStore settings;
    SdlSoundPlayer player;
    SoundEffects sounds(player, QCoreApplication::applicationDirPath());
    PictureStore pictures;
    const Twips twips;

    SplashWindow splash(twips, &pictures, random, screenRect);
    splash.load();
    splash.setStatus(QStringLiteral("Initialisiere OVANT-Interface..."));

    ConsoleServices services;
    services.random = &random;
    services.settings = &settings;
    services.sounds = &sounds;
    services.pictures = &pictures;
    services.endProcess = [] { endProcessNow(0); };
    services.commandLine = commandLine;
    services.executableFolder = folder;
    services.screen = screenRect;
    services.twips = twips;

    MainForm console(services, &splash);
    sounds.setBeforeBlocking([&console] { console.flush(); });
    console.load();
    return QApplication::exec();
}

}  // namespace ovant
