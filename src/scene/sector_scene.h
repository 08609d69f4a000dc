#pragma once

#include "console/palette.h"
#include "scene/scene_elements.h"

namespace ovant {

class RandomSource;

// The sector picture's own operations: the star field, the object colours and
// placing the scanner frame.
class SectorScene {
public:
    SectorScene(SectorElements& elements, Element* lblShipInfo, RandomSource& random);

    // 100 light-grey stars of one or two pixels at random places.
    void stars();
    void initStars(Scheme scheme);
    // Puts the scanner frame at once at (x, y) with the given gap; the left
    // line starts 10 twips inside "[" when placed this way.
    void placeScanner(double x, double y, double gap);
    // A random parking corner outside the picture, k = 1..4.
    int drawParkingCorner();

private:
    SectorElements& e_;
    Element* lblShipInfo_;
    RandomSource& random_;
};

}  // namespace ovant
