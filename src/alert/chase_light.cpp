#include "alert/chase_light.h"

#include <array>

#include "console/palette.h"
#include "platform/random_source.h"

namespace ovant::alert {

namespace {

using P = ChasePart;
using C = ChasePaint;

// A white segment runs along the separator pairs 1 -> 6 while a white button
// runs down the side from 5 -> 1; each white turns back one step later (the
// buttons to a random red, so the button animation's mix carries on). On the
// sixth phase the elbows and pair 1 flash white, and the block at the top
// gets its random red back after being white since phase 1.
const std::array<std::vector<ChaseChange>, kChasePhases> kPhases = {{
    {{P::FrameShapes, 0, C::Red},
     {P::SeparatorPair, 1, C::Red},
     {P::SeparatorPair, 2, C::White},
     {P::SideButton, 5, C::White},
     {P::Block, 0, C::White}},
    {{P::SideButton, 5, C::RandomRed},
     {P::SideButton, 4, C::White},
     {P::SeparatorPair, 2, C::Red},
     {P::SeparatorPair, 3, C::White}},
    {{P::SideButton, 4, C::RandomRed},
     {P::SideButton, 3, C::White},
     {P::SeparatorPair, 3, C::Red},
     {P::SeparatorPair, 4, C::White}},
    {{P::SideButton, 3, C::RandomRed},
     {P::SideButton, 2, C::White},
     {P::SeparatorPair, 4, C::Red},
     {P::SeparatorPair, 5, C::White}},
    {{P::SideButton, 2, C::RandomRed},
     {P::SideButton, 1, C::White},
     {P::SeparatorPair, 5, C::Red},
     {P::SeparatorPair, 6, C::White}},
    {{P::SeparatorPair, 6, C::Red},
     {P::SideButton, 1, C::RandomRed},
     {P::Block, 0, C::RandomRed},
     {P::FrameShapes, 0, C::White},
     {P::SeparatorPair, 1, C::White}},
}};

const std::vector<ChaseChange> kNothing;

}  // namespace

int nextChaseStep(int step) {
    if (step < 1 || step >= kChaseSteps) {
        return 1;
    }
    return step + 1;
}

const std::vector<ChaseChange>& chaseStep(int step) {
    if (step < 1 || step > kChaseSteps) {
        return kNothing;
    }
    return kPhases[static_cast<std::size_t>((step - 1) % kChasePhases)];
}

QColor randomRedTone(RandomSource& random) {
    return changeColor(random.draw(4), static_cast<int>(Scheme::RedAlert));
}

}  // namespace ovant::alert
