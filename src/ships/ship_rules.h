#pragma once

#include <QString>
#include <array>

namespace ovant {

class RandomSource;

namespace ships {

// One class of the ship catalogue; small craft have no registry.
struct ShipClass {
    const char* name;
    const char* registry;  // null for none
    const char* shipClass;
    const char* picture;  // side view in the picture store
};

inline constexpr int kCatalogueSize = 9;
// Index 1 to 9 is the draw; index 0 is unused.
const std::array<ShipClass, kCatalogueSize + 1>& catalogue();
// Name, registry and class, one per line (two lines without a registry).
QString infoLines(const ShipClass& ship);
// The ship panel's caption: the same fields joined by " - ".
QString panelCaption(const ShipClass& ship);

inline constexpr int kActivities = 5;
// A line break, then what the ship does (draw 1 to 5).
QString activityLine(int draw);

// The message left where a ship jumped away; numbers carry a leading blank
// in place of their sign.
QString leavingMessage(int warp, int course, int courseTenth);
struct Leaving {
    int warp;         // 1 to 8
    int course;       // 0 to 360
    int courseTenth;  // 0 to 360
};
Leaving drawLeaving(RandomSource& random);

// Twips in the sector picture.
struct Point {
    int x;
    int y;
};
// Where the ship jumps away: 10 to 7750 across, 10 to 5040 down.
Point drawTarget(RandomSource& random);
// Where it enters: just outside one of the four edges, at a random place along it.
Point drawEntry(RandomSource& random);

// The only directions a ship may move in are fixed by where it entered:
// compared with 0, not with the target, so the entry edge decides one axis
// and on the other the ship can only move left or up (right or down from 0).
enum class Horizontal { Left, Right };
enum class Vertical { Up, Down };
struct Heading {
    Horizontal x;
    Vertical y;
};
Heading headingFrom(Point start);

inline constexpr int kStepTwips = 5;
// One motion step towards the target: each axis moves 5 twips while it has
// not reached the target in its direction, or is done. The ship arrives on
// the step that finds both axes done.
struct Step {
    Point position;
    bool xDone;
    bool yDone;
    bool arrived() const { return xDone && yDone; }
};
Step step(Point position, Point target, Heading heading);

}  // namespace ships
}  // namespace ovant
