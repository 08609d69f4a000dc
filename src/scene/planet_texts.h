#pragma once

#include <QString>
#include <array>
#include <optional>

#include "platform/random_source.h"

namespace ovant::planet {

// What the planet scan panel shows for one object: its name and the texts at
// the five measuring points (label[1] to label[5]; label[0] stays empty so the
// index matches the point).
struct PanelTexts {
    QString name;
    std::array<QString, 6> label;
};

// A measurement from low up to low + span - 1, each value equally likely,
// written as a plain number. The zoom view measures the same way.
QString measure(RandomSource& random, int span, int low);

// The panel texts of object 1, 2, 3 or 5 with freshly measured values, drawn
// in reading order (point 1 to 5, left to right within a text), one draw per
// value. Object 4 is the telescope station, which has its own panel; it and
// every other number give nothing and draw nothing.
std::optional<PanelTexts> panelTexts(int object, RandomSource& random);

}  // namespace ovant::planet
