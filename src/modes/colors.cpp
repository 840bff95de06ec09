#include "modes/colors.h"

#include <algorithm>

namespace vyd {

int greyValue(Color c) { return (blueOf(c) + greenOf(c) + redOf(c)) / 3; }

int blackOrWhite(Color c, uint16_t bwlimit) { return greyValue(c) < static_cast<int>(bwlimit) ? 0 : 15; }

int sixteenColorIndex(Color c) {
    const int b = blueOf(c), g = greenOf(c), r = redOf(c);
    const int d = std::max({b, g, r});
    if (d <= 64) return 0;
    const int h = d >> 1;
    const int e = (b > h ? 1 : 0) | (g > h ? 2 : 0) | (r > h ? 4 : 0);
    if (e < 7) return d < 192 ? e : e + 8;
    if (d >= 224) return 15;
    return d <= 160 ? 8 : 7;
}

int nearestEntry(const RgbQuad* palette, Color c) {
    const int b = blueOf(c), g = greenOf(c), r = redOf(c);
    int best = 0;
    int bound = 9999;
    for (int i = 0; i < 256; ++i) {
        const int db = palette[i].rgbBlue - b, dg = palette[i].rgbGreen - g, dr = palette[i].rgbRed - r;
        const int d = db * db + dg * dg + dr * dr;
        if (d < bound) {
            bound = d;
            best = i;
        }
    }
    return best;
}

int nearestPaletteIndex(const Image& image, Color c, bool fullSearch) {
    if (!fullSearch && image.mode == kMode16) return sixteenColorIndex(c);
    return nearestEntry(image.palette, c);
}

int findPaletteColor(const Image& image, Color c) {
    if (image.bitCount() != 8) return -1;
    for (int i = 0; i < 256; ++i) {
        const RgbQuad& p = image.palette[i];
        if (p.rgbBlue == blueOf(c) && p.rgbGreen == greenOf(c) && p.rgbRed == redOf(c)) return i;
    }
    return -1;
}

}  // namespace vyd
