// Conversions that go through colours: an 8-bit source maps each of its 256 palette entries once into a
// lookup table; a truecolor source maps each pixel through tables indexed by channel values or their sum.
#include <array>
#include <memory>

#include "modes/colors.h"
#include "modes/conversion_rows.h"

namespace vyd {

namespace {

inline const uint8_t* bufferRow(const Image& image, int m) {
    return image.pixels.data() + static_cast<size_t>(m) * static_cast<size_t>(image.stride);
}
inline uint8_t* bufferRow(Image& image, int m) {
    return image.pixels.data() + static_cast<size_t>(m) * static_cast<size_t>(image.stride);
}

using IndexTable = std::array<uint8_t, 256>;

// Every index of an 8-bit source becomes table[index].
void mapIndices(const Image& source, Image& destination, const IndexTable& table) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x) d[x] = table[s[x]];
    }
}

template <typename F>
IndexTable tableFromPalette(const Image& source, F&& map) {
    IndexTable table{};
    for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(map(source.palette[i].value() & 0xFFFFFFu));
    return table;
}

// The largest channel sum, 3 x 255.
constexpr int kSums = 766;

// Every truecolor pixel becomes table[blue + green + red].
void mapChannelSums(const Image& source, Image& destination, const uint8_t* table) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 3) d[x] = table[s[0] + s[1] + s[2]];
    }
}

}  // namespace

void setGreyRamp(Image& destination) {
    for (int i = 0; i < 256; ++i) {
        const uint8_t v = static_cast<uint8_t>(i);
        destination.palette[i] = {v, v, v, 0};
    }
}

void buildChequerPalette(Image& destination) {
    for (int j = 0; j < 16; ++j) {
        for (int i = 0; i < 16; ++i) {
            RgbQuad& entry = destination.palette[i + 16 * j];
            entry.rgbBlue = static_cast<uint8_t>((defaultPalette16[i][0] + defaultPalette16[j][0]) / 2);
            entry.rgbGreen = static_cast<uint8_t>((defaultPalette16[i][1] + defaultPalette16[j][1]) / 2);
            entry.rgbRed = static_cast<uint8_t>((defaultPalette16[i][2] + defaultPalette16[j][2]) / 2);
            entry.rgbReserved = 0;
        }
    }
}

void finishChequer(Image& destination) {
    for (int i = 0; i < 16; ++i) {
        destination.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
    const int width = destination.width(), height = destination.height();
    for (int y = 0; y < height; ++y) {
        uint8_t* d = destination.row(y);
        // Columns of the same parity as the row take the high nibble.
        for (int x = y & 1; x < width; x += 2) d[x] = d[x] >> 4;
        for (int x = 1 - (y & 1); x < width; x += 2) d[x] = d[x] & 15;
    }
}

void indexedToGreys(const Image& source, Image& destination, const ConversionContext&) {
    mapIndices(source, destination, tableFromPalette(source, greyValue));
    setGreyRamp(destination);
    // A grey ramp on an 8-bit source is an ordinary 256-color picture.
    destination.mode = kMode256;
}

void indexedToTruecolor(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    const RgbQuad* palette = source.palette;
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, d += 3) {
            const RgbQuad& p = palette[s[x]];
            d[0] = p.rgbBlue;
            d[1] = p.rgbGreen;
            d[2] = p.rgbRed;
        }
    }
}

void indexedTo2Color(const Image& source, Image& destination, const ConversionContext& context) {
    const uint16_t limit = context.settings.bwlimit;
    mapIndices(source, destination, tableFromPalette(source, [limit](Color c) { return blackOrWhite(c, limit); }));
}

void indexedTo16Color(const Image& source, Image& destination, const ConversionContext&) {
    mapIndices(source, destination, tableFromPalette(source, sixteenColorIndex));
}

void indexedToChequer(const Image& source, Image& destination, const ConversionContext&) {
    const RgbQuad* chequer = destination.palette;
    mapIndices(source, destination, tableFromPalette(source, [chequer](Color c) { return nearestEntry(chequer, c); }));
}

// Colour cube: entry 16 + 36i + 6j + k holds (blue 51i, green 51j, red 51k); each channel is rounded to
// its level by q(v) = (5v + 128) >> 8, or (5v + 127) >> 8 with the alternative rounding.
void truecolorToCube(const Image& source, Image& destination, const ConversionContext& context) {
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j) {
            for (int k = 0; k < 6; ++k) {
                destination.palette[16 + 36 * i + 6 * j + k] = {static_cast<uint8_t>(51 * i),
                                                                static_cast<uint8_t>(51 * j),
                                                                static_cast<uint8_t>(51 * k), 0};
            }
        }
    }
    const int bias = context.alternativeCube ? 127 : 128;
    uint8_t blueTable[256], greenTable[256], redTable[256];
    for (int v = 0; v < 256; ++v) {
        const int q = (5 * v + bias) >> 8;
        blueTable[v] = static_cast<uint8_t>(16 + 36 * q);
        greenTable[v] = static_cast<uint8_t>(6 * q);
        redTable[v] = static_cast<uint8_t>(q);
    }
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 3) {
            d[x] = static_cast<uint8_t>(blueTable[s[0]] + greenTable[s[1]] + redTable[s[2]]);
        }
    }
}

void truecolorToGreys(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        // sum / 3 as a multiply and shift, exact for every sum up to 3 x 255; the loop vectorizes.
        for (int x = 0; x < width; ++x) {
            const uint32_t sum = s[3 * x] + s[3 * x + 1] + s[3 * x + 2];
            d[x] = static_cast<uint8_t>((sum * 43691u) >> 17);
        }
    }
    setGreyRamp(destination);
}

void truecolorTo2Color(const Image& source, Image& destination, const ConversionContext& context) {
    uint8_t table[kSums];
    const int limit = context.settings.bwlimit;
    for (int sum = 0; sum < kSums; ++sum) table[sum] = sum / 3 < limit ? 0 : 15;
    mapChannelSums(source, destination, table);
}

void truecolorTo16Color(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 3) {
            d[x] = static_cast<uint8_t>(sixteenColorIndex(colorOfPixel(s)));
        }
    }
}

// Searching all 256 averages for every pixel is slow; a direct-mapped cache of recent colours gives the
// same answers while skipping the search for colours already seen.
void truecolorToChequer(const Image& source, Image& destination, const ConversionContext&) {
    constexpr size_t kCacheSize = 4096;
    struct Slot {
        uint32_t key = 0;  // colour + 1; 0 marks an empty slot
        uint8_t index = 0;
    };
    auto cache = std::make_unique<Slot[]>(kCacheSize);
    const RgbQuad* chequer = destination.palette;
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 3) {
            const Color c = colorOfPixel(s);
            Slot& slot = cache[(c * 2654435761u) >> 20 & (kCacheSize - 1)];
            if (slot.key != c + 1) {
                slot.key = c + 1;
                slot.index = static_cast<uint8_t>(nearestEntry(chequer, c));
            }
            d[x] = slot.index;
        }
    }
}

}  // namespace vyd
