// Helpers for the GIF tests, written independently of the codec: a code packer and a code reader that follow
// the GIF rules as the format describes them, and a builder for hand-made files.
#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"

namespace giftest {

// Packs (code, width) pairs least-significant bit first.
inline std::vector<uint8_t> packCodes(const std::vector<std::pair<int, int>>& codes) {
    std::vector<uint8_t> out;
    uint32_t accumulator = 0;
    int bits = 0;
    for (auto [code, width] : codes) {
        accumulator |= static_cast<uint32_t>(code) << bits;
        bits += width;
        while (bits >= 8) {
            out.push_back(static_cast<uint8_t>(accumulator));
            accumulator >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0) out.push_back(static_cast<uint8_t>(accumulator));
    return out;
}

// Uncompressed 8-bit data: every pixel a literal 9-bit code, with a clear code often enough that the code
// width never grows; ends with the end code unless told not to.
inline std::vector<uint8_t> literalCodes(const std::vector<uint8_t>& pixels, bool endCode = true) {
    std::vector<std::pair<int, int>> codes{{256, 9}};
    int sinceClear = 0;
    for (uint8_t p : pixels) {
        if (sinceClear == 200) {
            codes.push_back({256, 9});
            sinceClear = 0;
        }
        codes.push_back({p, 9});
        ++sinceClear;
    }
    if (endCode) codes.push_back({257, 9});
    return packCodes(codes);
}

// Splits data into sub-blocks of at most blockSize bytes and adds the zero count.
inline std::vector<uint8_t> subBlocks(const std::vector<uint8_t>& data, size_t blockSize = 255, bool terminate = true) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < data.size(); i += blockSize) {
        size_t n = std::min(blockSize, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + i, data.begin() + i + n);
    }
    if (terminate) out.push_back(0);
    return out;
}

inline void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// A colour table of 2 << sizeCode colours: colour i = (i, 255 - i, seed ^ i).
inline std::vector<uint8_t> colourTable(int sizeCode, uint8_t seed) {
    std::vector<uint8_t> t;
    for (int i = 0; i < (2 << sizeCode); ++i) {
        t.insert(t.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(seed ^ i)});
    }
    return t;
}

struct GifFile {
    std::vector<uint8_t> bytes;

    // Signature and screen descriptor; a global table of 2 << sizeCode colours when sizeCode >= 0.
    explicit GifFile(int sizeCode = 7, uint8_t seed = 0, const char* signature = "GIF89a") {
        bytes.assign(signature, signature + 6);
        put16(bytes, 1);
        put16(bytes, 1);
        bytes.push_back(sizeCode >= 0 ? static_cast<uint8_t>(0x80 | sizeCode) : 0);
        bytes.insert(bytes.end(), {0, 0});
        if (sizeCode >= 0) {
            auto t = colourTable(sizeCode, seed);
            bytes.insert(bytes.end(), t.begin(), t.end());
        }
    }
    GifFile& extension(uint8_t label, const std::vector<uint8_t>& data) {
        bytes.insert(bytes.end(), {0x21, label});
        auto blocks = subBlocks(data, 255);
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
        return *this;
    }
    // An image block: descriptor, optional local table (sizeCode >= 0), minimum code size and the data as given.
    GifFile& image(int width, int height, bool interlaced, int localSizeCode, uint8_t localSeed, int minCodeSize,
                   const std::vector<uint8_t>& blocks) {
        bytes.push_back(0x2C);
        put16(bytes, 0);
        put16(bytes, 0);
        put16(bytes, width);
        put16(bytes, height);
        uint8_t flags = interlaced ? 0x40 : 0;
        if (localSizeCode >= 0) flags |= static_cast<uint8_t>(0x80 | localSizeCode);
        bytes.push_back(flags);
        if (localSizeCode >= 0) {
            auto t = colourTable(localSizeCode, localSeed);
            bytes.insert(bytes.end(), t.begin(), t.end());
        }
        bytes.push_back(static_cast<uint8_t>(minCodeSize));
        bytes.insert(bytes.end(), blocks.begin(), blocks.end());
        return *this;
    }
    // An 8-bit image of literal codes.
    GifFile& image(int width, int height, const std::vector<uint8_t>& pixels, bool interlaced = false,
                   int localSizeCode = -1, uint8_t localSeed = 0) {
        return image(width, height, interlaced, localSizeCode, localSeed, 8, subBlocks(literalCodes(pixels)));
    }
    GifFile& trailer() {
        bytes.push_back(0x3B);
        return *this;
    }
};

// Reads a code stream the way a GIF decoder counts: after a clear code the width is min + 1; every code but
// the first after a clear adds a table entry while fewer than 4096 are used, and the width grows by one when
// the next free code passes the width's largest value (up to 12 bits). Stops after the end code.
inline std::vector<std::pair<int, int>> readCodes(const std::vector<uint8_t>& data, int minCodeSize) {
    std::vector<std::pair<int, int>> codes;
    const int clear = 1 << minCodeSize, end = clear + 1;
    int width = minCodeSize + 1, next = clear + 2;
    bool first = true;
    size_t bitPos = 0;
    while (bitPos + width <= data.size() * 8) {
        int code = 0;
        for (int b = 0; b < width; ++b, ++bitPos) code |= ((data[bitPos / 8] >> (bitPos % 8)) & 1) << b;
        codes.push_back({code, width});
        if (code == end) break;
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && next < 4096) {
            ++next;
            if (next == (1 << width) && width < 12) ++width;
        }
        first = false;
    }
    return codes;
}

// The data bytes of the sub-blocks starting at pos (up to the zero count).
inline std::vector<uint8_t> joinSubBlocks(const std::vector<uint8_t>& file, size_t pos) {
    std::vector<uint8_t> data;
    while (pos < file.size() && file[pos] != 0) {
        size_t n = file[pos++];
        data.insert(data.end(), file.begin() + pos, file.begin() + pos + n);
        pos += n;
    }
    return data;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The picture's pixels as (red, green, blue) triples, rows from the top.
inline std::vector<uint8_t> rgbOf(const vyd::Image& image) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < image.width(); ++x) {
            const vyd::RgbQuad& c = image.palette[row[x]];
            rgb.insert(rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
    }
    return rgb;
}

// The indices of an 8-bit picture, rows from the top.
inline std::vector<uint8_t> indicesOf(const vyd::Image& image) {
    std::vector<uint8_t> out;
    for (int y = 0; y < image.height(); ++y) out.insert(out.end(), image.row(y), image.row(y) + image.width());
    return out;
}

// A fresh 256-color picture holding these indices (rows from the top) and a palette derived from seed.
inline void makePicture(vyd::Image& image, int width, int height, const std::vector<uint8_t>& indices, uint32_t seed) {
    vyd::createImage(image, vyd::kMode256, 8, width, height);
    for (int y = 0; y < height; ++y) {
        std::copy_n(indices.begin() + static_cast<size_t>(y) * width, width, image.row(y));
    }
    for (int i = 0; i < 256; ++i) {
        uint32_t v = (static_cast<uint32_t>(i) + 1) * 2654435761u ^ seed;
        image.palette[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16), 0};
    }
}

// Reproducible pseudo-random bytes below limit.
inline std::vector<uint8_t> noise(size_t n, uint32_t seed, int limit = 256) {
    std::vector<uint8_t> out(n);
    uint32_t s = seed * 2891336453u + 1;
    for (auto& b : out) {
        s = s * 1664525u + 1013904223u;
        b = static_cast<uint8_t>((s >> 24) % limit);
    }
    return out;
}

}  // namespace giftest
