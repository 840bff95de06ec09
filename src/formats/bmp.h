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
#include <string>

#include "formats/codec_result.h"
#include "image/image.h"
#include "modes/mode_settings.h"

namespace vyd {

inline constexpr const char* kBadBmpText = "bad file BMP";
inline constexpr const char* kCompressedBmpCaption = "this BMP file is compressed: I can't read it";

// Reads a whole BMP file into image. The image is emptied first and, on failure, left as an empty
// 2-color image. 1- and 4-bit files become 2- and 16-color images at 8 bits per pixel (mode 1 or 4);
// 16- and 32-bit files become 24-bit pixels with mode 16 or 32.
CodecResult decodeBmp(std::span<const uint8_t> bytes, const std::string& name, Image& image, const ModeSettings& modes);

// The same for a file on disc, whose rows are read straight into the picture's buffer. A file that cannot
// be read gives "I can't open this file" (with the name as caption).
CodecResult readBmpFile(const std::string& path, Image& image, const ModeSettings& modes);

// Writes image to the named file (atomically: a failed write leaves any existing file as it was).
// 2-color and 16-color images held at 8 bits are packed to 1 or 4 bits first.
CodecResult writeBmp(const std::string& name, const Image& image, const ModeSettings& modes);

}  // namespace vyd
