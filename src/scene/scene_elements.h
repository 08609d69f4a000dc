#pragma once

#include <array>
#include <vector>

#include "elements/element_tree.h"

namespace ovant {

// The sector picture with its grid, objects and scanner.
struct SectorElements {
    Element* starsScan = nullptr;
    std::array<Element*, 6> marker{};     // shpStar1..5
    std::array<Element*, 6> infoLabel{};  // lblStar1Info..5
    std::array<Element*, 2> lblScanner{};
    std::array<Element*, 2> lineScan{};
};

// A scan panel that builds itself up over the number panel: the planet panel
// and the telescope panel differ only in their elements and lengths. The
// lengths are those of the elements as they are built, so there is one table.
struct LeaderPanelLayout {
    Element* panel = nullptr;
    Element* title = nullptr;
    Element* vertical = nullptr;  // grows upwards from the first point
    double resetTop = 0;          // where the vertical leader starts, with no height
    double finalTop = 0;
    double finalHeight = 0;
    std::array<Element*, 6> horizontal{};  // 1: the first point's second leader; 2..5 the others
    std::array<double, 6> finalWidth{};
    std::array<Element*, 6> dot{};    // 1..5
    std::array<Element*, 6> label{};  // 1..5
};

// A schematic view with dots, leaders and labels: the object zoom and the
// telescope panel and zoom use the same kinds of elements.
struct SchematicElements {
    Element* picture = nullptr;
    Element* labelName = nullptr;
    Element* closeButton = nullptr;  // PicStarZoomOff / PicZoomOff; null on the panel
    // The zoom views' parts, each built at its final geometry: leaders in the
    // order they grow, dots and labels in the order they appear.
    std::vector<Element*> leaders;
    std::vector<Element*> dots;
    std::vector<Element*> labels;
};

struct SceneElements {
    SectorElements sector;
    LeaderPanelLayout planetPanel;
    LeaderPanelLayout telescopePanel;
    SchematicElements starZoom;
    SchematicElements telescopeZoom;
};

SceneElements buildScene(ElementTree& tree, Element* picMain);

}  // namespace ovant
