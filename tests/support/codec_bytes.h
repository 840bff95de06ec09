// Shared helpers of the codec tests: tiny BMP and PCX files built field by field, files and scratch folders,
// pixel colours, and the boxes a codec's outcome would show.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "formats/codec_messages.h"
#include "image/image.h"

namespace vyd::test {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline uint32_t get32(const Bytes& in, size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (static_cast<uint32_t>(in[at + 3]) << 24);
}
inline void append(Bytes& to, std::initializer_list<int> bytes) {
    for (int b : bytes) to.push_back(static_cast<uint8_t>(b));
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
    Bytes rows;
    int64_t offsetOverride = -1;    // pixel-data offset, when not the natural one
};

inline Bytes makeBmp(const BmpLayout& s) {
    const uint32_t entryBytes = s.headerSize == 12 ? 3 : 4;
    const uint32_t natural = 14 + s.headerSize + entryBytes * static_cast<uint32_t>(s.palette.size());
    const uint32_t offset = s.offsetOverride >= 0 ? static_cast<uint32_t>(s.offsetOverride) : natural;
    Bytes out{'B', 'M'};
    put32(out, offset + static_cast<uint32_t>(s.rows.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, s.headerSize);
    if (s.headerSize == 12) {
        for (uint32_t v : {static_cast<uint32_t>(s.width), static_cast<uint32_t>(s.height), 1u, uint32_t{s.bits}}) {
            put16(out, v);
        }
    } else {
        put32(out, static_cast<uint32_t>(s.width));
        put32(out, static_cast<uint32_t>(s.height));
        put16(out, 1);
        put16(out, s.bits);
        for (uint32_t v : {s.compression, 0u, 2835u, 2835u, static_cast<uint32_t>(s.palette.size()), 0u}) put32(out, v);
        out.resize(14 + s.headerSize, 0);
    }
    for (uint32_t c : s.palette) {
        for (uint32_t k = 0; k < entryBytes; ++k) out.push_back(k < 3 ? static_cast<uint8_t>(c >> (8 * k)) : 0);
    }
    out.resize(offset, 0);
    out.insert(out.end(), s.rows.begin(), s.rows.end());
    return out;
}

// A 128-byte PCX header with the given fields (300 dpi, colour palette information); palette and the rest zero.
inline Bytes pcxHeader(int bitsPerPixel, int planes, int width, int height, int bytesPerLine, int version = 5) {
    Bytes h(128, 0);
    auto at16 = [&h](size_t at, int v) { h[at] = static_cast<uint8_t>(v); h[at + 1] = static_cast<uint8_t>(v >> 8); };
    h[0] = 0x0A;
    h[1] = static_cast<uint8_t>(version);
    h[2] = 1;
    h[3] = static_cast<uint8_t>(bitsPerPixel);
    at16(8, width - 1);
    at16(10, height - 1);
    at16(12, 300);
    at16(14, 300);
    h[65] = static_cast<uint8_t>(planes);
    at16(66, bytesPerLine);
    at16(68, 1);
    return h;
}

inline void writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder under the system's temporary folder, removed with its content afterwards.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vyd-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    size_t entryCount() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    std::filesystem::path path_;
};

// The colour of a pixel (x, y from the top) as 0xRRGGBB, through the palette for 8-bit images.
inline uint32_t rgbAt(const Image& image, int x, int y) {
    Color c = pixelColor(image, x, y, true);
    return (static_cast<uint32_t>(redOf(c)) << 16) | (greenOf(c) << 8) | blueOf(c);
}

// The boxes (text, caption) an outcome shows for the named file: the warnings, then the failure.
template <typename Outcome>
std::vector<std::pair<std::string, std::string>> boxesOf(const Outcome& outcome, const std::string& name) {
    std::vector<std::pair<std::string, std::string>> shown;
    auto add = [&shown](const std::vector<CodecBox>& boxes) {
        for (const CodecBox& box : boxes) shown.emplace_back(box.text, box.caption);
    };
    for (const CodecNotice& warning : outcome.warnings) add(codecBoxes(warning, name));
    if (outcome.failure) add(codecBoxes(*outcome.failure, name));
    return shown;
}

using Boxes = std::vector<std::pair<std::string, std::string>>;

}  // namespace vyd::test
