#include "console/main_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "app/outline_cut.h"
#include "app/random_source.h"
#include "app/texts.h"
#include "console/frame_layout.h"
#include "console/palette.h"
#include "console/picture_store.h"
#include "scene/scanner_geometry.h"

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

    // The exit button and its caption.
    frame_.buttonOben[1]->onClick = [this] { exitConsole(); };
    frame_.captions[11]->onClick = [this] { exitConsole(); };

    numberPanel_ = std::make_unique<NumberPanel>(numbers_, *services_.random);
    sector_ = std::make_unique<SectorScene>(scene_.sector, ships_.lblShipInfo, *services_.random);
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

void MainForm::setScannerManual(double x, double y, double gap) {
    sector_->placeScanner(x, y, gap);
}

void MainForm::setScanner() {
    const scanner::Frame corner = scanner::kParking[sector_->drawParkingCorner()];
    setScannerManual(corner.x, corner.y, corner.gap);
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
