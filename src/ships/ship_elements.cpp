#include "ships/ship_elements.h"

#include "elements/element_factory.h"

namespace ovant {

ShipElements buildShips(ElementTree& tree, Element* starsScan, Element* picMain) {
    ShipElements s;
    // 26 x 28 pixels; the icon's key colour is cut away so that only the
    // ship's own pixels cover the star field.
    s.fedShip = makePicture(tree, starsScan, QStringLiteral("FedShip"), Box{0, 0, 390, 420});
    s.fedShip->setPicture(QStringLiteral("ShipIcon"));
    s.fedShip->hide();
    s.lblShipInfo = makeLabel(tree, starsScan, QStringLiteral("lblShipInfo"), Box{0, 0, 975, 765},
                              FontSpec{FontFace::Narrow, 8.25}, Qt::AlignLeft, true);
    s.lblShipInfo->hide();
    s.picShipScan =
        makePicture(tree, picMain, QStringLiteral("PicShipScan"), Box{2100, 480, 5145, 1755});
    s.picShipScan->hide();
    s.lblShipName = makeAutoLabel(tree, s.picShipScan, QStringLiteral("lblShipName"), 90, 1350,
                                  FontSpec{FontFace::Monitor, 14.25}, QStringLiteral("Ships"));
    return s;
}

}  // namespace ovant
