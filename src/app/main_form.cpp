#include "app/main_form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>

#include "console/frame_animation.h"
#include "console/frame_layout.h"
#include "console/key_commands.h"
#include "console/number_panel.h"
#include "console/palette.h"
#include "console/timings.h"
#include "platform/sound/sound_effects.h"
#include "platform/texts.h"
#include "scene/info_labels.h"
#include "scene/scan_panels.h"
#include "scene/scanner.h"
#include "scene/sector_scene.h"
#include "screensaver/auto_scan.h"
#include "screensaver/console_exit.h"
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
      startLane_(pacer_) {
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
    QObject::connect(timers_.tmrShipAni, &QTimer::timeout, this,
                     [this] { shipTraffic_->motionStep(); });
    QObject::connect(timers_.tmrShipInfo, &QTimer::timeout, this,
                     [this] { shipTraffic_->leavingTimeout(); });
    exit_ = std::make_unique<ConsoleExit>(sounds, pacer_, services_.endProcess);
    autoScan_ = std::make_unique<AutoScan>(state_, random, sounds, *this, *timers_.tmrScrSavScan);
    QObject::connect(timers_.tmrScrSavScan, &QTimer::timeout, this, [this] { autoScanStep(); });
    wireCommands();
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
    // The automatic zoom opens the zoom views, which are still to come; until
    // then an arrival shows the scan panel.
    scanPlanet(state_.activeStar);
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
    shipTraffic_->toggleScanShips(*frame_.captions[16], *services_.settings);
}

void MainForm::infoLabelClick(int object) {
    scanner_->infoLabelClick(object);
}

void MainForm::autoScanStep() {
    autoScan_->step();
}

void MainForm::autoScanSwitch() {
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
    if (state_.scrSavMode) {
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
    InfoWindow info(services_.twips, services_.pictures, setup, this);
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

void MainForm::mousePressEvent(QMouseEvent* event) {
    if (pressEndsScreenSaver(state_)) {
        exitConsole();
        return;
    }
    ElementWindow::mousePressEvent(event);
}

}  // namespace ovant

namespace ovant {

// MERGE-STUBS: replaced when the red alert and the zoom views arrive.
void MainForm::redAlertKey() {}
void MainForm::zoomKey() {}

}  // namespace ovant
