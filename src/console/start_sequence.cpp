// The console's start sequence: it reports each step on the splash window,
// pausing between steps while the timers that are already on keep running.
#include <QScreen>

#include "app/mouse_cursor.h"
#include "app/random_source.h"
#include "app/screen_rules.h"
#include "app/settings_store.h"
#include "app/sound/sound_effects.h"
#include "app/texts.h"
#include "console/frame_layout.h"
#include "console/main_form.h"
#include "console/startup_reporter.h"

namespace ovant {

namespace {
const QString kCr = QString(texts::kLineBreak);
}

void MainForm::status(const QString& text) {
    if (reporter_ != nullptr) {
        reporter_->appendStatus(text);
    }
}

void MainForm::load() {
    SettingsStore& settings = *services_.settings;
    RandomSource& random = *services_.random;

    pacer_.pause(0.6);
    status(QStringLiteral(" OK"));

    settings.saveText(settings::kPath, services_.executableFolder);
    settings.saveDecimal(settings::kAniSpeed, settings::kDefaultAniSpeed);
    settings.saveWhole(settings::kAniSpeedStep, 3);

    shapeShip();

    pacer_.pause(0.3);
    status(kCr + QStringLiteral("Interface-Modus:"));

    if (services_.commandLine == QLatin1String("Mode:ScrSav")) {
        loadFormScrSav();
        return;
    }

    pacer_.pause(0.4);
    status(QStringLiteral(" Normal"));

    state_.scrSavMode = false;
    state_.panelBusy = false;
    state_.redAlertActive = false;
    state_.autoZoomOn = false;
    state_.autoZoomRndOn = false;
    services_.sounds->setSoundOn(true);

    for (int member : {0, 13, 17}) {
        frame_.captions[member]->setText(texts::signedNumber(randomNumber(random)));
    }

    loadGraphics();

    pacer_.pause(0.3);
    status(kCr + QStringLiteral("Lade Einstellungen..."));

    // A switch is read once per comparison; a value other than 0 or 1 keeps
    // the state the console had before.
    if (settings.getSwitch(settings::kShipScan) == SwitchValue::On) {
        state_.scanShips = true;
        frame_.captions[16]->setText(QStringLiteral("* Scan Ships"));
    }
    if (settings.getSwitch(settings::kShipScan) == SwitchValue::Off) {
        state_.scanShips = false;
        frame_.captions[16]->setText(QStringLiteral("Scan Ships"));
    }
    if (settings.getSwitch(settings::kAutoScan) == SwitchValue::On) {
        timers_.tmrScrSavScan->start();
        frame_.captions[8]->setText(QStringLiteral("* Auto Scan"));
    }
    if (settings.getSwitch(settings::kAutoScan) == SwitchValue::Off) {
        timers_.tmrScrSavScan->stop();
        frame_.captions[8]->setText(QStringLiteral("Auto Scan"));
    }
    state_.aniSpeed = settings.getAniSpeed(settings::kAniSpeed);
    state_.aniSpeedStep = static_cast<std::uint8_t>(settings.getWhole(settings::kAniSpeedStep));

    pacer_.pause(0.4);
    status(QStringLiteral(" OK"));

    placeWindow();
    frame_.captions[10]->setText(texts::signedNumber(randomNumber(random)));

    pacer_.pause(0.3);
    status(kCr + QStringLiteral("Bereit."));

    finishStart();
}

void MainForm::loadGraphics() {
    pacer_.pause(0.2);
    status(kCr + QStringLiteral("Lade Grafiken..."));
    setScanner();
    clearNumbers();
    initColors();
    pacer_.pause(0.5);
    status(QStringLiteral(" OK"));
}

void MainForm::placeWindow() {
    coverScreen(services_.screen);
    const Twips& t = tree().twips();
    const auto [left, top] =
        frame::centredWithShift(t.fromPixels(services_.screen.width()),
                                t.fromPixels(services_.screen.height()), frame::kPicMain);
    frame_.picMain->move(left, top);
    if (screenTakesWideBars(services_.screen.size())) {
        setOVANTBars();
    }
}

void MainForm::firstAnimation() {
    // One long tick, with the stars drawn meanwhile.
    pacer_.timer1().setInterval(1000);
    stars();
    pacer_.aniWait();
    pacer_.timer1().setInterval(Pacer::kTickMs);
}

void MainForm::showConsole() {
    if (services_.sounds->soundOn()) {
        services_.sounds->playSound(QStringLiteral("3.wav"));
    }
    setGeometry(services_.screen);
    showFullScreen();
    flush();
    if (reporter_ != nullptr) {
        reporter_->finish();
        reporter_ = nullptr;
    }
}

void MainForm::finishStart() {
    firstAnimation();
    showConsole();
    MouseCursor::show();
}

void MainForm::loadFormScrSav() {
    SettingsStore& settings = *services_.settings;
    RandomSource& random = *services_.random;

    pacer_.pause(0.4);
    status(QStringLiteral(" Bildschirmschoner"));
    state_.scrSavMode = true;
    // No caption shows a command word while the console runs as screen saver.
    for (int member : {0, 8, 9, 10, 11, 12, 13, 14, 16, 15, 17}) {
        frame_.captions[member]->setText(texts::signedNumber(randomNumber(random)));
    }

    loadGraphics();

    pacer_.pause(0.3);
    status(kCr + QStringLiteral("Lade Einstellungen..."));
    if (settings.getSwitch(settings::kScrShipScan) == SwitchValue::On) {
        state_.scanShips = true;
    }
    if (settings.getSwitch(settings::kScrShipScan) == SwitchValue::Off) {
        state_.scanShips = false;
    }
    if (settings.getSwitch(settings::kScrSound) == SwitchValue::On) {
        services_.sounds->setSoundOn(true);
    }
    if (settings.getSwitch(settings::kScrSound) == SwitchValue::Off) {
        services_.sounds->setSoundOn(false);
    }
    state_.aniSpeed = settings.getAniSpeed(settings::kScrAniSpeed);
    pacer_.pause(0.4);
    status(QStringLiteral(" OK"));

    placeWindow();
    pacer_.pause(0.3);
    status(kCr + QStringLiteral("Bereit."));

    firstAnimation();
    frame_.captions[9]->setText(texts::signedNumber(randomNumber(random)));
    showConsole();
    // The pointer stays hidden for the whole screen-saver run.
    timers_.tmrScrSavScan->start();
}

void MainForm::exitConsole() {
    services_.sounds->playSound2();
    MouseCursor::show();
    if (services_.endProcess) {
        services_.endProcess();
    }
}

}  // namespace ovant
