#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>

namespace testing {

// The largest difference of one colour channel between two images inside
// `area`. A label that moves copies its text from an image, and blending a
// glyph's edge that way may round one level differently from drawing it
// directly; a missing or stale change differs by far more.
inline int largestDifference(const QImage& a, const QImage& b, const QRect& area) {
    int largest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// Whether two images of one size show the same, but for that rounding.
inline bool looksTheSame(const QImage& a, const QImage& b) {
    return a.size() == b.size() && largestDifference(a, b, a.rect()) <= 1;
}

}  // namespace testing
