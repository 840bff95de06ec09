// The GIF codec. The reader accepts GIF87a and GIF89a, skips every extension block, decodes the first image
// (interlaced or not) into a 256-color picture and counts any further images. The writer makes a GIF87a file
// with one non-interlaced image, a 256-entry global colour table and 8-bit LZW codes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/codec.h"

namespace vyd {

// Whether the file's first bytes are those of a GIF file ("GI").
bool probeGif(std::span<const uint8_t> head);

// Reads the first image of a GIF file into a 256-color picture. A file of several images is read with a
// warning giving their number.
Decoded decodeGif(std::span<const uint8_t> bytes, const ModeSettings& modes);

// The GIF87a file of an 8-bit picture (any mode held at 8 bits).
Encoded encodeGif(const Image& image, const EncodeOptions& options);

// The picture rows, counted from the top, in the order a GIF image of this height sends them: interlaced
// images send every 8th row from 0, then every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> gifRowOrder(int height, bool interlaced);

}  // namespace vyd
