#pragma once

#include <QSize>

namespace ovant {

// The console refuses a screen only when it is both narrower than 700 and
// lower than 550 pixels: 640 x 600 or 1024 x 500 still run.
constexpr bool screenTooSmall(QSize pixels) {
    return pixels.width() < 700 && pixels.height() < 550;
}

// The screen-wide frame bars are laid out only on screens larger than
// 900 x 650 pixels; exactly 900 or 650 does not count.
constexpr bool screenTakesWideBars(QSize pixels) {
    return pixels.width() > 900 && pixels.height() > 650;
}

}  // namespace ovant
