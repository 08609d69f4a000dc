#include "app/main_form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

#include "alert/red_alert.h"
#include "console/clock_riders.h"
#include "console/frame_animation.h"
#include "console/frame_layout.h"
#include "console/key_commands.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "console/timings.h"
#include "elements/picture_store.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "scene/auto_zoom.h"
#include "scene/info_labels.h"
#include "scene/scan_panels.h"
#include "scene/scanner.h"
#include "scene/sector_scene.h"
#include "scene/zoom_views.h"
#include "screensaver/auto_scan.h"
#include "screensaver/console_exit.h"
#include "screensaver/exit_rule.h"
#include "screensaver/screen_cover.h"
#include "ships/ship_scan_panel.h"
#include "ships/ship_traffic.h"
#include "windows/info_window.h"

namespace ovant {

MainForm::MainForm(ConsoleServices services, StartupReporter* reporter)
    : ElementWindow(services.twips, services.pictures),
      services_(std::move(services)),
      reporter_(reporter),
      pacer_(timing::kTickMs, this),
      panelArea_(pacer_),
      startLane_(pacer_),
      zoomArea_(pacer_) {
    setWindowTitle(QString::fromLatin1(texts::kConsoleTitle));
    // Designed client area 11775 x 9270 twips until the start covers the screen.
    const Twips& t = tree().twips();
    resize(t.toPixels(11775), t.toPixels(9270));
    root().setBox(0, 0, 11775, 9270);
    root().setBackColor(Qt::black);

    frame_ = buildFrame(tree());
    numbers_ = buildNumberPanel(tree(), frame_.picMain);
    scene_ = buildScene(tree(), frame_.picMain);
    ships_ = buildShips(tree(), scene_.sector.starsScan, frame_.picMain);
    timers_ = createConsoleTimers(this);

    RandomSource& random = *services_.random;
    SoundEffects& sounds = *services_.sounds;
    numberPanel_ = std::make_unique<NumberPanel>(numbers_, random);
    sector_ = std::make_unique<SectorScene>(scene_.sector, ships_.lblShipInfo, random);
    frameAnimation_ = std::make_unique<FrameAnimation>(frame_, *numberPanel_, state_, random);
    frameAnimation_->connect(timers_);
    infoLabels_ = std::make_unique<InfoLabels>(scene_.sector, random);
    infoLabels_->connect(timers_.starAni);
    scanner_ = std::make_unique<Scanner>(scene_.sector, *sector_, state_, pacer_, sounds, *this);
    panels_ = std::make_unique<ScanPanels>(scene_, numbers_.picNum, panelArea_, state_, pacer_,
                                           sounds, random, *this);
    shipPanel_ = std::make_unique<ShipScanPanel>(ships_, numbers_.picNum, sounds);
    shipTraffic_ = std::make_unique<ShipTraffic>(
        ships_, *shipPanel_, state_, random, sounds, *this,
        ShipTimers{timers_.tmrShip, timers_.tmrShipAni, timers_.tmrShipInfo});
    QObject::connect(timers_.tmrShip, &QTimer::timeout, this,
                     [this] { shipTraffic_->chanceTick(); });
    // While a ship crosses, the decorative clocks take their ticks on its
    // clock rather than each waking the console on its own.
    riders_ = std::make_unique<ClockRiders>(*timers_.tmrShipAni);
    for (QTimer* rider : {timers_.timer2, timers_.timer3, timers_.tmrAni, timers_.tmrAni1,
                          timers_.tmrRedAlert}) {
        riders_->add(rider);
    }
    for (int i = 1; i <= 5; ++i) {
        riders_->add(timers_.starAni[static_cast<std::size_t>(i)]);
    }
    QObject::connect(timers_.tmrShipAni, &QTimer::timeout, this, [this] {
        riders_->tick();
        shipTraffic_->motionTick(timing::kShipStepsPerTick);
    });
    // Connected after the motion, so each frame shows the ship's move.
    rideFramesOn(timers_.tmrShipAni);
    QObject::connect(timers_.tmrShipInfo, &QTimer::timeout, this,
                     [this] { shipTraffic_->leavingTimeout(); });
    exit_ = std::make_unique<ConsoleExit>(sounds, pacer_, services_.endProcess);
    autoScan_ = std::make_unique<AutoScan>(state_, random, sounds, *this, *timers_.tmrScrSavScan);
    QObject::connect(timers_.tmrScrSavScan, &QTimer::timeout, this, [this] { autoScanStep(); });
    wireCommands();
    wireZoom();
    wireExitRule();
    wireRedAlert();
}

MainForm::~MainForm() = default;

void MainForm::wireCommands() {
    // The title lays the screen-wide bars out, on a small screen too.
    frame_.lblCaption->onClick([this] { setOVANTBars(); });
    // The exit button and its caption.
    frame_.buttonOben[1]->onClick([this] { exitConsole(); });
    frame_.captions[11]->onClick([this] { exitConsole(); });
    frame_.buttonOben[3]->onClick([this] { infoCommand(); });
    frame_.captions[9]->onClick([this] { infoCommand(); });
    frame_.buttonOben[4]->onClick([this] { autoScanSwitch(); });
    frame_.captions[8]->onClick([this] { autoScanSwitch(); });
    frame_.buttonUnten[2]->onClick([this] { shipCommand(true); });
    frame_.captions[14]->onClick([this] { shipCommand(true); });
    frame_.buttonUnten[3]->onClick([this] { scanShipsSwitch(); });
    frame_.captions[16]->onClick([this] { scanShipsSwitch(); });
    ships_.fedShip->onClick([this] { shipTraffic_->shipClick(); });
    ships_.lblShipInfo->onClick([this] { shipTraffic_->labelClick(); });
    frame_.buttonUnten[4]->onClick([this] { endScan(); });
    frame_.captions[15]->onClick([this] { endScan(); });
    for (int n = 1; n <= 5; ++n) {
        scene_.sector.infoLabel[n]->onClick([this, n] { infoLabelClick(n); });
    }
}

void MainForm::scanPlanet(int star) {
    panels_->scanPlanet(star);
}

void MainForm::hidePlanetScan() {
    panels_->hidePlanetScan();
}

void MainForm::hideSRTeleInfos() {
    panels_->hideSRTeleInfos();
}

void MainForm::hideShipScan() {
    shipPanel_->hideShipScan();
}

void MainForm::initAutoZoom() {
    autoZoom_->initAutoZoom();
}

void MainForm::scanAnotherObject(int object) {
    scanner_->scanAnotherObject(object);
}

bool MainForm::zoomViewOpen() const {
    return scene_.starZoom.picture->visible() || scene_.telescopeZoom.picture->visible();
}

void MainForm::scanStar(int object) {
    scanner_->scanStar(object);
}

bool MainForm::setScannerManual(double x, double y, double gap) {
    return scanner_->setScannerManual(x, y, gap);
}

void MainForm::setScanner() {
    scanner_->setScanner();
}

void MainForm::showScanner() {
    scanner_->showScanner();
}

void MainForm::shipCommand(bool fromButton) {
    shipTraffic_->shipCommand(fromButton);
}

void MainForm::shipScanRequest() {
    shipTraffic_->requestKey();
}

void MainForm::scanShipsSwitch() {
    if (commandEndsScreenSaver(state_)) {
        exitConsole();
        return;
    }
    shipTraffic_->toggleScanShips(*frame_.captions[16], *services_.settings);
}

void MainForm::infoLabelClick(int object) {
    scanner_->infoLabelClick(object);
}

void MainForm::autoScanStep() {
    autoScan_->step();
}

void MainForm::autoScanSwitch() {
    if (commandEndsScreenSaver(state_)) {
        exitConsole();
        return;
    }
    autoScan_->toggle(*frame_.captions[8], *services_.settings);
}

void MainForm::endScan() {
    scanner_->endScan(zoomViewOpen());
}

void MainForm::setOVANTBars() {
    layOutScreenBars(tree(), services_.screen.size());
}

void MainForm::infoCommand() {
    // Over a screen saver a modal window would wait for a user who is not
    // there, and would switch the sound on against the saver's setting.
    if (commandEndsScreenSaver(state_)) {
        exitConsole();
        return;
    }
    SoundEffects& sounds = *services_.sounds;
    if (sounds.soundOn()) {
        sounds.playSound(QStringLiteral("1.wav"));
    }
    // The info window plays its own sounds; the console keeps quiet meanwhile.
    sounds.setSoundOn(false);
    showInfoModal();
    sounds.setSoundOn(true);
}

void MainForm::showInfoModal() {
    // The console's timers keep running while the window is open; only input
    // is held back from it.
    InfoWindow::Setup setup;
    setup.opening = InfoWindow::Opening::FromConsole;
    setup.screen = services_.screen;
    setup.sounds = services_.sounds;
    setup.random = services_.random;
    setup.aniSpeed = [this] { return state_.aniSpeed; };
    // The window's pictures have a store of their own, given back when it
    // closes; the console's store stays sized for what the console shows.
    std::optional<PictureStore> windowPictures;
    if (services_.pictures != nullptr) {
        windowPictures.emplace();
    }
    InfoWindow info(services_.twips, windowPictures ? &*windowPictures : nullptr, setup, this);
    info.setWindowFlag(Qt::Window);
    info.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&info, &InfoWindow::left, &loop, &QEventLoop::quit);
    if (pacer_.turnsEnded()) {
        return;
    }
    infoLoop_ = &loop;
    info.load();
    loop.exec();
    infoLoop_ = nullptr;
}

