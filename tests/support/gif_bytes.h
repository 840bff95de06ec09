// Helpers for the GIF tests, written independently of the codec: a code packer and a code reader that follow
// the format's rules, and a builder for hand-made files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "support/files.h"

namespace vydtest {

using Codes = std::vector<std::pair<int, int>>;  // (code, width in bits)

// Packs codes least-significant bit first.
inline Bytes packCodes(const Codes& codes) {
    Bytes out;
    uint32_t accumulator = 0;
    int bits = 0;
    for (auto [code, width] : codes) {
        accumulator |= static_cast<uint32_t>(code) << bits;
        for (bits += width; bits >= 8; bits -= 8, accumulator >>= 8) out.push_back(static_cast<uint8_t>(accumulator));
    }
    if (bits > 0) out.push_back(static_cast<uint8_t>(accumulator));
    return out;
}

// Uncompressed 8-bit data: each pixel a literal 9-bit code, with clear codes often enough that the width never
// grows; the end code unless told not to.
inline Bytes literalCodes(const Bytes& pixels, bool endCode = true) {
    Codes codes;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % 200 == 0) codes.push_back({256, 9});
        codes.push_back({pixels[i], 9});
    }
    if (endCode) codes.push_back({257, 9});
    return packCodes(codes);
}

// Data cut into sub-blocks of at most blockSize bytes, then the zero count.
inline Bytes subBlocks(const Bytes& data, size_t blockSize = 255) {
    Bytes out;
    for (size_t i = 0; i < data.size(); i += blockSize) {
        const size_t n = std::min(blockSize, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + i, data.begin() + i + n);
    }
    out.push_back(0);
    return out;
}

// A hand-made file. Colour tables hold 2 << sizeCode colours, colour i = (red i, green 255 - i, blue seed ^ i).
struct GifFile {
    Bytes bytes;

    explicit GifFile(int sizeCode = 7, uint8_t seed = 0, const char* signature = "GIF89a") {
        bytes.assign(signature, signature + 6);
        bytes.insert(bytes.end(), {1, 0, 1, 0, static_cast<uint8_t>(sizeCode >= 0 ? 0x80 | sizeCode : 0), 0, 0});
        table(sizeCode, seed);
    }
    void table(int sizeCode, uint8_t seed) {
        for (int i = 0; sizeCode >= 0 && i < (2 << sizeCode); ++i) {
            bytes.insert(bytes.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(seed ^ i)});
        }
    }
    GifFile& extension(uint8_t label, const Bytes& data) {
        bytes = bytes + Bytes{0x21, label} + subBlocks(data);
        return *this;
    }
    // An image block with its data as given (sub-blocks included).
    GifFile& image(int width, int height, bool interlaced, int localSizeCode, uint8_t localSeed, int minCodeSize,
                   const Bytes& blocks) {
        const uint8_t flags = static_cast<uint8_t>((interlaced ? 0x40 : 0) | (localSizeCode >= 0 ? 0x80 | localSizeCode : 0));
        bytes.insert(bytes.end(), {0x2C, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                   uint8_t(height >> 8), flags});
        table(localSizeCode, localSeed);
        bytes = bytes + Bytes{static_cast<uint8_t>(minCodeSize)} + blocks;
        return *this;
    }
    // An 8-bit image of literal codes.
    GifFile& image(int width, int height, const Bytes& pixels, bool interlaced = false, int localSizeCode = -1,
                   uint8_t localSeed = 0) {
        return image(width, height, interlaced, localSizeCode, localSeed, 8, subBlocks(literalCodes(pixels)));
    }
    GifFile& trailer() {
        bytes.push_back(0x3B);
        return *this;
    }
};

// Reads a code stream as a GIF decoder counts: after a clear code the width is min + 1; every code but the first
// after a clear adds a table entry while fewer than 4096 are used, and the width grows by one when the next free
// code passes the width's largest value (up to 12 bits). Stops after the end code.
inline Codes readCodes(const Bytes& data, int minCodeSize) {
    Codes codes;
    const int clear = 1 << minCodeSize;
    int width = minCodeSize + 1, next = clear + 2;
    bool first = true;
    for (size_t bitPos = 0; bitPos + width <= data.size() * 8;) {
        int code = 0;
        for (int b = 0; b < width; ++b, ++bitPos) code |= ((data[bitPos / 8] >> (bitPos % 8)) & 1) << b;
        codes.push_back({code, width});
        if (code == clear + 1) break;
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
        } else if (!first && next < 4096 && ++next == (1 << width) && width < 12) {
            ++width;
        }
        first = code == clear;
    }
    return codes;
}

// The indices of an 8-bit picture, rows from the top.
inline Bytes indicesOf(const vyd::Image& image) {
    Bytes out;
    for (int y = 0; y < image.height(); ++y) out = out + rowOf(image, y);
    return out;
}

// Reproducible pseudo-random bytes.
inline Bytes noise(size_t n, uint32_t seed) {
    Bytes out(n);
    uint32_t s = seed * 2891336453u + 1;
    for (auto& b : out) {
        s = s * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(s >> 24);
    }
    return out;
}

}  // namespace vydtest
