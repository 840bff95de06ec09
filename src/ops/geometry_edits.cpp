#include "ops/geometry_edits.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "modes/colors.h"

namespace vyd {

namespace {

int bytesPerPixel(const Image& image) { return image.bitCount() == 24 ? 3 : 1; }
bool heldAt8or24(const Image& image) {
    return image.hasPixels() && (image.bitCount() == 8 || image.bitCount() == 24);
}

// A new record of the image's mode and depth at the given size with its palette and leftColor; false when
// it gets no pixels.
bool makeLike(const Image& image, Image& fresh, int width, int height) {
    if (!createImage(fresh, image.mode, image.bitCount(), width, height)) return false;
    std::copy(std::begin(image.palette), std::end(image.palette), fresh.palette);
    fresh.leftColor = image.leftColor;
    return true;
}

}  // namespace

void flipTopBottom(Image& image) {
    if (!image.hasPixels()) return;
    const size_t bytes = static_cast<size_t>(image.stride);
    std::vector<uint8_t> spare(bytes);
    for (int i = 0; i < image.height() / 2; ++i) {
        uint8_t *top = image.row(i), *bottom = image.row(image.height() - 1 - i);
        std::memcpy(spare.data(), top, bytes);
        std::memcpy(top, bottom, bytes);
        std::memcpy(bottom, spare.data(), bytes);
    }
}

bool flipLeftRight(Image& image) {
    if (!heldAt8or24(image)) return false;
    const int n = bytesPerPixel(image), width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < width / 2; ++x) std::swap_ranges(row + n * x, row + n * (x + 1), row + n * (width - 1 - x));
    }
    return true;
}

bool rotateRight(Image& image) {
    if (!heldAt8or24(image)) return false;
    const int oldWidth = image.width(), oldHeight = image.height(), n = bytesPerPixel(image);
    Image turned;
    if (!makeLike(image, turned, oldHeight, oldWidth)) return false;
    for (int y = 0; y < oldHeight; ++y) {
        const uint8_t* from = image.row(y);
        const int column = oldHeight - 1 - y;
        for (int x = 0; x < oldWidth; ++x) {
            std::memcpy(turned.row(x) + n * column, from + n * x, static_cast<size_t>(n));
        }
    }
    adoptImage(image, turned);
    return true;
}

bool trimTransparentEdges(Image& image) {
    if (!heldAt8or24(image) || (image.leftColor >> 24) != 0) return false;
    const int n = bytesPerPixel(image), width = image.width(), height = image.height();
    const Color transparent =
        n == 3 ? image.leftColor : static_cast<Color>(nearestPaletteIndex(image, image.leftColor, false));
    int top = height, bottom = 0, left = width, right = 0;
    bool opaque = false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x, p += n) {
            const Color c = n == 3 ? colorOfPixel(p) : Color{*p};
            if (c == transparent) continue;
            opaque = true;
            top = std::min(top, y), bottom = std::max(bottom, y);
            left = std::min(left, x), right = std::max(right, x);
        }
    }
    if (!opaque) return false;
    Image box;
    if (!makeLike(image, box, right - left + 1, bottom - top + 1)) return false;
    for (int y = top; y <= bottom; ++y) {
        std::memcpy(box.row(y - top), image.row(y) + n * left, static_cast<size_t>(n * (right - left + 1)));
    }
    adoptImage(image, box);
    return true;
}

HalveResult halveBlackWins(Image& image) {
    const int width = image.width() / 2, height = image.height() / 2;
    const bool twoColor = image.mode == kMode2;
    if (!twoColor) {
        if (image.bitCount() == 24) return HalveResult::Truecolor;
        if (image.bitCount() != 8) return HalveResult::NotHandled;
    }
    const int white = twoColor ? 15 : findPaletteColor(image, makeColor(255, 255, 255));
    if (white < 0) return HalveResult::NoWhite;
    Image half;
    // A picture without pixels (or one of 2-color mode not held at 8 bits) has nothing to halve either.
    if (!image.hasPixels() || image.bitCount() != 8 || !createImage(half, image.mode, 8, width, height)) {
        return HalveResult::NoBody;
    }
    if (!twoColor) std::copy(std::begin(image.palette), std::end(image.palette), half.palette);
    for (int y = 0; y < height; ++y) {
        const uint8_t *upper = image.row(2 * y), *lower = image.row(2 * y + 1);
        uint8_t* to = half.row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t block[4] = {upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]};
            if (twoColor) {
                to[x] = static_cast<uint8_t>(block[0] & block[1] & block[2] & block[3]);
            } else {
                const uint8_t* dark = std::find_if(block, block + 4, [&](uint8_t v) { return v != white; });
                to[x] = dark == block + 4 ? static_cast<uint8_t>(white) : *dark;
            }
        }
    }
    adoptImage(image, half);
    return HalveResult::Done;
}

}  // namespace vyd
