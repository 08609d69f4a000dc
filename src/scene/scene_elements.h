#pragma once

#include <array>

#include "console/element_tree.h"

namespace ovant {

// The sector picture with its grid, objects and scanner.
struct SectorElements {
    Element* starsScan = nullptr;
    std::array<Element*, 6> marker{};     // shpStar1..5
    std::array<Element*, 6> infoLabel{};  // lblStar1Info..5
    std::array<Element*, 2> lblScanner{};
    std::array<Element*, 2> lineScan{};
};

// The planet scan panel.
struct PlanetPanelElements {
    Element* picScanInfo = nullptr;
    std::array<Element*, 6> dot{};    // plntDot1..5
    std::array<Element*, 6> label{};  // plntLabel1..5
    Element* line1_1 = nullptr;
    Element* line1_2 = nullptr;
    std::array<Element*, 6> line{};  // plntLine2..5 at 2..5
    Element* labelName = nullptr;
};

// A schematic view with dots, leaders and labels: the object zoom and the
// telescope panel and zoom use the same kinds of elements.
struct SchematicElements {
    Element* picture = nullptr;
    Element* labelName = nullptr;
    Element* closeButton = nullptr;  // PicStarZoomOff / PicZoomOff; null on the panel
};

struct SceneElements {
    SectorElements sector;
    PlanetPanelElements planet;
    SchematicElements starZoom;
    SchematicElements telescopePanel;
    SchematicElements telescopeZoom;
};

SceneElements buildScene(ElementTree& tree, Element* picMain);

}  // namespace ovant
