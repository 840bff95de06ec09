// Repairs for 2-color and 16-color pictures whose palette order is not the default one: two permutations
// of the pixel indices, and putting the default colours back into the palette.
#pragma once

#include <cstdint>

#include "image/image.h"

namespace vyd {

// Light grey (7) and dark grey (8) exchanged.
inline constexpr uint8_t kGreySwopTable[16] = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 14, 15};
// Index bits 0 (blue) and 2 (red) exchanged.
inline constexpr uint8_t kRedBlueSwopTable[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};

// Whether the repairs accept the picture: it has pixels and is 2-color or 16-color.
bool acceptsPaletteRepair(const Image& image);
// Every byte v of the pixel buffer (row padding included) becomes table[v & 15]. Both tables are their
// own inverses, so a second run restores the picture.
void swopPixelIndices(Image& image, const uint8_t (&table)[16]);
// Palette entries 0..15 become the default sixteen colours; pixels and entries 16..255 stay.
void standardizePalette(Image& image);

}  // namespace vyd
