// Copies, and the conversions between the in-memory layouts and the packed depths of files: 1 and 4 bits a
// pixel for 2-color and 16-color pictures, 16 and 32 bits for truecolor.
#include <algorithm>
#include <array>
#include <cstring>

#include "modes/conversion_rows.h"

namespace vyd {

namespace {

// Row m in buffer order (bottom row first).
inline const uint8_t* bufferRow(const Image& image, int m) {
    return image.pixels.data() + static_cast<size_t>(m) * static_cast<size_t>(image.stride);
}
inline uint8_t* bufferRow(Image& image, int m) {
    return image.pixels.data() + static_cast<size_t>(m) * static_cast<size_t>(image.stride);
}

// A 5-bit channel stretched to 8 bits: round(v * 255 / 31). No value falls exactly half-way.
constexpr std::array<uint8_t, 32> kExpand5 = [] {
    std::array<uint8_t, 32> table{};
    for (int v = 0; v < 32; ++v) table[v] = static_cast<uint8_t>((v * 255 + 15) / 31);
    return table;
}();

}  // namespace

void copyPixelsAndPalette(const Image& source, Image& destination, const ConversionContext&) {
    std::memcpy(destination.pixels.data(), source.pixels.data(), source.pixelBytes());
    std::copy(std::begin(source.palette), std::end(source.palette), destination.palette);
    destination.leftColor = source.leftColor;
}

void copyTruecolor(const Image& source, Image& destination, const ConversionContext&) {
    std::memcpy(destination.pixels.data(), source.pixels.data(), source.pixelBytes());
    destination.leftColor = source.leftColor;
}

// Most significant bit first; a set bit is index 15, a clear one index 0. The two colours of the file
// become entries 0 and 15.
void unpack1(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    const int wholeBytes = width / 8, rest = width % 8;
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int i = 0; i < wholeBytes; ++i, d += 8) {
            const unsigned byte = s[i];
            for (int bit = 0; bit < 8; ++bit) d[bit] = (byte >> (7 - bit)) & 1 ? 15 : 0;
        }
        const unsigned last = rest ? s[wholeBytes] : 0;
        for (int bit = 0; bit < rest; ++bit) d[bit] = (last >> (7 - bit)) & 1 ? 15 : 0;
    }
    destination.palette[0] = source.palette[0];
    destination.palette[15] = source.palette[1];
}

// High nibble first. The file's sixteen colours stay in entries 0..15, so the picture keeps its colours
// and the palette diagnosis sees what the file holds.
void unpack4(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    const int pairs = width / 2;
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int i = 0; i < pairs; ++i) {
            d[2 * i] = s[i] >> 4;
            d[2 * i + 1] = s[i] & 15;
        }
        if (width & 1) d[width - 1] = s[pairs] >> 4;
    }
    std::copy(source.palette, source.palette + 16, destination.palette);
}

// Eight pixels a byte, first pixel in the most significant bit; the bit is bit 0 of the pixel (15 -> 1).
// File entry 0 is picture entry 0 and file entry 1 picture entry 15, so black and white stay as they were.
void pack1(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    const int wholeBytes = width / 8, rest = width % 8;
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int i = 0; i < wholeBytes; ++i, s += 8) {
            unsigned byte = 0;
            for (int bit = 0; bit < 8; ++bit) byte = (byte << 1) | (s[bit] & 1u);
            d[i] = static_cast<uint8_t>(byte);
        }
        if (rest) {
            unsigned byte = 0;
            for (int bit = 0; bit < rest; ++bit) byte |= (s[bit] & 1u) << (7 - bit);
            d[wholeBytes] = static_cast<uint8_t>(byte);
        }
    }
    destination.palette[0] = source.palette[0];
    destination.palette[1] = source.palette[15];
}

// Two pixels a byte: (first << 4) | (second & 15). File entries 0..15 are the picture's entries 0..15.
void pack4(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    const int pairs = width / 2;
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int i = 0; i < pairs; ++i) d[i] = static_cast<uint8_t>((s[2 * i] << 4) | (s[2 * i + 1] & 15));
        if (width & 1) d[pairs] = static_cast<uint8_t>(s[width - 1] << 4);
    }
    std::copy(source.palette, source.palette + 16, destination.palette);
}

// Little-endian 5-5-5 words (bits 10-14 red, 5-9 green, 0-4 blue; bit 15 unused) to full 8-bit channels.
void unpack16(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 2, d += 3) {
            const unsigned w = s[0] | (s[1] << 8);
            d[0] = kExpand5[w & 31];
            d[1] = kExpand5[(w >> 5) & 31];
            d[2] = kExpand5[(w >> 10) & 31];
        }
    }
}

// The top five bits of each channel into a little-endian 5-5-5 word; the inverse of unpack16.
void pack16(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 3, d += 2) {
            const unsigned w = (s[0] >> 3) | ((s[1] >> 3) << 5) | ((s[2] >> 3) << 10);
            d[0] = static_cast<uint8_t>(w);
            d[1] = static_cast<uint8_t>(w >> 8);
        }
    }
}

// The first three bytes (blue, green, red) of each four-byte pixel.
void unpack32(const Image& source, Image& destination, const ConversionContext&) {
    const int width = source.width(), height = source.height();
    for (int m = 0; m < height; ++m) {
        const uint8_t* s = bufferRow(source, m);
        uint8_t* d = bufferRow(destination, m);
        for (int x = 0; x < width; ++x, s += 4, d += 3) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

}  // namespace vyd
