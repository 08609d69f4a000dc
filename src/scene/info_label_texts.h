#pragma once

#include <QString>

namespace ovant::sector {

// What an object's info label shows: the full text, and the three stages in
// which it types itself out (name; name and kind; name to sector). The runs
// of spaces make each part fall on its own line of the narrow label, and the
// animation compares these texts literally.
QString infoFullText(int object);
QString infoStageText(int object, int stage);  // stage 1..3

}  // namespace ovant::sector
