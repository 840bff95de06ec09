#include "modes/truecolor_adjust.h"

#include <cmath>

namespace vyd {

namespace {

bool isTruecolor(const Image& image) { return image.hasPixels() && image.bitCount() == 24; }

// Every channel byte of every pixel becomes table[byte].
void mapChannels(Image& image, const uint8_t* table) {
    const int bytes = 3 * image.width();
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int i = 0; i < bytes; ++i) p[i] = table[p[i]];
    }
}

}  // namespace

bool thresholdTruecolor(Image& image, uint16_t bwlimit) {
    if (!isTruecolor(image)) return false;
    const int width = image.width();
    const int limit = bwlimit;
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const uint8_t v = (p[0] + p[1] + p[2]) / 3 < limit ? 0 : 255;
            p[0] = p[1] = p[2] = v;
        }
    }
    return true;
}

bool mapTruecolorLinear(Image& image, int32_t from0, int32_t from255) {
    if (!isTruecolor(image)) return false;
    // In double precision throughout: the settings are unbounded, so their difference may not fit 32 bits.
    const double slope = (static_cast<double>(from255) - static_cast<double>(from0)) / 255.0;
    uint8_t table[256];
    for (int v = 0; v < 256; ++v) {
        const double t = std::trunc(static_cast<double>(from0) + v * slope);
        table[v] = static_cast<uint8_t>(t < 0 ? 0 : t > 255 ? 255 : t);
    }
    mapChannels(image, table);
    return true;
}

bool toggleTruecolorMark(Image& image) {
    if (!isTruecolor(image)) return false;
    image.mode = image.mode == kModeTrue24 ? kModeTrue16 : kModeTrue24;
    return true;
}

}  // namespace vyd
