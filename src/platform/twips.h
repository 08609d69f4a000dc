#pragma once

#include <QRect>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace ovant {

// Layout is designed in twips: 1440 per inch, 15 per pixel at 96 DPI. This is
// the one place where twips become pixels; `scale` enlarges the whole console
// (1 draws it at its designed size).
class Twips {
public:
    static constexpr double kPerPixel = 15.0;

    explicit constexpr Twips(double scale = 1.0) : scale_(scale) {}

    constexpr double scale() const { return scale_; }
    double toPixelsF(double twips) const { return twips * scale_ / kPerPixel; }
    int toPixels(double twips) const { return static_cast<int>(std::lround(toPixelsF(twips))); }
    double fromPixels(double pixels) const { return pixels * kPerPixel / scale_; }

    // Font sizes are given in points; they become pixels at 96 DPI times the
    // scale, so text does not depend on the X server's DPI setting.
    int fontPixels(double points) const {
        return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0 * scale_)));
    }

private:
    double scale_;
};

}  // namespace ovant
