// JPEG files, decoded and encoded by libjpeg-turbo through its TurboJPEG interface.
//
// A read JPEG always becomes a truecolor image: mode 24, bottom-up rows of blue, green, red; its header carries
// the value 10 in both pels-per-metre fields and in the colour counts, its palette is all zero and both picked
// colours are black. Greyscale and CMYK files read as truecolor too. Writing takes a quality of 1 to 100.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/codec_result.h"
#include "image/image.h"

namespace vyd {

inline constexpr int kDefaultJpegQuality = 80;
inline constexpr char kJpegUnreadable[] = "I can't read this JPEG file";

// Decodes a whole JPEG file held in memory. On failure the image is left empty (2-color, 0 x 0) and the
// result holds one message: the file name as text, "I can't read this JPEG file" as caption. A damaged file
// whose picture the decoder could still complete is read, with a warning message before success.
CodecResult decodeJpeg(std::span<const uint8_t> bytes, const std::string& name, Image& image);

// Compresses the image (8-bit images through their palette) with the quality clamped to 1..100.
// Empty when the image cannot be compressed.
std::vector<uint8_t> encodeJpeg(const Image& image, int quality);

// Writes the image to the named file (replaced only when the whole file was written). A failure carries no
// message of its own: the caller reports it.
CodecResult writeJpeg(const std::string& name, const Image& image, int quality);

// The quality an answer to the quality question gives: the whole part of the number, clamped to 1..100.
int clampJpegQuality(double answer);

}  // namespace vyd
