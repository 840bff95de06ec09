// Helpers for the GIF tests, written independently of the codec: a code packer and a code reader that follow
// the format's rules, and a builder for hand-made files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"
#include "support/codec_bytes.h"

namespace giftest {

using Bytes = std::vector<uint8_t>;

// Packs (code, width) pairs least-significant bit first.
inline Bytes packCodes(const std::vector<std::pair<int, int>>& codes) {
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
    std::vector<std::pair<int, int>> codes;
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
        size_t n = std::min(blockSize, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + i, data.begin() + i + n);
    }
    out.push_back(0);
    return out;
}

// The data bytes of the sub-blocks starting at pos, up to the zero count.
inline Bytes joinSubBlocks(const Bytes& file, size_t pos) {
    Bytes data;
    for (; pos < file.size() && file[pos] != 0; pos += 1 + file[pos]) {
        data.insert(data.end(), file.begin() + pos + 1, file.begin() + pos + 1 + file[pos]);
    }
    return data;
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
        bytes.insert(bytes.end(), {0x21, label});
        Bytes blocks = subBlocks(data);
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
        return *this;
    }
    // An image block with its data as given (sub-blocks included).
    GifFile& image(int width, int height, bool interlaced, int localSizeCode, uint8_t localSeed, int minCodeSize,
                   const Bytes& blocks) {
        uint8_t flags = static_cast<uint8_t>((interlaced ? 0x40 : 0) | (localSizeCode >= 0 ? 0x80 | localSizeCode : 0));
        bytes.insert(bytes.end(), {0x2C, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                   uint8_t(height >> 8), flags});
        table(localSizeCode, localSeed);
        bytes.push_back(static_cast<uint8_t>(minCodeSize));
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
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
inline std::vector<std::pair<int, int>> readCodes(const Bytes& data, int minCodeSize) {
    std::vector<std::pair<int, int>> codes;
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

inline Bytes readFile(const std::string& path) { return vyd::test::readBytes(path); }
inline void writeFile(const std::string& path, const Bytes& bytes) { vyd::test::writeBytes(path, bytes); }

// The picture's pixels as (red, green, blue) triples, rows from the top.
inline Bytes rgbOf(const vyd::Image& image) {
    Bytes rgb;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const vyd::RgbQuad& c = image.palette[image.row(y)[x]];
            rgb.insert(rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
    }
    return rgb;
}

// The indices of an 8-bit picture, rows from the top.
inline Bytes indicesOf(const vyd::Image& image) {
    Bytes out;
    for (int y = 0; y < image.height(); ++y) out.insert(out.end(), image.row(y), image.row(y) + image.width());
    return out;
}

// A 256-color picture of these indices (rows from the top) with a palette made from seed.
inline void makePicture(vyd::Image& image, int width, int height, const Bytes& indices, uint32_t seed) {
    vyd::createImage(image, vyd::kMode256, 8, width, height);
    for (int y = 0; y < height; ++y) std::copy_n(indices.begin() + size_t(y) * width, width, image.row(y));
    for (int i = 0; i < 256; ++i) {
        uint32_t v = (static_cast<uint32_t>(i) + 1) * 2654435761u ^ seed;
        image.palette[i] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), 0};
    }
}

// Reproducible pseudo-random bytes below limit.
inline Bytes noise(size_t n, uint32_t seed, int limit = 256) {
    Bytes out(n);
    uint32_t s = seed * 2891336453u + 1;
    for (auto& b : out) {
        s = s * 1664525u + 1013904223u;
        b = static_cast<uint8_t>((s >> 24) % limit);
    }
    return out;
}

}  // namespace giftest
