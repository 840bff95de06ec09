// Draws the demo pictures of examples/ with VYD's own conversion and BMP writer:
//   background.bmp  240 x 160 truecolor: sky, sea and a green shore
//   sun.bmp         48 x 48 16-color: a yellow disc with rays on magenta
//   house.bmp       64 x 56 16-color: walls, roof, door and windows on magenta
//   tree.bmp        40 x 64 2-color: a black tree on white
//   cloud.bmp       72 x 36 greyshades: a soft cloud on black
// Magenta, white and black are the backgrounds to pick as each object's transparent colour.
// Usage: make_examples [FOLDER]   (default: the current folder)
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "formats/codec_messages.h"
#include "formats/format_table.h"
#include "modes/imageconv.h"

namespace {

using vyd::Color;
using vyd::Image;
using vyd::makeColor;

constexpr Color kMagenta = makeColor(255, 0, 255);

// A truecolor picture whose pixel (x, y from the top) is paint(x, y).
Image paint(int width, int height, const std::function<Color(int, int)>& colourAt) {
    Image image;
    vyd::createImage(image, vyd::kModeTrue24, 24, width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const Color c = colourAt(x, y);
            p[0] = vyd::blueOf(c);
            p[1] = vyd::greenOf(c);
            p[2] = vyd::redOf(c);
        }
    }
    return image;
}

uint8_t clampByte(double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

Color background(int x, int y) {
    const double shore = 118 + 10 * std::sin(x / 23.0) + 6 * std::sin(x / 7.0);
    if (y < 90) return makeColor(clampByte(90 + y), clampByte(150 + y), 255);  // sky, lighter downwards
    if (y < shore) {
        const double wave = 8 * std::sin(x / 5.0 + y / 2.0);
        return makeColor(20, clampByte(90 + (y - 90) + wave), clampByte(170 - (y - 90) + wave));
    }
    return makeColor(clampByte(40 + (y - shore)), clampByte(150 - (y - shore)), 40);  // grass
}

Color sun(int x, int y) {
    const double dx = x - 23.5, dy = y - 23.5, r = std::hypot(dx, dy);
    if (r < 13) return makeColor(255, 255, 0);
    const double angle = std::atan2(dy, dx);
    if (r < 22 && std::fabs(std::sin(4 * angle)) > 0.92) return makeColor(255, 255, 0);
    return kMagenta;
}

Color house(int x, int y) {
    const int roofBase = 24;
    if (y < roofBase) {
        // A red roof: a triangle from the ridge at the middle down to the eaves.
        return std::abs(x - 32) <= (y * 32) / roofBase ? makeColor(200, 0, 0) : kMagenta;
    }
    if (x < 6 || x > 57) return kMagenta;
    if (x >= 26 && x < 38 && y >= 36) return makeColor(150, 80, 0);  // door
    const bool window = y >= 30 && y < 42 && ((x >= 11 && x < 21) || (x >= 43 && x < 53));
    if (window) return (x % 5 == 0 || y == 36) ? makeColor(80, 80, 80) : makeColor(0, 255, 255);
    return makeColor(255, 255, 255);
}

Color tree(int x, int y) {
    const double crown = std::hypot((x - 19.5) / 17.0, (y - 22) / 21.0);
    const bool trunk = x >= 16 && x < 24 && y >= 38;
    return crown < 1 || trunk ? makeColor(0, 0, 0) : makeColor(255, 255, 255);
}

Color cloud(int x, int y) {
    double v = 0;
    for (auto [cx, cy, r] : {std::tuple{20.0, 22.0, 13.0}, {36.0, 16.0, 15.0}, {52.0, 22.0, 12.0}}) {
        const double d = std::hypot(x - cx, y - cy) / r;
        v = std::max(v, d < 1 ? 1 - d * d : 0.0);
    }
    const uint8_t grey = clampByte(v > 0 ? 170 + 85 * v : 0);
    return makeColor(grey, grey, grey);
}

bool save(const std::string& folder, const char* name, const Image& truecolor, int code) {
    Image picture;
    if (code == vyd::kCodeTrue) {
        picture = vyd::cloneImage(truecolor);
    } else if (!vyd::imageconv(truecolor, picture, code)) {
        std::fprintf(stderr, "%s: conversion failed\n", name);
        return false;
    }
    const std::string path = folder + "/" + name;
    const vyd::Encoded result = vyd::encodeImageFile(vyd::kBmpFormat, picture, {}, path);
    for (const vyd::CodecNotice& warning : result.warnings) std::fprintf(stderr, "%s: %s\n", name, vyd::codecText(warning).c_str());
    if (result.failure) std::fprintf(stderr, "%s: %s\n", name, vyd::codecText(*result.failure).c_str());
    if (result.ok()) std::printf("wrote %s\n", path.c_str());
    return result.ok();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    bool ok = save(folder, "background.bmp", paint(240, 160, background), vyd::kCodeTrue);
    ok = save(folder, "sun.bmp", paint(48, 48, sun), vyd::kCode16Color) && ok;
    ok = save(folder, "house.bmp", paint(64, 56, house), vyd::kCode16Color) && ok;
    ok = save(folder, "tree.bmp", paint(40, 64, tree), vyd::kCode2Color) && ok;
    ok = save(folder, "cloud.bmp", paint(72, 36, cloud), vyd::kCodeGreys) && ok;
    return ok ? 0 : 1;
}
