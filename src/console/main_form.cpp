#include "console/main_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "app/outline_cut.h"
#include "app/random_source.h"
#include "app/sound/sound_effects.h"
#include "app/texts.h"
#include "console/frame_layout.h"
#include "console/palette.h"
#include "console/picture_store.h"
#include "scene/planet_texts.h"

namespace ovant {

MainForm::MainForm(ConsoleServices services, StartupReporter* reporter)
    : ElementWindow(services.twips, services.pictures),
      services_(std::move(services)),
      reporter_(reporter),
      pacer_(this) {
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

    // The title lays the screen-wide bars out, on a small screen too.
    frame_.lblCaption->onClick = [this] { setOVANTBars(); };
    // The exit button and its caption.
    frame_.buttonOben[1]->onClick = [this] { exitConsole(); };
    frame_.captions[11]->onClick = [this] { exitConsole(); };

    numberPanel_ = std::make_unique<NumberPanel>(numbers_, *services_.random);
    sector_ = std::make_unique<SectorScene>(scene_.sector, ships_.lblShipInfo, *services_.random);

    frameAnimation_ =
        std::make_unique<FrameAnimation>(frame_, *numberPanel_, state_, *services_.random);
    frameAnimation_->connect(timers_);
    infoLabels_ = std::make_unique<InfoLabels>(scene_.sector, *services_.random);
    infoLabels_->connect(timers_.starAni);

    SoundEffects& sounds = *services_.sounds;
    scanner_ = std::make_unique<Scanner>(scene_.sector, *sector_, state_, pacer_, sounds, *this);
    planetPanel_ = std::make_unique<LeaderPanel>(planetPanelLayout(tree()), numbers_.picNum, state_,
                                                 pacer_, sounds, *this);
    telescopePanel_ = std::make_unique<LeaderPanel>(telescopePanelLayout(tree()), numbers_.picNum,
                                                    state_, pacer_, sounds, *this);
    const auto endScan = [this] {
        scanner_->endScan(scene_.starZoom.picture->visible() ||
                          scene_.telescopeZoom.picture->visible());
    };
    frame_.buttonUnten[4]->onClick = endScan;
    frame_.captions[15]->onClick = endScan;
    for (int n = 1; n <= 5; ++n) {
        scene_.sector.infoLabel[n]->onClick = [this, n] { scanner_->infoLabelClick(n); };
    }
}

void MainForm::scanPlanet(int star) {
    hideShipScan();
    if (star == 4) {
        telescopePanel_->show();
        return;
    }
    const auto texts = planet::panelTexts(star, *services_.random);
    if (!texts) {
        return;
    }
    const LeaderPanelLayout& panel = planetPanel_->layout();
    panel.title->setText(texts->name);
    for (int i = 1; i <= 5; ++i) {
        panel.label[i]->setText(texts->label[static_cast<std::size_t>(i)]);
    }
    planetPanel_->show();
}

void MainForm::hidePlanetScan() {
    planetPanel_->hide();
}

void MainForm::hideSRTeleInfos() {
    telescopePanel_->hide();
}

void MainForm::hideShipScan() {
    if (ships_.picShipScan->visible()) {
        ships_.picShipScan->hide();
        numbers_.picNum->show();
    }
}

void MainForm::initAutoZoom() {
    // The automatic zoom opens the zoom views, which are still to come; until
    // then an arrival shows the scan panel.
    scanPlanet(state_.activeStar);
}

MainForm::~MainForm() = default;

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing the console ends the program at once; nothing is saved on the way out.
    event->accept();
    if (services_.endProcess) {
        services_.endProcess();
    }
}

void MainForm::keyPressEvent(QKeyEvent* event) {
    // Until the full command set arrives, X leaves the console, and in
    // screen-saver mode every key does.
    if (state_.scrSavMode || event->key() == Qt::Key_X) {
        exitConsole();
        return;
    }
    ElementWindow::keyPressEvent(event);
}

void MainForm::mousePressEvent(QMouseEvent* event) {
    if (state_.scrSavMode) {
        exitConsole();
        return;
    }
    ElementWindow::mousePressEvent(event);
}

void MainForm::initColors() {
    numberPanel_->initColours(Scheme::Normal);
    sector_->initStars(Scheme::Normal);
    applyScheme(tree(), Scheme::Normal);
}

void MainForm::clearNumbers() {
    numberPanel_->clear();
}

void MainForm::stars() {
    sector_->stars();
}

void MainForm::setScanner() {
    scanner_->setScanner();
}

void MainForm::setOVANTBars() {
    layOutScreenBars(tree(), services_.screen.size());
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

}  // namespace ovant