void MainForm::exitConsole() {
    exit_->exitConsole();
}

void MainForm::initColors() {
    numberPanel_->initColours(Scheme::Normal);
    sector_->initStars(Scheme::Normal);
    applyScheme(tree(), Scheme::Normal);
}

// Red alert: built here because it needs the sector's red objects and the
// console's normal scheme; its button, caption and three clocks are wired here.
void MainForm::wireRedAlert() {
    redAlert_ = std::make_unique<RedAlert>(
        state_, frame_, *numberPanel_, tree(), *services_.random, *services_.sounds,
        RedAlertTimers{timers_.tmrRedAlert, timers_.tmrRedAlertRnd, timers_.tmrRedAlertRndStop},
        RedAlertColours{[this] { sector_->initStars(Scheme::RedAlert); },
                        [this] { initColors(); }});
    frame_.buttonUnten[1]->onClick([this] { redAlertToggle(); });
    frame_.captions[12]->onClick([this] { redAlertToggle(); });
    QObject::connect(timers_.tmrRedAlert, &QTimer::timeout, this,
                     [this] { redAlert_->chaseTick(); });
    QObject::connect(timers_.tmrRedAlertRnd, &QTimer::timeout, this,
                     [this] { redAlert_->randomStartTick(); });
    QObject::connect(timers_.tmrRedAlertRndStop, &QTimer::timeout, this,
                     [this] { redAlert_->randomStopTick(); });
}

