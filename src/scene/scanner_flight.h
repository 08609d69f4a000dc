#pragma once

#include "scene/scanner_geometry.h"

namespace ovant::scanner {

// Where the "[" bracket stands: its left edge and the top of both brackets.
struct FlightPosition {
    double bracketLeft;
    double bracketTop;
};

// The scanner's flight towards a target frame, one pass of the flight loop per
// step() and free of widgets: the console draws the position and pauses
// between steps. Each pass moves both axes by 100 twips at once, so the frame
// travels diagonally until one axis is done and then straight along the other.
//
// The flight does not land exactly: it stops up to 99 twips past the target
// on an axis that does not divide evenly, and a downward flight always takes
// one step past the target top (even when it starts level with it). The
// console snaps the frame onto the target once the flight is over.
class Flight {
public:
    static constexpr double kStep = 100;

    // Directions are fixed here from the start: left if "[" stands right of
    // the target, else right; up if it stands below the target, else down.
    Flight(FlightPosition start, Frame target);

    // One pass of the loop. Returns false, without moving, once both axes were
    // done before this pass (the flight is over); true when the pass moved the
    // frame or marked an axis done.
    bool step();

    FlightPosition position() const { return position_; }
    Frame target() const { return target_; }
    bool horizontalDone() const { return horizontalDone_; }
    bool verticalDone() const { return verticalDone_; }
    bool finished() const { return horizontalDone_ && verticalDone_; }
    // Passes that returned true, i.e. pauses the console makes.
    int passes() const { return passes_; }

private:
    FlightPosition position_;
    Frame target_;
    bool left_;
    bool up_;
    bool horizontalDone_ = false;
    bool verticalDone_ = false;
    int passes_ = 0;
};

}  // namespace ovant::scanner
