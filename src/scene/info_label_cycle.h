#pragma once

#include <QString>

#include "platform/random_source.h"

namespace ovant::sector {

// The outcome of one tick of an object's info-label animation: the label's new
// text, the object's new tick counter and the interval until its next tick.
struct InfoStep {
    QString text;
    int infoTick;
    int nextIntervalMs;
};

// One tick of the info label of object 1 to 5. The label types itself out in
// stages (name; name and kind; name to sector; full text), is emptied, then
// collects groups of random coordinates until the tenth tick empties it and
// the cycle starts again. Draws the three numbers of a group (when one is
// appended), then the interval of 200 to 1600 ms.
InfoStep infoLabelStep(int object, const QString& currentText, int infoTick, RandomSource& random);

}  // namespace ovant::sector