void MainForm::redAlertToggle() {
    redAlert_->toggle();
}

void MainForm::redAlertKey() {
    if (state_.scrSavMode) {
        redAlert_->screenSaverKey(*services_.settings);
    } else {
        redAlert_->toggle();
    }
}

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing the console ends the program at once; nothing is saved on the way out.
    event->accept();
    // A console that closes while its info window is open (only a test keeps
    // the process then) must not leave that window's loop waiting.
    if (infoLoop_ != nullptr) {
        infoLoop_->quit();
    }
    exit_->windowClosed();
}

void MainForm::keyPressEvent(QKeyEvent* event) {
    if (services_.hostWindow != 0) {
        return;  // the daemon's keys, never ours
    }
    const KeyPress press{event->key(), event->modifiers(), event->isAutoRepeat()};
    KeyCommand command = keyCommand(state_.scrSavMode, press);
    if (command == KeyCommand::None) {
        command = characterCommand(state_.scrSavMode, event->text());
    }
    if (command == KeyCommand::None) {
        ElementWindow::keyPressEvent(event);
        return;
    }
    runKeyCommand(command);
}

void MainForm::runKeyCommand(KeyCommand command) {
    switch (command) {
        case KeyCommand::None:
            return;
        case KeyCommand::Info:
            infoCommand();
            return;
        case KeyCommand::RedAlert:
            redAlertKey();
            return;
        case KeyCommand::AutoScanStep:
            autoScanStep();
            return;
        case KeyCommand::Zoom:
            zoomKey();
            return;
        case KeyCommand::ShipScanRequest:
            shipScanRequest();
            return;
        case KeyCommand::Ship:
            shipCommand(false);
            return;
        case KeyCommand::EndScan:
            endScan();
            return;
        case KeyCommand::Exit:
            exitConsole();
            return;
    }
}

