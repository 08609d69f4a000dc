#include "scene/scanner_flight.h"

namespace ovant::scanner {

Flight::Flight(FlightPosition start, Frame target)
    : position_(start),
      target_(target),
      left_(start.bracketLeft > target.x),
      up_(start.bracketTop > target.y) {}

bool Flight::step() {
    if (finished()) {
        return false;
    }
    ++passes_;

    double& left = position_.bracketLeft;
    if (left_ ? left > target_.x : left < target_.x) {
        left += left_ ? -kStep : kStep;
        horizontalDone_ = false;
    } else {
        horizontalDone_ = true;
    }

    // Downwards the frame also moves while level with the target, so it ends
    // one step below; the snap on arrival puts it back.
    double& top = position_.bracketTop;
    if (up_ ? top > target_.y : top <= target_.y) {
        top += up_ ? -kStep : kStep;
        verticalDone_ = false;
    } else {
        verticalDone_ = true;
    }
    return true;
}

}  // namespace ovant::scanner
