#pragma once

#include <array>

namespace ovant::scanner {

// The scanner frame is fully given by the left edge of "[", the top of both
// brackets and the distance from "[" to "]".
struct Frame {
    double x;
    double y;
    double gap;
};

// The frame around each object's marker and info label (index = object).
inline constexpr std::array<Frame, 6> kTargets{{{0, 0, 0},
                                                {3200, 800, 1300},
                                                {7860, 2310, 1230},
                                                {100, 3630, 1120},
                                                {4650, 3320, 1100},
                                                {7640, 10, 1310}}};

// Parking corners outside the visible sector, k = 1..4.
inline constexpr std::array<Frame, 5> kParking{
    {{0, 0, 0}, {-2000, -2000, 600}, {-2000, 7000, 600}, {11300, -2000, 600}, {11300, 7000, 600}}};

// Both lines run at half the bracket height plus 35 below the bracket top.
constexpr double lineHeightFor(double bracketTop, double bracketHeight) {
    return bracketHeight / 2 + 35 + bracketTop;
}

inline constexpr double kLine1Offset = 120;       // from the left edge of "]"
inline constexpr double kPlacedLine0Offset = 10;  // when placed at once, not flying

}  // namespace ovant::scanner
