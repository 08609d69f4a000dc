#include "console/button_animation.h"

#include "console/timings.h"

#include <array>

#include "console/palette.h"

namespace ovant::buttons {

ButtonChange changeButtonsDraw(int mode, RandomSource& random) {
    const int button = random.draw(6);
    const int colourIndex = random.draw(4);
    return {button, changeColor(colourIndex, mode)};
}

bool isWhite(const QColor& colour) {
    return colour.isValid() && colour.red() == 255 && colour.green() == 255 && colour.blue() == 255;
}

int tmrAniInterval(RandomSource& random) {
    return random.between(timing::kSideButtonsNext.minMs, timing::kSideButtonsNext.maxMs);
}

int tmrAni1Interval(RandomSource& random) {
    return random.between(timing::kPillButtonsNext.minMs, timing::kPillButtonsNext.maxMs);
}

std::optional<PillChange> changeOvalButtonsDraw(int mode, RandomSource& random) {
    static const std::array<QString, 4> normal{
        QStringLiteral("Button_rot"), QStringLiteral("Button_blau"), QStringLiteral("Button_lila"),
        QStringLiteral("Button_gelb")};
    static const std::array<QString, 3> redAlert{QStringLiteral("Button_rot1"),
                                                 QStringLiteral("Button_dunkelrot"),
                                                 QStringLiteral("Button_wei\u00df")};
    if (mode != 1 && mode != 2) {
        return std::nullopt;
    }
    // ButtonOben2 to ButtonOben5 are pills 1 to 4.
    const int button = random.draw(4) + 1;
    if (mode == 1) {
        return PillChange{button, normal[static_cast<std::size_t>(random.draw(4) - 1)]};
    }
    return PillChange{button, redAlert[static_cast<std::size_t>(random.draw(3) - 1)]};
}

}  // namespace ovant::buttons
