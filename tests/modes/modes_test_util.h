// Small helpers for building pictures in the colour-mode tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/image.h"

namespace vyd::test {

inline Image makeImage(int mode, int bits, int width, int height) {
    Image image;
    EXPECT_NE(createImage(image, mode, bits, width, height), nullptr);
    // A known fill, so that rows a conversion forgot to write show up.
    if (image.hasPixels()) std::fill(image.pixels.data(), image.pixels.data() + image.pixels.size(), 0xCD);
    return image;
}

// One row of pixel bytes, counted from the top.
inline std::vector<uint8_t> rowBytes(const Image& image, int y, int count) {
    const uint8_t* r = image.row(y);
    return std::vector<uint8_t>(r, r + count);
}

inline void setTruecolor(Image& image, int x, int y, uint8_t blue, uint8_t green, uint8_t red) {
    uint8_t* p = image.row(y) + 3 * x;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

inline RgbQuad quad(uint8_t blue, uint8_t green, uint8_t red) { return {blue, green, red, 0}; }

inline RgbQuad defaultQuad(int i) {
    return {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
}

}  // namespace vyd::test
