#pragma once

#include <QString>
#include <array>
#include <optional>

#include "platform/random_source.h"

namespace ovant::zoom {

// What the object zoom view shows for one object: its name with its class and
// the texts at the seven measuring points (label[1] to label[7]; label[0]
// stays empty so the index matches the point).
struct ZoomTexts {
    QString name;
    std::array<QString, 8> label;
};

// The zoom texts of object 1, 2, 3 or 5 with freshly measured values, drawn
// in reading order (point 1 to 7, left to right within a text), one draw per
// value and independent of the scan panel's values. Object 4 has the
// telescope zoom; it and every other number give nothing and draw nothing.
std::optional<ZoomTexts> zoomTexts(int object, RandomSource& random);

// The telescope zoom's fourth and fifth texts grow a line at a time as their
// points appear (and shrink again as the view is wiped): the first `lines`
// lines, joined by the caption line break; none gives an empty text.
QString telescopeLabel4(int lines);  // 0..2
QString telescopeLabel5(int lines);  // 0..3

}  // namespace ovant::zoom
