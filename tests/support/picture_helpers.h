// Small pictures with known pixels for the composition and display tests, and readers of single pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "image/image.h"

namespace vyd::testing {

// A truecolor picture whose pixel (x, y) (y from the top) has the colour fill(x, y).
inline Image truecolor(int width, int height, const std::function<Color(int, int)>& fill) {
    Image image;
    createImage(image, -1, 24, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Color c = fill(x, y);
            uint8_t* p = image.row(y) + 3 * x;
            p[0] = blueOf(c);
            p[1] = greenOf(c);
            p[2] = redOf(c);
        }
    }
    return image;
}

// A picture held at 8 bits in the given mode whose pixel (x, y) has the index fill(x, y).
inline Image indexed(int mode, int width, int height, const std::function<uint8_t(int, int)>& fill) {
    Image image;
    createImage(image, mode, 8, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.row(y)[x] = fill(x, y);
    }
    return image;
}

// The colour of pixel (x, y) of a truecolor picture, or the index of an 8-bit one.
inline Color at(const Image& image, int x, int y) {
    const uint8_t* row = image.row(y);
    if (image.bitCount() == 8) return row[x];
    const uint8_t* p = row + 3 * x;
    return p[0] | (Color{p[1]} << 8) | (Color{p[2]} << 16);
}

// A colour that tells source pixels apart: red = x, green = y, blue = a tag.
inline Color coded(int x, int y, int tag = 0x40) { return makeColor(x & 0xFF, y & 0xFF, tag & 0xFF); }

// A picture filled with 0xCD, so that bytes a conversion forgot to write show up.
inline Image makeImage(int mode, int bits, int width, int height) {
    Image image;
    createImage(image, mode, bits, width, height);
    if (image.hasPixels()) std::fill(image.pixels.data(), image.pixels.data() + image.pixels.size(), 0xCD);
    return image;
}

// A one-row picture holding the given bytes (three a pixel for truecolor).
inline Image rowImage(int mode, int bits, std::vector<uint8_t> bytes) {
    Image image = makeImage(mode, bits, static_cast<int>(bytes.size()) / (bits == 24 ? 3 : 1), 1);
    std::copy(bytes.begin(), bytes.end(), image.row(0));
    return image;
}

inline RgbQuad defaultQuad(int i) { return {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2]}; }

}  // namespace vyd::testing
