#pragma once

#include <array>

#include "console/element_tree.h"

namespace ovant {

class Pacer;
class SoundEffects;
struct ConsoleState;
class ConsoleOps;

// A scan panel that builds itself up over the number panel: one leader grows
// upwards from the first point, then the horizontal leaders grow one after
// the other, then the points and their texts appear a tick apart. The planet
// panel and the telescope panel differ only in their elements and lengths.
struct LeaderPanelLayout {
    Element* panel = nullptr;
    Element* title = nullptr;
    Element* vertical = nullptr;
    double resetTop = 0;
    double finalTop = 0;
    double finalHeight = 0;
    std::array<Element*, 6> horizontal{};  // 1: the first point's second leader; 2..5 the others
    std::array<double, 6> finalWidth{};
    std::array<Element*, 6> dot{};    // 1..5
    std::array<Element*, 6> label{};  // 1..5
};

// Finds the elements of a panel by their name prefix ("plnt" or "SRT").
LeaderPanelLayout planetPanelLayout(ElementTree& tree);
LeaderPanelLayout telescopePanelLayout(ElementTree& tree);

class LeaderPanel {
public:
    LeaderPanel(LeaderPanelLayout layout, Element* picNum, ConsoleState& state, Pacer& pacer,
                SoundEffects& sounds, ConsoleOps& ops);

    // Builds the panel step by step; the panel is busy meanwhile.
    void show();
    // Wipes it in reverse, a tick per point; nothing when it is hidden.
    void hide();
    const LeaderPanelLayout& layout() const { return layout_; }

private:
    void grow(Element* leader, double finalLength, bool vertical);

    LeaderPanelLayout layout_;
    Element* picNum_;
    ConsoleState& state_;
    Pacer& pacer_;
    SoundEffects& sounds_;
    ConsoleOps& ops_;
};

}  // namespace ovant
