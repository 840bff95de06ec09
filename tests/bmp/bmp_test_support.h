// Helpers of the BMP tests: hand-built BMP files, scratch folders, pixel colours.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/image.h"

namespace vyd::test {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline uint32_t get32(const std::vector<uint8_t>& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}

// A BMP file laid out field by field. headerSize 40 writes a BITMAPINFOHEADER, larger sizes pad it with
// zeros (as version 4 and 5 headers would hold masks and colour-space data), 12 writes an OS/2 core header
// with 3-byte palette entries. rows are the pixel bytes as stored (already padded).
struct BmpLayout {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB values
    std::vector<uint8_t> rows;
    int64_t offsetOverride = -1;    // pixel-data offset, when not the natural one
};

inline std::vector<uint8_t> makeBmp(const BmpLayout& s) {
    const uint32_t entryBytes = s.headerSize == 12 ? 3 : 4;
    const uint32_t natural = 14 + s.headerSize + entryBytes * static_cast<uint32_t>(s.palette.size());
    const uint32_t offset = s.offsetOverride >= 0 ? static_cast<uint32_t>(s.offsetOverride) : natural;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + static_cast<uint32_t>(s.rows.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, s.headerSize);
    if (s.headerSize == 12) {
        put16(out, static_cast<uint32_t>(s.width));
        put16(out, static_cast<uint32_t>(s.height));
        put16(out, 1);
        put16(out, s.bits);
    } else {
        put32(out, static_cast<uint32_t>(s.width));
        put32(out, static_cast<uint32_t>(s.height));
        put16(out, 1);
        put16(out, s.bits);
        put32(out, s.compression);
        put32(out, 0);
        put32(out, 2835);
        put32(out, 2835);
        put32(out, static_cast<uint32_t>(s.palette.size()));
        put32(out, 0);
        out.resize(14 + s.headerSize, 0);
    }
    for (uint32_t c : s.palette) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        if (entryBytes == 4) out.push_back(0);
    }
    out.resize(std::max<size_t>(out.size(), offset), 0);
    out.resize(offset);
    out.insert(out.end(), s.rows.begin(), s.rows.end());
    return out;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder under the system's temporary folder, removed with its content afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vyd-bmp-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    size_t entryCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};

// The colour of a pixel (x, y from the top) as (red, green, blue), through the palette for 8-bit images.
inline uint32_t rgbAt(const Image& image, int x, int y) {
    Color c = pixelColor(image, x, y, true);
    return (static_cast<uint32_t>(redOf(c)) << 16) | (greenOf(c) << 8) | blueOf(c);
}

}  // namespace vyd::test
