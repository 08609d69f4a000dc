#pragma once

#include <array>

#include "elements/element_factory.h"

namespace ovant::frame {

// The console picture and the frame around the sector, in twips inside it.
inline constexpr Box kPicMain{150, 60, 11745, 8355};
inline constexpr Box kButtonOben1{0, 150, 1555, 1395};
inline constexpr Box kShapeOben{0, 1590, 2115, 945};
inline constexpr Box kShapeUnten{30, 2640, 2085, 885};
// Pill buttons 2 to 5.
inline constexpr std::array<Box, 4> kPills{{{7350, 780, 1980, 630},
                                            {9480, 1530, 1980, 630},
                                            {7350, 1530, 1980, 630},
                                            {9480, 780, 1980, 630}}};
// Side buttons 1 to 5.
inline constexpr std::array<Box, 5> kSideButtons{{{30, 3570, 1550, 1575},
                                                  {30, 5190, 1550, 495},
                                                  {30, 5730, 1550, 495},
                                                  {30, 6270, 1550, 495},
                                                  {30, 6810, 1550, 1300}}};
// Separators 1 to 6 of the upper and the lower band; the third is thinner.
inline constexpr std::array<double, 6> kTrennLeft{2100, 4680, 5145, 6810, 9540, 11115};
inline constexpr std::array<double, 6> kTrennWidth{2500, 405, 1600, 2650, 1510, 350};

inline constexpr Box trennOben(int i) {
    return i == 3 ? Box{kTrennLeft[2], 2400, kTrennWidth[2], 130}
                  : Box{kTrennLeft[i - 1], 2295, kTrennWidth[i - 1], 245};
}
inline constexpr Box trennUnten(int i) {
    return Box{kTrennLeft[i - 1], 2640, kTrennWidth[i - 1], i == 3 ? 130.0 : 245.0};
}

inline constexpr Box kCaption{7200, -90, 4245, 810};

// The screen-wide bars and their end caps (twips in the window).
inline constexpr double kBarHeight = 540;
inline constexpr Box kCapDesign{0, 0, 510, 540};

struct BarsLayout {
    Box leftUp, rightUp, barUp, leftDown, rightDown, barDown;
};

// Lays the bars out for a screen of `screenWidth` x `screenHeight` twips: the
// top pair 60 twips below the top edge, the bottom pair 60 above the bottom,
// 170 twips between the left cap and its bar, 160 between bar and right cap.
constexpr BarsLayout layoutBars(double screenWidth, double screenHeight, double capWidth = 510,
                                double capHeight = 540, double barHeight = kBarHeight) {
    BarsLayout b{};
    b.leftUp = {10, 60, capWidth, capHeight};
    b.rightUp = {screenWidth - capWidth - 20, 60, capWidth, capHeight};
    b.barUp = {b.leftUp.left + capWidth + 20 + 150, 60,
               (screenWidth - (capWidth + 160)) - (capWidth + 200), barHeight};
    const double bottomTop = screenHeight - barHeight - 60;
    b.leftDown = {10, bottomTop, capWidth, capHeight};
    b.rightDown = {b.rightUp.left, bottomTop, capWidth, capHeight};
    b.barDown = {b.leftDown.left + capWidth + 20 + 150, bottomTop,
                 (screenWidth - (capWidth + 160)) - (capWidth + 200), barHeight};
    return b;
}

// Centres a picture on the screen, shifted 110 twips right and 10 down.
constexpr std::array<double, 2> centredWithShift(double screenWidth, double screenHeight,
                                                 const Box& picture) {
    return {screenWidth / 2 - picture.width / 2 + 110, screenHeight / 2 - picture.height / 2 + 10};
}

}  // namespace ovant::frame
