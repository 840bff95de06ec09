// Colour-to-index functions shared by the conversions, the display previews, painting and the editing
// commands. A colour value holds blue in the low byte, then green and red (see image/image.h).
#pragma once

#include <cstdint>

#include "image/image.h"

namespace vyd {

// (blue + green + red) / 3, truncated.
int greyValue(Color c);
// 0 (black) when the grey value is below bwlimit, else 15 (white).
int blackOrWhite(Color c, uint16_t bwlimit);
// The index of defaultPalette16 that stands for the colour: black below a brightness of 65, otherwise the
// channels above half the brightest one pick the hue bits, bright from 192 up; greys split into dark grey,
// light grey and white.
int sixteenColorIndex(Color c);
// The index to store in the image for the colour: the sixteen-colour class for a 16-color image unless
// fullSearch; otherwise the palette entry at the least squared distance (lowest index on ties, 0 when no
// entry is closer than 9999).
int nearestPaletteIndex(const Image& image, Color c, bool fullSearch);
// The lowest index of an 8-bit image's palette whose blue, green and red equal the colour's; -1 when none
// does or the image is not 8 bits a pixel.
int findPaletteColor(const Image& image, Color c);

// The full search of nearestPaletteIndex over any 256-entry palette.
int nearestEntry(const RgbQuad* palette, Color c);

}  // namespace vyd
