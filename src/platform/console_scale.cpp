#include "platform/console_scale.h"

#include <algorithm>
#include <cmath>

#include "platform/twips.h"

namespace ovant::scale {

namespace {

// The factor at which the console exactly fills the area, unrounded.
double exactFit(QSize pixels) {
    return std::min(pixels.width() * Twips::kPerPixel / kNeedWidthTwips,
                    pixels.height() * Twips::kPerPixel / kNeedHeightTwips);
}

// A requested number may shrink the console down to this, no further.
constexpr double kSmallestAsked = 0.5;

}  // namespace

double fitFactor(QSize pixels) {
    const double exact = exactFit(pixels);
    if (!(exact > kSmallest)) {
        return kSmallest;
    }
    // A hair of tolerance, so that an area of exactly 2 x the need is 2, not
    // 1.75 after a rounding error in the division.
    constexpr double kTolerance = 1e-9;
    const double steps = exact >= 1.0 ? 4.0 : 100.0;
    return std::max(kSmallest, std::floor(exact * steps + kTolerance) / steps);
}

double consoleScale(QSize pixels, const QString& setting) {
    const QString text = setting.trimmed();
    if (text.compare(QLatin1String("fit"), Qt::CaseInsensitive) == 0) {
        return fitFactor(pixels);
    }
    QString number = text;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double asked = number.toDouble(&ok);
    if (!ok || !std::isfinite(asked) || asked <= 0.0) {
        return 1.0;
    }
    const double largest = std::max(1.0, exactFit(pixels));
    return std::clamp(asked, kSmallestAsked, largest);
}

}  // namespace ovant::scale
