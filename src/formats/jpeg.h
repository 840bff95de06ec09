// JPEG files, decoded and encoded by libjpeg-turbo through its TurboJPEG interface.
//
// A read JPEG always becomes a truecolor image: mode 24, bottom-up rows of blue, green, red; its header carries
// the value 10 in both pels-per-metre fields and in the colour counts, its palette is all zero and both picked
// colours are black. Greyscale and CMYK files read as truecolor too. Writing takes a quality of 1 to 100.
#pragma once

#include <cstdint>
#include <span>

#include "formats/codec.h"

namespace vyd {

// Whether the file's first bytes are those of a JPEG file (0xFF, 0xD8).
bool probeJpeg(std::span<const uint8_t> head);

// Decodes a whole JPEG file. A damaged file whose picture the decoder could still complete is read, with a
// warning.
Decoded decodeJpeg(std::span<const uint8_t> bytes, const ModeSettings& modes = {});

// Compresses the picture (8-bit pictures through their palette) with the quality clamped to 1..100.
Encoded encodeJpeg(const Image& image, const EncodeOptions& options);

// The quality an answer to the quality question gives: the whole part of the number, clamped to 1..100.
int clampJpegQuality(double answer);

}  // namespace vyd
