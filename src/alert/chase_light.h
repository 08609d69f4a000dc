#pragma once

#include <QColor>
#include <vector>

namespace ovant {
class RandomSource;
}

namespace ovant::alert {

// What a chase-light step paints. The frame shapes are the two elbows, which
// take a red or a white picture; a separator pair n is TrennObenN with
// TrennUntenN; the side buttons are ButtonUnten1..5; the block is ButtonOben1.
enum class ChasePart { FrameShapes, SeparatorPair, SideButton, Block };
// Red is the alert red, white is white, and a random red is a fresh tone of
// the red button palette, drawn when the change is made.
enum class ChasePaint { Red, White, RandomRed };

struct ChaseChange {
    ChasePart part;
    int number;  // the pair 1..6 or side button 1..5; 0 for the shapes and the block
    ChasePaint paint;
    bool operator==(const ChaseChange&) const = default;
};

// The counter runs 1..12; steps 7 to 12 repeat steps 1 to 6, so the light
// has six phases.
inline constexpr int kChaseSteps = 12;
inline constexpr int kChasePhases = 6;

// The step after `step`: one more, back to 1 after 12. A counter that was
// never used (0) or holds anything out of range also starts at 1.
int nextChaseStep(int step);

// The changes of one step in the order they are made, so the random reds are
// drawn in this order too. An out-of-range step changes nothing.
const std::vector<ChaseChange>& chaseStep(int step);

// A random red tone: the red button palette at a drawn index 1..4.
QColor randomRedTone(RandomSource& random);

}  // namespace ovant::alert
