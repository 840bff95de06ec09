// Files for the tests: a scratch folder, whole-file bytes, a little-endian byte builder, BMP files with any header
// size or pixel offset, PCX headers, and pictures compared pixel by pixel or by row.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "image/image.h"

namespace vydtest {

using Bytes = std::vector<uint8_t>;

// A folder of its own under the system's temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("vyd_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// Builds a file field by field, little-endian.
struct ByteBuilder {
    Bytes bytes;
    ByteBuilder& u8(std::initializer_list<unsigned> values) {
        for (unsigned v : values) bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    ByteBuilder& u16(unsigned v) { return u8({v & 0xFF, (v >> 8) & 0xFF}); }
    ByteBuilder& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    ByteBuilder& text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); return *this; }
    ByteBuilder& fill(size_t count, uint8_t value = 0) { bytes.insert(bytes.end(), count, value); return *this; }
    ByteBuilder& append(const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); return *this; }
};

// A BMP file laid out field by field. headerSize 40 writes a BITMAPINFOHEADER, larger sizes pad it with zeros
// (as version 4 and 5 headers would hold masks and colour-space data), 12 writes an OS/2 core header with 3-byte
// palette entries. rows are the pixel bytes as stored (already padded).
struct BmpLayout {
    int32_t width = 1, height = 1;
    unsigned bits = 24;
    uint32_t headerSize = 40, compression = 0;
    Bytes rows = {};
    std::vector<uint32_t> palette = {};  // 0x00RRGGBB values
    int64_t offset = -1;                  // pixel-data offset, when not the natural one
};

inline Bytes makeBmp(const BmpLayout& s) {
    const uint32_t entryBytes = s.headerSize == 12 ? 3 : 4;
    const uint32_t natural = 14 + s.headerSize + entryBytes * static_cast<uint32_t>(s.palette.size());
    const uint32_t offset = s.offset >= 0 ? static_cast<uint32_t>(s.offset) : natural;
    ByteBuilder b;
    b.text("BM").u32(offset + static_cast<uint32_t>(s.rows.size())).u32(0).u32(offset).u32(s.headerSize);
    if (s.headerSize == 12) {
        b.u16(s.width).u16(s.height).u16(1).u16(s.bits);
    } else {
        b.u32(s.width).u32(s.height).u16(1).u16(s.bits).u32(s.compression).u32(0).u32(2835).u32(2835);
        b.u32(static_cast<uint32_t>(s.palette.size())).u32(0);
        b.bytes.resize(14 + s.headerSize, 0);
    }
    for (uint32_t c : s.palette) b.u8({c & 0xFF, (c >> 8) & 0xFF, c >> 16}).fill(entryBytes - 3);
    b.bytes.resize(offset, 0);
    return b.append(s.rows).bytes;
}

// An uncompressed BMP with a 40-byte header: 1, 4 or 8 bits with a palette of 0x00RRGGBB values, or 24 bits.
// values are rows from the top: indices, or 0x00RRGGBB colours. extraOffset bytes of gap precede the pixels.
inline Bytes bmpFile(int bits, int w, int h, const std::vector<uint32_t>& values, std::vector<uint32_t> palette = {},
                     int extraOffset = 0, uint32_t compression = 0) {
    if (bits <= 8) palette.resize(size_t{1} << bits);
    const size_t rowBytes = (bits * w + 31) / 32 * 4;
    Bytes rows(rowBytes * h, 0);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = &rows[(h - 1 - y) * rowBytes];
        for (int x = 0; x < w; ++x) {
            const uint32_t v = values[static_cast<size_t>(y) * w + x];
            if (bits == 24) {
                row[3 * x] = v & 0xFF, row[3 * x + 1] = (v >> 8) & 0xFF, row[3 * x + 2] = (v >> 16) & 0xFF;
            } else {
                const int perByte = 8 / bits, shift = 8 - bits * (x % perByte + 1);
                row[x / perByte] |= static_cast<uint8_t>((v & ((1u << bits) - 1)) << shift);
            }
        }
    }
    return makeBmp({.width = w, .height = h, .bits = unsigned(bits), .compression = compression, .rows = rows,
                    .palette = palette, .offset = 54 + 4 * int64_t(palette.size()) + extraOffset});
}

// The picture's shown colours (0x00RRGGBB), rows from the top.
inline std::vector<uint32_t> colorsOf(const vyd::Image& image) {
    std::vector<uint32_t> colors;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colors.push_back(vyd::pixelColor(image, x, y, true) & 0xFFFFFF);
    }
    return colors;
}

// "" when the colours agree, else where they first differ.
inline std::string firstDifference(const std::vector<uint32_t>& got, const std::vector<uint32_t>& want, int width) {
    if (got.size() != want.size()) return "sizes differ: " + std::to_string(got.size()) + " against " + std::to_string(want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        if (got[i] == want[i]) continue;
        char text[128];
        std::snprintf(text, sizeof text, "first difference at (%zu, %zu) from the top: %06x, want %06x", i % width,
                      i / width, got[i], want[i]);
        return text;
    }
    return "";
}

// A 128-byte PCX header with the given fields (300 dpi, colour palette information); palette and the rest zero.
inline Bytes pcxHeader(int bitsPerPixel, int planes, int width, int height, int bytesPerLine, int version = 5) {
    ByteBuilder b;
    b.u8({0x0A, unsigned(version), 1, unsigned(bitsPerPixel)}).fill(4).u16(width - 1).u16(height - 1).u16(300).u16(300);
    b.fill(49).u8({unsigned(planes)}).u16(bytesPerLine).u16(1).fill(58);
    return b.bytes;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The colour pixel (x, y from the top) shows, as 0xRRGGBB, through the palette for 8-bit pictures.
inline uint32_t rgbAt(const vyd::Image& image, int x, int y) { return vyd::pixelColor(image, x, y, true) & 0xFFFFFF; }

// The bytes of row y (from the top) of a picture as held.
inline Bytes rowOf(const vyd::Image& image, int y, int bytesPerPixel = 1) {
    return Bytes(image.row(y), image.row(y) + image.width() * bytesPerPixel);
}

inline size_t entriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace vydtest
