#include "modes/palette_repair.h"

namespace vyd {

bool acceptsPaletteRepair(const Image& image) { return image.hasPixels() && image.mode <= kMode16; }

void swopPixelIndices(Image& image, const uint8_t (&table)[16]) {
    if (!image.hasPixels()) return;
    uint8_t lookup[256];
    for (int v = 0; v < 256; ++v) lookup[v] = table[v & 15];
    // The whole rows, padding included, but never past the buffer.
    size_t bytes = image.pixelBytes();
    if (bytes > image.pixels.size()) bytes = image.pixels.size();
    uint8_t* p = image.pixels.data();
    for (size_t i = 0; i < bytes; ++i) p[i] = lookup[p[i]];
}

void standardizePalette(Image& image) {
    for (int i = 0; i < 16; ++i) {
        image.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
}

}  // namespace vyd
