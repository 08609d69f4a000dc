#include "platform/outline_cut.h"

namespace ovant {

QRegion outlineRegion(const QImage& image, int width, int height) {
    QRegion region;
    if (image.isNull() || width <= 0 || height <= 0) {
        return region;
    }
    const QRgb key = image.pixel(0, 0);
    auto opaque = [&](int x, int y) {
        return x < image.width() && y < image.height() && image.pixel(x, y) != key;
    };
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && !opaque(x, y)) {
                ++x;
            }
            if (x >= width) {
                break;
            }
            const int start = x;
            while (x < width && opaque(x, y)) {
                ++x;
            }
            region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

}  // namespace ovant
