#pragma once

#include <QColor>
#include <QString>
#include <optional>

#include "platform/random_source.h"

namespace ovant::buttons {

// One side button recoloured by the button animation: 1 is ButtonOben1,
// 2 to 6 are ButtonUnten1 to ButtonUnten5.
struct ButtonChange {
    int button;
    QColor colour;
};

// Picks a button, then a colour of the palette of mode 1 (normal) or 2 (red
// alert). The caller leaves a white button alone: the red-alert chase light
// owns it.
ButtonChange changeButtonsDraw(int mode, RandomSource& random);

// Whether a button shows the chase light's white, whatever its alpha.
bool isWhite(const QColor& colour);

// The next interval of the side-button animation, 800 to 2000 ms, and of the
// pill-button animation, 600 to 2000 ms.
int tmrAniInterval(RandomSource& random);
int tmrAni1Interval(RandomSource& random);

// One pill button given a new picture: 2 to 5 are ButtonOben2 to ButtonOben5.
struct PillChange {
    int button;
    QString picture;
};

// Picks a pill button and a picture of the normal set (mode 1) or of the
// red-alert set (mode 2). The picture is replaced even if it is already
// shown. Any other mode changes nothing and draws nothing.
std::optional<PillChange> changeOvalButtonsDraw(int mode, RandomSource& random);

}  // namespace ovant::buttons
