#include "scene/sector_scene.h"

#include <cmath>

#include "platform/random_source.h"
#include "scene/scanner_geometry.h"
#include "scene/sector_table.h"

namespace ovant {

SectorScene::SectorScene(SectorElements& elements, Element* lblShipInfo, RandomSource& random)
    : e_(elements), lblShipInfo_(lblShipInfo), random_(random) {}

void SectorScene::stars() {
    for (int i = 0; i < 100; ++i) {
        const double x = std::floor(random_.next() * sector::kStarsScan.width + 1);
        const double y = std::floor(random_.next() * sector::kStarsScan.height + 1);
        const int size = static_cast<int>(std::floor(random_.next() * 2 + 1));
        e_.starsScan->addPoint(StarPoint{x, y, size, palette::kStar});
    }
}

void SectorScene::initStars(Scheme scheme) {
    const QColor marker = objectMarkerColour(scheme);
    const QColor label = objectLabelColour(scheme);
    for (int n = 1; n <= sector::kObjects; ++n) {
        e_.marker[n]->setBackColor(marker);
        e_.marker[n]->setBorderColor(marker);
        e_.infoLabel[n]->setForeColor(label);
    }
    if (lblShipInfo_ != nullptr) {
        lblShipInfo_->setForeColor(shipInfoColour(scheme));
    }
}

void SectorScene::placeScanner(double x, double y, double gap) {
    Element* open = e_.lblScanner[0];
    Element* close = e_.lblScanner[1];
    open->setLeft(x);
    close->setLeft(x + gap);
    open->setTop(y);
    close->setTop(y);
    const double lineY = scanner::lineHeightFor(y, open->height());
    Element* l0 = e_.lineScan[0];
    Element* l1 = e_.lineScan[1];
    l0->setLine(x + scanner::kPlacedLine0Offset, lineY, l0->x2(), lineY);
    l1->setLine(close->left() + scanner::kLine1Offset, lineY, l1->x2(), lineY);
}

int SectorScene::drawParkingCorner() {
    return random_.draw(4);
}

}  // namespace ovant
