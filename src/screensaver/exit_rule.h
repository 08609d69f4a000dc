#pragma once

#include <QHash>
#include <QPointF>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace ovant {

class Element;
class ElementTree;
struct ConsoleState;

namespace exitrule {

// A pointer event that a handler listens to.
enum Event : unsigned { Press = 1U, Move = 2U, PressAndMove = Press | Move };

// One element (or group) and the events whose handlers end the screen saver
// on a pointer jump. "MainForm" is the window itself; a group name such as
// "Label2" stands for all its members "Label2(i)", which share one handler.
struct HandlerSpec {
    const char* element;
    unsigned events;
};

// Every listed handler: a press and a move handler of one element count as
// two, a group's handler as one.
std::span<const HandlerSpec> handlers();
int handlerCount();

// Whole twips, halves to the even neighbour, whatever the floating-point
// rounding mode is set to.
std::int64_t roundHalfToEven(double twips);

// Where one handler last saw the pointer. Positions are kept in 64 bits: a
// screen wider than about 2184 pixels already gives positions beyond 32767
// twips, and they must neither wrap nor overflow.
class RememberedPointer {
public:
    // True when the pointer has jumped 20 twips or more along either axis
    // since the last event this handler kept; otherwise the position is kept.
    // While the kept position is the origin (as at first), nothing is a jump.
    bool jumped(QPointF twips);

    std::int64_t lastX() const { return lastX_; }
    std::int64_t lastY() const { return lastY_; }

private:
    std::int64_t lastX_ = 0;
    std::int64_t lastY_ = 0;
};

}  // namespace exitrule

// The screen saver ends on the first real movement or press of the pointer:
// each listed handler compares the pointer with where it saw it last, and a
// jump of 20 twips or more ends the console. A resting or trembling pointer
// never ends it. Elements not listed keep their own commands.
class ExitRule {
public:
    ExitRule(const ConsoleState& state, std::function<void()> exitConsole);

    // Finds every listed element in the tree and gives each handler its own
    // remembered pointer. Returns the listed names that name no element.
    QStringList wire(const ElementTree& tree);

    // Runs before the element's own press or move duty. `hit` is the element
    // under the pointer (the tree's root for the window itself), `twips` the
    // position in it. True when the console was ended: the element's own duty
    // must not run any more.
    bool press(const Element* hit, QPointF twips);
    bool move(const Element* hit, QPointF twips);

    // Handlers found by wire(), press and move counted apart.
    int wiredHandlers() const { return static_cast<int>(pointers_.size()); }

private:
    bool apply(const QHash<const Element*, int>& handlers, const Element* hit, QPointF twips);

    const ConsoleState& state_;
    std::function<void()> exitConsole_;
    std::vector<exitrule::RememberedPointer> pointers_;
    QHash<const Element*, int> pressHandler_;
    QHash<const Element*, int> moveHandler_;
};

}  // namespace ovant
