#pragma once

#include <QSize>
#include <QString>

namespace ovant::scale {

// The area the console needs at its designed size, in twips: the height of
// its designed client area (618 pixels), and for the width the console
// picture (11745 twips) centred with its shift of 110 twips to the right,
// which needs 110 twips more on either side (about 798 pixels).
inline constexpr double kNeedWidthTwips = 11745 + 2 * 110;
inline constexpr double kNeedHeightTwips = 9270;

// Nothing is drawn smaller than this: below it the console's thinnest bars
// vanish and its texts are single pixels.
inline constexpr double kSmallest = 0.1;

// The largest factor at which the console fits an area of `pixels`. From 1
// upwards it steps in quarters, so that a designed pixel always becomes the
// same whole number of pixels every four pixels and the frame's bars keep
// even widths; below 1 (a screen just above the refusal limit, a small
// preview window) it steps in hundredths, so that the console fills as much
// of a small area as it can. Never below kSmallest.
double fitFactor(QSize pixels);

// The factor the stored setting asks for on a screen of `pixels`: "fit"
// (any case, blanks around it ignored) is fitFactor(). A number ("1.5", or
// "1,5" as a German user writes it) is taken as given, but never larger than
// what fits the screen (a screen too small for the designed console keeps 1,
// as without the setting) and never smaller than one half. A text that is no
// positive finite number ("", "abc", "0", "-2", "nan") is the default 1.
double consoleScale(QSize pixels, const QString& setting);

}  // namespace ovant::scale
