#pragma once

#include "scene/scene_elements.h"

namespace ovant {

class Lane;
class Turn;
class Pacer;
class SoundEffects;
struct ConsoleState;

// A scan panel that builds itself up over the number panel: one leader grows
// upwards from the first point, then the horizontal leaders grow one after
// the other, then the points and their texts appear a tick apart. A wipe takes
// it down in reverse. Build and wipe take their turn on the panel area; when
// a newer sequence takes it during a pause, they stop there and leave the
// elements and the busy flag to it.
class LeaderPanel {
public:
    LeaderPanel(LeaderPanelLayout layout, Element* picNum, Lane& panelArea, ConsoleState& state,
                Pacer& pacer, SoundEffects& sounds);

    void show();
    // Nothing when the panel is hidden.
    void hide();
    const LeaderPanelLayout& layout() const { return layout_; }
    // Every part hidden at once, without a wipe: the other panel takes the
    // place and the lane.
    void clear();

private:
    bool grow(Element* leader, double finalLength, bool vertical, const Turn& turn);

    LeaderPanelLayout layout_;
    Element* picNum_;
    Lane& lane_;
    ConsoleState& state_;
    Pacer& pacer_;
    SoundEffects& sounds_;
};

}  // namespace ovant
