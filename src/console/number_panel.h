#pragma once

#include <QColor>

#include "console/frame_elements.h"
#include "console/palette.h"

namespace ovant {

class RandomSource;

// The running number columns: a fill clock writes one number at a time into
// a random column (a full column is wiped instead), a colour clock recolours
// one random field between the two tones of the scheme in force.
class NumberPanel {
public:
    NumberPanel(NumberElements& elements, RandomSource& random);

    static QColor tone(Scheme scheme, int tone);  // tone 1 or 2
    static int columnMax(int column);             // largest number a column shows

    void clear();
    void initColours(Scheme scheme);
    // One step of each clock; each returns the clock's next interval in ms.
    int fillStep();
    int colourStep(Scheme scheme);

private:
    NumberElements& e_;
    RandomSource& random_;
};

}  // namespace ovant
