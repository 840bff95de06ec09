// Helpers of the PCX tests: PCX files built by hand, PPM pictures, and a pixel comparison that names the
// first difference.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "image/image.h"

namespace vyd::pcxtest {

using Bytes = std::vector<uint8_t>;

// A 128-byte header with the given fields; palette and the rest zero.
inline Bytes header(int bitsPerPixel, int planes, int width, int height, int bytesPerLine, int version = 5) {
    Bytes h(128, 0);
    auto put16 = [&h](size_t at, int v) { h[at] = static_cast<uint8_t>(v); h[at + 1] = static_cast<uint8_t>(v >> 8); };
    h[0] = 0x0A;
    h[1] = static_cast<uint8_t>(version);
    h[2] = 1;
    h[3] = static_cast<uint8_t>(bitsPerPixel);
    put16(8, width - 1);
    put16(10, height - 1);
    put16(12, 300);
    put16(14, 300);
    h[65] = static_cast<uint8_t>(planes);
    put16(66, bytesPerLine);
    put16(68, 1);
    return h;
}

inline void append(Bytes& to, std::initializer_list<int> bytes) {
    for (int b : bytes) to.push_back(static_cast<uint8_t>(b));
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

inline Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The colour each pixel of an 8-bit (through the palette) or 24-bit picture shows.
inline Rgb shownColors(const Image& image) {
    Rgb rgb{image.width(), image.height(), {}};
    rgb.pixels.reserve(static_cast<size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Color c = pixelColor(image, x, y, true);
            rgb.pixels.push_back(redOf(c));
            rgb.pixels.push_back(greenOf(c));
            rgb.pixels.push_back(blueOf(c));
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
    std::string path;
    ScratchDir() {
        char pattern[] = "/tmp/vyd_pcx_XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made ? made : "/tmp";
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (path != "/tmp") std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

}  // namespace vyd::pcxtest
