#include "ops/pixel_edits.h"

#include <algorithm>
#include <array>

#include "modes/colors.h"

namespace vyd {

namespace {

bool isTruecolorMode(int mode) { return mode == kModeTrue16 || mode == kModeTrue24 || mode == kModeTrue32; }
bool heldTruecolor(const Image& image) { return image.hasPixels() && image.bitCount() == 24; }

// Calls edit(p) for the three bytes (blue, green, red) of every pixel of a 24-bit picture.
template <typename Edit>
bool editTruecolorPixels(Image& image, Edit edit) {
    if (!heldTruecolor(image)) return false;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x, p += 3) edit(p);
    }
    return true;
}

// Calls edit(index) for every pixel of an 8-bit picture.
template <typename Edit>
void editIndices(Image& image, Edit edit) {
    if (!image.hasPixels() || image.bitCount() != 8) return;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x) edit(p[x]);
    }
}

}  // namespace

EditResult makeNonBackground(Image& image, bool white) {
    if (!image.hasPixels()) return EditResult::Done;
    if (image.mode == kMode16 && image.bitCount() == 8) {
        const int background = nearestPaletteIndex(image, image.leftColor, false);
        const uint8_t paint = white ? 15 : 0;
        editIndices(image, [&](uint8_t& v) {
            if (v != background) v = paint;
        });
        return EditResult::Done;
    }
    if (isTruecolorMode(image.mode) && image.bitCount() == 24) {
        const Color background = image.leftColor & 0xFFFFFFu;
        const uint8_t paint = white ? 255 : 0;
        editTruecolorPixels(image, [&](uint8_t* p) {
            if (colorOfPixel(p) != background) p[0] = p[1] = p[2] = paint;
        });
        return EditResult::Done;
    }
    return EditResult::WrongMode;
}

EditResult whitenAboveLimit(Image& image, uint16_t bwlimit) {
    if (image.bitCount() != 8) return EditResult::WrongMode;
    const int white = findPaletteColor(image, makeColor(255, 255, 255));
    if (white < 0) return EditResult::NoWhite;
    std::array<bool, 256> bright{};
    for (int i = 0; i < 256; ++i) bright[i] = greyValue(image.palette[i].value()) >= bwlimit;
    editIndices(image, [&](uint8_t& v) {
        if (bright[v]) v = static_cast<uint8_t>(white);
    });
    return EditResult::Done;
}

bool shrinkBackground(Image& image) {
    if (!heldTruecolor(image)) return false;
    // A pixel's colour value has a top byte 0, so a leftColor of no colour matches nothing.
    const Color background = image.leftColor;
    const auto isBackground = [&](const uint8_t* p) {
        return colorOfPixel(p) == background;
    };
    // Copies pixel `from` over `to` when `to` is background and `from` is not.
    const auto spread = [&](const uint8_t* from, uint8_t* to) {
        if (isBackground(to) && !isBackground(from)) std::copy(from, from + 3, to);
    };
    const int width = image.width(), height = image.height();
    for (int y = 1; y < height; ++y) {
        uint8_t *row = image.row(y), *above = image.row(y - 1);
        for (int x = 0; x < width; ++x) spread(row + 3 * x, above + 3 * x);
    }
    for (int y = height - 2; y >= 0; --y) {
        uint8_t *row = image.row(y), *below = image.row(y + 1);
        for (int x = 0; x < width; ++x) spread(row + 3 * x, below + 3 * x);
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 1; x < width; ++x) spread(row + 3 * x, row + 3 * (x - 1));
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        for (int x = width - 2; x >= 0; --x) spread(row + 3 * x, row + 3 * (x + 1));
    }
    return true;
}

bool multiplyByColor(Image& image, Color colour) {
    const unsigned s[3] = {blueOf(colour), greenOf(colour), redOf(colour)};
    return editTruecolorPixels(image, [&](uint8_t* p) {
        for (int i = 0; i < 3; ++i) p[i] = static_cast<uint8_t>(p[i] * s[i] / 256);
    });
}

bool invertChannel(Image& image, Channel channel) {
    const int i = static_cast<int>(channel);
    return editTruecolorPixels(image, [&](uint8_t* p) { p[i] = static_cast<uint8_t>(256 - p[i]); });
}

bool setToBrightestChannel(Image& image) {
    return editTruecolorPixels(image, [](uint8_t* p) { p[0] = p[1] = p[2] = std::max({p[0], p[1], p[2]}); });
}

bool setToDarkestChannel(Image& image) {
    return editTruecolorPixels(image, [](uint8_t* p) { p[0] = p[1] = p[2] = std::min({p[0], p[1], p[2]}); });
}

bool reverseColors(Image& image) {
    switch (image.mode) {
        case kMode2:
        case kMode16:
            editIndices(image, [](uint8_t& v) { v = static_cast<uint8_t>(15 - v); });
            return true;
        case kMode256:
        case kModeGreys:
            for (RgbQuad& entry : image.palette) {
                entry.rgbBlue = static_cast<uint8_t>(255 - entry.rgbBlue);
                entry.rgbGreen = static_cast<uint8_t>(255 - entry.rgbGreen);
                entry.rgbRed = static_cast<uint8_t>(255 - entry.rgbRed);
            }
            return true;
        case kModeTrue16:
        case kModeTrue24:
        case kModeTrue32:
            editTruecolorPixels(image, [](uint8_t* p) {
                for (int i = 0; i < 3; ++i) p[i] = static_cast<uint8_t>(255 - p[i]);
            });
            return true;
        default:
            return false;
    }
}

}  // namespace vyd
