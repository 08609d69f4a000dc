#pragma once

#include <QImage>
#include <QRegion>

namespace ovant {

// Cuts a picture to its own outline: every pixel of the colour of the
// top-left pixel becomes a hole. The result is the union of one-pixel-high
// runs of the other pixels, row by row, in the picture's pixel coordinates,
// read over `width` x `height` pixels (pixels outside the image count as holes).
QRegion outlineRegion(const QImage& image, int width, int height);

}  // namespace ovant
