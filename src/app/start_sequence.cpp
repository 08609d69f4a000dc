// The console's start sequence: it reports each step on the splash window,
// pausing between steps while the timers that are already on keep running.
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "alert/red_alert.h"
#include "app/main_form.h"
#include "console/frame_animation.h"
#include "console/frame_layout.h"
#include "console/number_panel.h"
#include "console/startup_reporter.h"
#include "console/timings.h"
#include "elements/picture_store.h"
#include "platform/host_window.h"
#include "platform/mouse_cursor.h"
#include "platform/outline_cut.h"
#include "platform/random_source.h"
#include "platform/screen_rules.h"
#include "platform/settings_store.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "platform/window_roles.h"
#include "scene/scanner.h"
#include "scene/sector_scene.h"
#include "screensaver/saver_start.h"
#include "screensaver/screen_cover.h"

namespace ovant {

namespace {
const QString kCr = QString(texts::kLineBreak);
}

void MainForm::status(const QString& text) {
    if (reporter_ != nullptr) {
        reporter_->appendStatus(text);
    }
}

bool MainForm::startPause(double seconds) {
    return pacer_.pause(seconds, startTurn_);
}

void MainForm::load() {
    // Closing the window or ending the console during the start ends it.
    startTurn_ = startLane_.take();
    SettingsStore& settings = *services_.settings;
    RandomSource& random = *services_.random;

    if (!startPause(timing::start::kFirstStatus)) {
        return;
    }
    status(QStringLiteral(" OK"));

    settings.saveText(settings::kPath, services_.executableFolder);
    settings.saveDecimal(settings::kAniSpeed, settings::kDefaultAniSpeed);
    settings.saveWhole(settings::kAniSpeedStep, 3);

    shapeShip();

    if (!startPause(timing::start::kModeQuestion)) {
        return;
    }
    status(kCr + QStringLiteral("Interface-Modus:"));

    if (services_.mode == StartMode::ScreenSaver) {
        loadFormScrSav();
        return;
    }

    if (!startPause(timing::start::kModeAnswer)) {
        return;
    }
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

    if (!loadGraphics()) {
        return;
    }

    if (!loadSettings([this] { readOptions(); })) {
        return;
    }

    placeWindow();
    frame_.captions[10]->setText(texts::signedNumber(randomNumber(random)));

    if (!startPause(timing::start::kReady)) {
        return;
    }
    status(kCr + QStringLiteral("Bereit."));

    if (!firstAnimation()) {
        return;
    }
    showConsole();
    MouseCursor::show();
}

bool MainForm::loadSettings(const std::function<void()>& read) {
    if (!startPause(timing::start::kSettingsQuestion)) {
        return false;
    }
    status(kCr + QStringLiteral("Lade Einstellungen..."));
    read();
    if (!startPause(timing::start::kSettingsAnswer)) {
        return false;
    }
    status(QStringLiteral(" OK"));
    return true;
}

void MainForm::readOptions() {
    const SettingsStore& settings = *services_.settings;
    applySwitch(settings, settings::kShipScan, [this](bool on) {
        state_.scanShips = on;
        frame_.captions[16]->setText(on ? QStringLiteral("* Scan Ships")
                                        : QStringLiteral("Scan Ships"));
    });
    applySwitch(settings, settings::kAutoScan, [this](bool on) {
        if (on) {
            timers_.tmrScrSavScan->start();
        } else {
            timers_.tmrScrSavScan->stop();
        }
        frame_.captions[8]->setText(on ? QStringLiteral("* Auto Scan")
                                       : QStringLiteral("Auto Scan"));
    });
    state_.aniSpeed = settings.getAniSpeed(settings::kAniSpeed);
    state_.aniSpeedStep = static_cast<std::uint8_t>(settings.getWhole(settings::kAniSpeedStep));
}

bool MainForm::loadGraphics() {
    if (!startPause(timing::start::kGraphicsQuestion)) {
        return false;
    }
    status(kCr + QStringLiteral("Lade Grafiken..."));
    scanner_->setScanner();
    numberPanel_->clear();
    initColors();
    if (!startPause(timing::start::kGraphicsAnswer)) {
        return false;
    }
    status(QStringLiteral(" OK"));
    return true;
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

bool MainForm::firstAnimation() {
    // One long tick, with the stars drawn meanwhile.
    pacer_.timer1().setInterval(timing::kFirstAnimationTickMs);
    sector_->stars();
    const bool goesOn = pacer_.aniWait(startTurn_);
    pacer_.timer1().setInterval(timing::kTickMs);
    return goesOn;
}

void MainForm::showConsole() {
    if (services_.sounds->soundOn()) {
        services_.sounds->playSound(QStringLiteral("3.wav"));
    }
    setGeometry(services_.screen);
    if (services_.hostWindow != 0) {
        show();  // a child of the host window, which has its own size
    } else {
        showFullScreen();
    }
    // The console stands over the splash now; the splash goes before the
    // console paints its first frame, so that the two screen-sized window
    // images never exist at once.
    if (reporter_ != nullptr) {
        reporter_->finish();
        reporter_ = nullptr;
    }
    flush();
}

void MainForm::loadFormScrSav() {
    RandomSource& random = *services_.random;

    // At the screen's origin and above every other window, not yet resized.
    // Frameless now, so that the native window made below is the one shown.
    setWindowFlag(Qt::FramelessWindowHint, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    move(0, 0);
    raise();

    if (!startPause(timing::start::kModeAnswer)) {
        return;
    }
    status(QStringLiteral(" Bildschirmschoner"));
    // From here on every listed pointer handler and every key may end the
    // console, also during the pauses of the start.
    state_.scrSavMode = true;
    enterHostWindow();
    // The window manager reads this when the window is first mapped.
    keepOffTaskList(winId());
    // No caption shows a command word while the console runs as screen saver.
    for (int member : saverstart::kNumberCaptions) {
        frame_.captions[member]->setText(texts::signedNumber(randomNumber(random)));
    }

    if (!loadGraphics()) {
        return;
    }

    if (!loadSettings([this] { readScreenSaverOptions(); })) {
        return;
    }

    placeWindow();
    if (!startPause(timing::start::kReady)) {
        return;
    }
    status(kCr + QStringLiteral("Bereit."));

    if (!firstAnimation()) {
        return;
    }
    frame_.captions[9]->setText(texts::signedNumber(randomNumber(random)));
    // "3.wav" (when sound is on), then the console shows and the splash goes.
    showConsole();
    if (services_.hostWindow == 0) {
        coverOtherScreens();
        // Every key but the console's commands ends the screen saver, so the
        // keyboard must come here, not stay with the window it covers.
        activateWindow();
    }
    // The pointer stays hidden for the whole screen-saver run.
    timers_.tmrScrSavScan->start();
}

void MainForm::readScreenSaverOptions() {
    const SettingsStore& settings = *services_.settings;
    // Red alert first: permanent, random or none, as the stored pair says. The
    // sound switch is read after it, so a permanent alert starts silently.
    redAlert_->selectScreenSaverMode(settings);
    applySwitch(settings, settings::kScrShipScan, [this](bool on) { state_.scanShips = on; });
    applySwitch(settings, settings::kScrSound,
                [this](bool on) { services_.sounds->setSoundOn(on); });
    saverstart::readAutoZoom(settings, state_);
    state_.aniSpeed = settings.getAniSpeed(settings::kScrAniSpeed);
}

void MainForm::shapeShip() {
    // The ship covers the star field only with its own pixels.
    const PictureStore* pictures = services_.pictures;
    Element* ship = ships_.fedShip;
    if (pictures == nullptr || ship->picture().isEmpty()) {
        return;
    }
    const QImage image = pictures->pixmap(ship->picture(), 1.0, 1.0).toImage();
    const int width = static_cast<int>(std::nearbyint(ship->width() / Twips::kPerPixel));
    const int height = static_cast<int>(std::nearbyint(ship->height() / Twips::kPerPixel));
    ship->setOutline(outlineRegion(image, width, height));
}

// ---- Several screens ----

void MainForm::coverOtherScreens() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == primary) {
            continue;
        }
        covers_.push_back(
            std::make_unique<ScreenCover>(screen, tree().twips(), [this] { exitConsole(); }));
        covers_.back()->cover();
    }
}

// ---- Inside a screen-saver daemon's window ----

void MainForm::enterHostWindow() {
    if (services_.hostWindow == 0) {
        return;
    }
    // The daemon owns keyboard and pointer: they pass through to its window,
    // and the exit rule never hears of them.
    setWindowFlag(Qt::WindowTransparentForInput, true);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    winId();
    placeInsideForeignWindow(*windowHandle(), static_cast<WId>(services_.hostWindow));
}

}  // namespace ovant