// ---- Screen-saver exit on pointer input ----

void MainForm::wireExitRule() {
    exitRule_ = std::make_unique<ExitRule>(state_, [this] { exitConsole(); });
    // A listed name that the tree lacks only loses its handler; the console
    // tests resolve every name.
    exitRule_->wire(tree());
}

bool MainForm::pointerEndsScreenSaver(const QMouseEvent* event, bool press) {
    // Inside a daemon's window the daemon decides when the saver ends.
    if (!state_.scrSavMode || services_.hostWindow != 0) {
        return false;
    }
    const QPointF pixel = event->position();
    const Element* hit = tree().hitTest(pixel.toPoint());
    if (hit == nullptr) {
        return false;
    }
    const QPointF twips = localTwips(*hit, pixel);
    return press ? exitRule_->press(hit, twips) : exitRule_->move(hit, twips);
}

void MainForm::mousePressEvent(QMouseEvent* event) {
    // The rule looks first; once the console has ended, no element duty runs.
    if (pointerEndsScreenSaver(event, true)) {
        return;
    }
    ElementWindow::mousePressEvent(event);
}

// --- The zoom views and the automatic zoom ---

void MainForm::wireZoom() {
    zoom_ = std::make_unique<ZoomViews>(scene_, frame_.lblCaption, zoomArea_, state_, pacer_,
                                        *services_.sounds, *services_.random, *this);
    autoZoom_ = std::make_unique<AutoZoom>(state_, *services_.random, *zoom_, *this,
                                           *timers_.tmrAutoZoomStop);
    QObject::connect(timers_.tmrAutoZoomStop, &QTimer::timeout, this, [this] { autoZoomTick(); });

    // A click on a scan panel, its title or its texts opens the zoom view.
    const auto panelClicks = [](const LeaderPanelLayout& p, const std::function<void()>& open) {
        p.panel->onClick(open);
        p.title->onClick(open);
        for (int i = 1; i <= 5; ++i) {
            p.label[i]->onClick(open);
        }
    };
    panelClicks(scene_.planetPanel, [this] { zoom_->planetPanelClick(); });
    panelClicks(scene_.telescopePanel, [this] { zoom_->telescopePanelClick(); });

    // The close buttons light up under the pointer and go dark again when it
    // moves on over their view.
    const auto closeButton = [](const SchematicElements& z, const std::function<void()>& close) {
        Element* button = z.closeButton;
        button->onClick(close);
        button->onMouseMove([button](QPointF) { ZoomViews::pointerOverClose(*button); });
        const auto overView = [button](QPointF) { ZoomViews::pointerOverView(*button); };
        z.picture->onMouseMove(overView);
        z.labelName->onMouseMove(overView);
        for (Element* label : z.labels) {
            label->onMouseMove(overView);
        }
    };
    closeButton(scene_.starZoom, [this] { zoom_->starZoomCloseClick(); });
    closeButton(scene_.telescopeZoom, [this] { zoom_->telescopeZoomCloseClick(); });
}

void MainForm::zoomPlanet(int star) {
    zoom_->zoomPlanet(star);
}

void MainForm::hideStarZoom() {
    zoom_->hideStarZoom();
}

void MainForm::hideSRTZoom() {
    zoom_->hideSRTZoom();
}

void MainForm::zoomKey() {
    if (!zoom::keyAllowed(state_, zoomViewOpen())) {
        return;
    }
    if (services_.sounds->soundOn()) {
        services_.sounds->playSound(QStringLiteral("1.wav"));
    }
    zoom_->zoomPlanet(state_.activeStar);
    if (state_.scrSavMode) {
        autoZoom_->arm(autozoom::keyOpenSeconds(*services_.random));
    }
}

void MainForm::autoZoomTick() {
    autoZoom_->tick();
}

}  // namespace ovant

namespace ovant {
void MainForm::mouseMoveEvent(QMouseEvent* event) {
    if (pointerEndsScreenSaver(event, false)) {
        return;
    }
    ElementWindow::mouseMoveEvent(event);
}

}  // namespace ovant
