// The BMP codec, also used for Poser bump-map files (.BUM), which have the same layout:
//   0   2  signature "BM"
//   2   4  file size            = 54 + palette bytes + row bytes x height
//   6   4  reserved 0
//   10  4  offset of the pixels = 54 + palette bytes
//   14  40 BITMAPINFOHEADER     (the Image's header)
//   54     palette: 4 x 2^bits bytes for bit counts up to 8 (the first 2, 16 or 256 palette entries)
//   then   rows, bottom row first, each padded to a multiple of 4 bytes
// Row bytes = ((bit count x width + 7) / 8 + 3) with the two low bits cleared.
#pragma once

#include <cstdint>
#include <span>

#include "formats/codec.h"

namespace vyd {

// Whether the file's first bytes are those of a BMP file ("BM").
bool probeBmp(std::span<const uint8_t> head);

// Reads a whole BMP file. 1- and 4-bit files become 2- and 16-color pictures at 8 bits per pixel (mode 1
// or 4); 16- and 32-bit files become 24-bit pixels with mode 16 or 32.
Decoded decodeBmp(std::span<const uint8_t> bytes, const ModeSettings& modes);

// The file of a picture. 2-color and 16-color pictures held at 8 bits are packed to 1 or 4 bits first.
// The rows of a picture written as it is held are borrowed from it.
Encoded encodeBmp(const Image& image, const EncodeOptions& options);

}  // namespace vyd
