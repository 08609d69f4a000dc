#pragma once

#include <array>
#include <vector>

#include "elements/element_tree.h"
#include "windows/info_layout.h"

namespace ovant {

// One page of the info window: its picture and the elements that appear on
// it one after another, in that order.
struct InfoPageElements {
    Element* page = nullptr;
    std::vector<Element*> steps;
};

struct HelpItemElements {
    const info::HelpItem* design = nullptr;
    Element* dot = nullptr;
    std::array<Element*, 2> lines{};  // the second is null for items with one line
    Element* label = nullptr;
};

struct InfoElements {
    Element* picInfoMain = nullptr;
    std::array<Element*, 6> buttons{};   // in the order of info::kColumn
    std::array<Element*, 6> captions{};  // the buttons' captions, same order
    Element* shapeOben = nullptr;
    Element* cornerCaption = nullptr;  // Label1(13): a number, no command
    Element* trennOben1 = nullptr;
    std::array<InfoPageElements, 6> pages{};  // indexed by info::Page; None is empty
    Element* lblProg2 = nullptr;              // the version line
    // The help page: heading and picture first, then the items.
    Element* lblHelp1 = nullptr;
    Element* picHelpInt = nullptr;
    std::array<HelpItemElements, info::kHelpItems.size()> help{};

    InfoPageElements& page(info::Page p) { return pages[static_cast<int>(p)]; }
    const InfoPageElements& page(info::Page p) const { return pages[static_cast<int>(p)]; }
};

// Builds every element of the info window, hidden where the window starts
// with it hidden, in the colours it shows.
InfoElements buildInfoElements(ElementTree& tree);

// The button of a page (or Exit for None), as an index into info::kColumn.
int columnIndexOf(info::Page page);

}  // namespace ovant
