// Small helpers for building pictures in the colour-mode tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/image.h"

namespace vyd::test {

// A picture filled with 0xCD, so that bytes a conversion forgot to write show up.
inline Image makeImage(int mode, int bits, int width, int height) {
    Image image;
    EXPECT_NE(createImage(image, mode, bits, width, height), nullptr);
    if (image.hasPixels()) std::fill(image.pixels.data(), image.pixels.data() + image.pixels.size(), 0xCD);
    return image;
}

// A one-row picture holding the given bytes (three a pixel for truecolor).
inline Image rowImage(int mode, int bits, std::vector<uint8_t> bytes) {
    Image image = makeImage(mode, bits, static_cast<int>(bytes.size()) / (bits == 24 ? 3 : 1), 1);
    std::copy(bytes.begin(), bytes.end(), image.row(0));
    return image;
}

inline std::vector<uint8_t> rowBytes(const Image& image, int y, int count) {
    return std::vector<uint8_t>(image.row(y), image.row(y) + count);
}

inline RgbQuad quad(uint8_t blue, uint8_t green, uint8_t red) { return {blue, green, red, 0}; }
inline RgbQuad defaultQuad(int i) {
    return {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
}

}  // namespace vyd::test
