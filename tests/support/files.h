// Files for the tests: a scratch folder, whole-file bytes, a little-endian byte builder, and pictures
// compared pixel by pixel or by a short hash of their colours.
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

inline unsigned get16(const Bytes& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline uint32_t get32(const Bytes& b, size_t at) { return get16(b, at) | (get16(b, at + 2) << 16); }

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

// An uncompressed BMP with a 40-byte header: 1, 4 or 8 bits with a palette of 0x00RRGGBB values, or 24 bits.
// values are rows from the top: indices, or 0x00RRGGBB colours. extraOffset bytes of gap precede the pixels.
inline Bytes bmpFile(int bits, int w, int h, const std::vector<uint32_t>& values, std::vector<uint32_t> palette = {},
                     int extraOffset = 0, uint32_t compression = 0) {
    if (bits <= 8) palette.resize(size_t{1} << bits);
    const uint32_t rowBytes = (bits * w + 31) / 32 * 4;
    const uint32_t offset = 54 + 4 * static_cast<uint32_t>(palette.size()) + extraOffset;
    ByteBuilder b;
    b.text("BM").u32(offset + rowBytes * h).u32(0).u32(offset).u32(40).u32(w).u32(h).u16(1).u16(bits);
    b.u32(compression).u32(rowBytes * h).u32(2835).u32(2835).u32(0).u32(0);
    for (uint32_t c : palette) b.u32(c);
    b.fill(extraOffset);
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(rowBytes, 0);
        for (int x = 0; x < w; ++x) {
            const uint32_t v = values[static_cast<size_t>(y) * w + x];
            if (bits == 24) {
                row[3 * x] = v & 0xFF, row[3 * x + 1] = (v >> 8) & 0xFF, row[3 * x + 2] = (v >> 16) & 0xFF;
            } else {
                const int perByte = 8 / bits, shift = 8 - bits * (x % perByte + 1);
                row[x / perByte] |= static_cast<uint8_t>((v & ((1u << bits) - 1)) << shift);
            }
        }
        b.append(row);
    }
    return b.bytes;
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

// FNV-1a (64 bits) of "W H\n" and the red, green, blue bytes from the top row, as 16 hexadecimal digits; the
// interchange answers are frozen in this form.
inline std::string pictureHash(int width, int height, const std::vector<uint32_t>& colors) {
    uint64_t h = 14695981039346656037ull;
    auto eat = [&h](uint8_t byte) { h = (h ^ byte) * 1099511628211ull; };
    for (char c : std::to_string(width) + " " + std::to_string(height) + "\n") eat(static_cast<uint8_t>(c));
    for (uint32_t c : colors) eat(c >> 16), eat((c >> 8) & 0xFF), eat(c & 0xFF);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

inline std::string pictureHash(const vyd::Image& image) { return pictureHash(image.width(), image.height(), colorsOf(image)); }

}  // namespace vydtest
