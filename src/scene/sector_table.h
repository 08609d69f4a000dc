#pragma once

#include <array>

#include "elements/element_factory.h"

namespace ovant::sector {

inline constexpr int kObjects = 5;
inline constexpr int kTelescope = 4;  // the station; the others are planets or an asteroid

// The five objects of sector 76421, numbered 1 to 5 everywhere.
struct SectorObject {
    const char* name;
    const char* kind;
    const char* sector;
    const char* coordinates;
    Box marker;     // twips in the sector picture
    Box infoLabel;  // twips in the sector picture
};

// Index 0 is unused so that object numbers index directly.
inline constexpr std::array<SectorObject, kObjects + 1> kObjectTable{{
    {"", "", "", "", {}, {}},
    {"Delta Vega",
     "Klasse L",
     "Sektor A2",
     "326.021.254",
     {3390, 1200, 315, 315},
     {3810, 1110, 735, 765}},
    {"Omicron Theta",
     "Klasse M",
     "Sektor B4",
     "215.207.065",
     {8040, 2730, 225, 255},
     {8370, 2610, 765, 765}},
    {"Lamda Pass",
     "Klasse K",
     "Sektor C1",
     "452.050.352",
     {270, 4080, 135, 195},
     {510, 3930, 735, 765}},
    {"Argus VII",
     "SR-Teleskop",
     "Sektor C3",
     "365.004.362",
     {4860, 3750, 75, 135},
     {5040, 3600, 735, 765}},
    {"Lamenda Prime",
     "Klasse M",
     "Sektor A4",
     "865.215.012",
     {7830, 390, 255, 285},
     {8220, 300, 765, 765}},
}};

inline constexpr Box kStarsScan{2130, 3090, 9315, 5055};

}  // namespace ovant::sector
