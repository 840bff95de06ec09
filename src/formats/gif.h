// The GIF codec. The reader accepts GIF87a and GIF89a, skips every extension block, decodes the first image
// (interlaced or not) into a 256-color picture and counts any further images. The writer makes a GIF87a file
// with one non-interlaced image, a 256-entry global colour table and 8-bit LZW codes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/codec_result.h"
#include "image/image.h"
#include "modes/mode_settings.h"

namespace vyd {

// Reads the first image of the GIF file held in bytes (named name) into image. On failure the image is left
// empty (2-color, 0 x 0) and the result holds the message twice, under "error in reading a .GIF file" and
// under the file's name. A file of several images succeeds with a warning giving their number.
CodecResult decodeGif(std::span<const uint8_t> bytes, const std::string& name, Image& image,
                      const ModeSettings& modes);

// As decodeGif, reading the file itself first ("file not found" when it cannot be read).
CodecResult readGif(const std::string& name, Image& image, const ModeSettings& modes = {});

// Writes an 8-bit image (any mode held at 8 bits) as a GIF87a file. Nothing is left behind on failure and an
// existing file of that name survives it.
CodecResult writeGif(const std::string& name, const Image& image, const ModeSettings& modes);

// The picture rows, counted from the top, in the order a GIF image of this height sends them: interlaced
// images send every 8th row from 0, then every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> gifRowOrder(int height, bool interlaced);

}  // namespace vyd
