#include "ops/resize_by_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vyd {

bool resizeByScale(Level& level) {
    Image& source = level.image;
    if (!source.hasPixels() || source.bitCount() != 24) return false;
    const int width = source.width(), height = source.height();
    const double sx = level.scaleX, sy = level.scaleY;
    const double newWidthExact = std::trunc(width * sx), newHeightExact = std::trunc(height * sy);
    if (newWidthExact * newHeightExact == 0 || sx * sy == 0) return false;
    // Beyond the largest dimension (or not a number) there is nothing to make.
    if (!(std::fabs(newWidthExact) <= kMaxDimension && std::fabs(newHeightExact) <= kMaxDimension)) return false;
    const int newWidth = static_cast<int>(newWidthExact), newHeight = static_cast<int>(newHeightExact);
    if (!sizeWithinLimits(24, newWidth, newHeight)) return false;

    Image resized;
    if (!createImage(resized, source.mode, 24, newWidth, newHeight)) return false;

    const double stepX = 1 / sx, stepY = 1 / sy;
    const double lastX = width - 1, lastY = height - 1;
    double y = 0;
    for (int row = 0; row < newHeight; ++row, y += stepY) {
        const double ya = std::min(y, lastY), yb = std::min(y + 1, lastY);
        const int j0 = static_cast<int>(ya), j1 = static_cast<int>(yb);
        const double fy = ya - j0;
        const uint8_t* top = source.row(j0);
        const uint8_t* bottom = source.row(j1);
        uint8_t* out = resized.row(row);
        double x = 0;
        for (int column = 0; column < newWidth; ++column, x += stepX) {
            const double xa = std::min(x, lastX), xb = std::min(x + 1, lastX);
            const int i0 = static_cast<int>(xa), i1 = static_cast<int>(xb);
            const double fx = xa - i0;
            for (int c = 0; c < 3; ++c) {
                const double value = std::trunc((1 - fy) * ((1 - fx) * top[3 * i0 + c] + fx * top[3 * i1 + c]) +
                                                fy * ((1 - fx) * bottom[3 * i0 + c] + fx * bottom[3 * i1 + c]));
                out[3 * column + c] = value <= 0 ? 0 : value >= 255 ? 255 : static_cast<uint8_t>(value);
            }
        }
    }

    adoptImage(level.image, resized);
    level.scaleX = 1;
    level.scaleY = 1;
    level.originX = level.originX / stepX;
    level.originY = level.originY / stepY;
    return true;
}

}  // namespace vyd
