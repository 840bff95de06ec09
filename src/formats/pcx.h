// The PCX codec: run-length-encoded scan lines behind a 128-byte header, for 2-color, 16-color, 256-color,
// 16-bit and 24-bit pictures. The reader keeps the header of the last PCX file it read for the header page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/codec.h"

namespace vyd {

inline constexpr size_t kPcxHeaderBytes = 128;

// The 128-byte PCX header, all numbers little-endian, in file order.
struct PcxHeader {
    uint8_t manufacturer = 0x0A;  // ID: 0x0A marks a PCX file
    uint8_t version = 5;          // 3 = 16-colour header palette only, 5 = may carry a 256-colour trailer
    uint8_t encoding = 1;         // code: 1 = run-length (the only scheme; read as run-length whatever it says)
    uint8_t bitsPerPixel = 8;     // bits of one pixel in one plane
    uint16_t xMin = 0;            // X from: first column of the picture window
    uint16_t yMin = 0;            // Y from: first row
    uint16_t xMax = 0;            // X to: last column, inclusive (width = xMax - xMin + 1)
    uint16_t yMax = 0;            // Y to: last row, inclusive
    uint16_t hDpi = 300;          // horizontal resolution, pixels per inch
    uint16_t vDpi = 300;          // vertical resolution, pixels per inch
    uint8_t colormap[48] = {};    // 16-entry palette as (red, green, blue) triples
    uint8_t reserved = 0;         // always 0
    uint8_t nPlanes = 1;          // number of colour planes
    uint16_t bytesPerLine = 0;    // bytes of one plane of one scan line
    uint16_t paletteInfo = 1;     // palette information: 1 = colour or black and white, 2 = greys
    uint8_t filler[58] = {};      // up to 128 bytes; zero when written
};

PcxHeader parsePcxHeader(std::span<const uint8_t, kPcxHeaderBytes> bytes);
std::array<uint8_t, kPcxHeaderBytes> serializePcxHeader(const PcxHeader& header);

// Fills line with run-length data read from data at position, which advances past what was used. A count
// byte (0xC0 or more) repeats the next byte by its low six bits, cut at the end of the line (the rest of the
// run is dropped). Returns false when the data ran out before the line was full; the rest of the line is
// then cleared.
bool decodeRunLine(std::span<uint8_t> line, std::span<const uint8_t> data, size_t& position);
// Encodes bytes as runs of up to 63 into out, which must hold 2 * bytes.size(); returns the bytes written.
size_t encodeRunLine(std::span<const uint8_t> bytes, uint8_t* out);
// Packs bit number bit of each one-byte pixel into (count - 1) / 8 + 1 bytes, the first pixel in the most
// significant bit; unused low bits of the last byte are 0.
void packBitPlane(std::span<const uint8_t> pixels, int bit, uint8_t* out);
// Spreads count bits of packed, most significant first, into one byte (0 or 1) each.
void unpackBits(const uint8_t* packed, size_t count, uint8_t* out);

// Whether the file's first bytes are those of a PCX file (0x0A, and at least four bytes).
bool probePcx(std::span<const uint8_t> head);
// Reads a PCX file. The layouts read are 1 bit in 1 plane (2 colours), 1 bit in 4 planes and 4 bits in 1 plane
// (16 colours, planar or packed two to a byte), 8 bits in 1 plane (256 colours, the palette after a 0x0C past
// the scan lines or in the file's last 768 bytes), 16 bits in 1 plane and 8 bits in 3 planes (truecolor). A
// header claiming a picture far larger than its scan lines can fill is refused before anything is allocated.
// The header of every file of at least 128 bytes comes back with the picture (pcxHeader), whether or not the
// rest could be read.
Decoded decodePcx(std::span<const uint8_t> bytes, const ModeSettings& modes);
// The PCX file of a picture. Pictures of a mode PCX cannot hold are refused.
Encoded encodePcx(const Image& image, const EncodeOptions& options);

}  // namespace vyd
