// What the codec tests share besides tests/support/files.h: BMP files with any header size or pixel offset,
// PCX headers, single pixels, and the number of files in a folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "support/files.h"

namespace vydtest {

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
