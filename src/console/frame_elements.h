#pragma once

#include <array>

#include "elements/element_tree.h"

namespace ovant {

// The console picture and its frame: block, elbows, separators, buttons, the
// title, the button captions and the screen-wide bars.
struct FrameElements {
    Element* picMain = nullptr;
    std::array<Element*, 6> buttonOben{};   // 1..5
    std::array<Element*, 6> buttonUnten{};  // 1..5
    std::array<Element*, 7> trennOben{};    // 1..6
    std::array<Element*, 7> trennUnten{};   // 1..6
    Element* shapeOben = nullptr;
    Element* shapeUnten = nullptr;
    Element* lblCaption = nullptr;
    std::array<Element*, 18> captions{};  // Label1(0) and Label1(8..17); 1..7 are numbers
    Element* barUp = nullptr;
    Element* barDown = nullptr;
    Element* shpLeftUp = nullptr;
    Element* shpRightUp = nullptr;
    Element* shpLeftDown = nullptr;
    Element* shpRightDown = nullptr;
};

// The number panel: eleven columns of seven fields.
struct NumberElements {
    static constexpr int kColumns = 11;
    static constexpr int kRows = 7;
    Element* picNum = nullptr;
    std::array<std::array<Element*, kRows + 1>, kColumns + 1> field{};  // [column][row], 1-based
};

FrameElements buildFrame(ElementTree& tree);
// The grey bars with end caps across the top and bottom of the screen: built
// hidden, then laid out to the screen and shown.
void buildScreenBars(ElementTree& tree);
void layOutScreenBars(ElementTree& tree, QSize screenPixels);
NumberElements buildNumberPanel(ElementTree& tree, Element* picMain);

}  // namespace ovant
