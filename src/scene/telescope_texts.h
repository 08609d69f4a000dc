#pragma once

#include <QString>

namespace ovant::telescope {

// Fixed texts of the telescope station's panel and zoom view.
QString panelLabel(int point);     // 1..5
QString zoomLabel(int point);      // 1, 2, 3 and 6; 4 and 5 grow during the build-up
QString zoomLabel4Line(int line);  // 1..2
QString zoomLabel5Line(int line);  // 1..3
inline constexpr const char* kStationName = "Argus VII - Subraumteleskop";

}  // namespace ovant::telescope
