// Helpers of the JPEG tests: reference pictures in PPM/PGM form, comparison by PSNR, synthetic pictures.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "image/image.h"
#include "support/codec_bytes.h"

namespace vyd::testing {

// A picture as rows of red, green, blue from the top, the order PPM files and Pillow use.
struct Rgb {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;  // width * height * 3
    const uint8_t* at(int x, int y) const { return bytes.data() + (static_cast<size_t>(y) * width + x) * 3; }
};

// Reads a binary PPM (P6) or PGM (P5, expanded to grey RGB) with a maximum value of 255.
inline std::optional<Rgb> readNetpbm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    auto field = [&in](int& value) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
        in >> value;
    };
    in >> magic;
    field(width);
    field(height);
    field(maxValue);
    in.get();
    if (!in || (magic != "P6" && magic != "P5") || maxValue != 255 || width <= 0 || height <= 0) return {};
    int channels = magic == "P6" ? 3 : 1;
    std::vector<uint8_t> raw(static_cast<size_t>(width) * height * channels);
    in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
    if (!in) return {};
    Rgb rgb{width, height, {}};
    if (channels == 3) {
        rgb.bytes = std::move(raw);
    } else {
        rgb.bytes.reserve(raw.size() * 3);
        for (uint8_t v : raw) rgb.bytes.insert(rgb.bytes.end(), {v, v, v});
    }
    return rgb;
}

using test::readBytes;
using test::writeBytes;

// Peak signal-to-noise ratio of a truecolor image against a reference picture (infinity when equal, -1 when
// the sizes differ).
inline double psnr(const Image& image, const Rgb& reference) {
    if (image.width() != reference.width || image.height() != reference.height) return -1;
    double squares = 0;
    for (int y = 0; y < reference.height; ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < reference.width; ++x) {
            const uint8_t* ref = reference.at(x, y);
            for (int c = 0; c < 3; ++c) {
                double d = static_cast<double>(row[3 * x + 2 - c]) - ref[c];
                squares += d * d;
            }
        }
    }
    double mse = squares / (3.0 * reference.width * reference.height);
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// The largest difference of any channel of any pixel.
inline int maxDifference(const Image& image, const Rgb& reference) {
    int worst = 0;
    for (int y = 0; y < reference.height; ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < reference.width; ++x) {
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(row[3 * x + 2 - c] - reference.at(x, y)[c]));
        }
    }
    return worst;
}

// A smooth truecolor picture with a few edges, the kind JPEG is made for.
inline Image syntheticPicture(int width, int height) {
    Image image;
    createImage(image, -1, 24, width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            bool disc = (x - width / 3) * (x - width / 3) + (y - height / 2) * (y - height / 2) < height * height / 9;
            row[3 * x + 0] = static_cast<uint8_t>(255 * x / std::max(1, width - 1));                   // blue
            row[3 * x + 1] = static_cast<uint8_t>(disc ? 40 : 255 * y / std::max(1, height - 1));      // green
            row[3 * x + 2] = static_cast<uint8_t>(disc ? 220 : 128 + 100 * std::sin(x * 0.05 + y * 0.03));  // red
        }
    }
    return image;
}

// The image as top-down RGB, for comparisons.
inline Rgb toRgb(const Image& image) {
    Rgb rgb{image.width(), image.height(), {}};
    rgb.bytes.reserve(static_cast<size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x) rgb.bytes.insert(rgb.bytes.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    return rgb;
}

}  // namespace vyd::testing
