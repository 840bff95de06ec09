// Helpers of the PCX tests: PPM pictures and a pixel comparison that names the first difference, besides the
// shared codec test helpers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "image/image.h"
#include "support/codec_bytes.h"

namespace vyd::pcxtest {

using test::append;
using test::Bytes;
using test::readBytes;
using test::writeBytes;
inline Bytes header(int bitsPerPixel, int planes, int width, int height, int bytesPerLine, int version = 5) {
    return test::pcxHeader(bitsPerPixel, planes, width, height, bytesPerLine, version);
}

// An RGB picture, rows top-down.
struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // red, green, blue
};

inline std::optional<Rgb> readPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string magic;
    int maxValue = 0;
    Rgb rgb;
    in >> magic >> rgb.width >> rgb.height >> maxValue;
    if (magic != "P6" || maxValue != 255 || rgb.width <= 0 || rgb.height <= 0) return std::nullopt;
    in.get();
    rgb.pixels.resize(static_cast<size_t>(rgb.width) * rgb.height * 3);
    in.read(reinterpret_cast<char*>(rgb.pixels.data()), static_cast<std::streamsize>(rgb.pixels.size()));
    if (!in) return std::nullopt;
    return rgb;
}

inline bool writePpm(const std::string& path, const Rgb& rgb) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << rgb.width << " " << rgb.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.pixels.data()), static_cast<std::streamsize>(rgb.pixels.size()));
    return static_cast<bool>(out);
}

// The colour each pixel of an 8-bit (through the palette) or 24-bit picture shows.
inline Rgb shownColors(const Image& image) {
    Rgb rgb{image.width(), image.height(), {}};
    rgb.pixels.reserve(static_cast<size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t c = test::rgbAt(image, x, y);
            rgb.pixels.insert(rgb.pixels.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        }
    }
    return rgb;
}

// Empty when equal, else where and how the pictures first differ.
inline std::string firstDifference(const Rgb& got, const Rgb& want) {
    if (got.width != want.width || got.height != want.height) {
        return "size " + std::to_string(got.width) + "x" + std::to_string(got.height) + " instead of " +
               std::to_string(want.width) + "x" + std::to_string(want.height);
    }
    for (size_t i = 0; i < got.pixels.size(); i += 3) {
        if (got.pixels[i] != want.pixels[i] || got.pixels[i + 1] != want.pixels[i + 1] ||
            got.pixels[i + 2] != want.pixels[i + 2]) {
            const size_t p = i / 3;
            char text[160];
            std::snprintf(text, sizeof text, "pixel (%zu, %zu) is %u,%u,%u instead of %u,%u,%u",
                          p % got.width, p / got.width, got.pixels[i], got.pixels[i + 1], got.pixels[i + 2],
                          want.pixels[i], want.pixels[i + 1], want.pixels[i + 2]);
            return text;
        }
    }
    return {};
}

// A scratch folder for one test, removed with it.
struct ScratchDir {
    test::ScratchDir dir;
    std::string path = dir.path().string();
    std::string file(const std::string& name) const { return dir.file(name); }
};

}  // namespace vyd::pcxtest
