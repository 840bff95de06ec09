// The pixel converters behind imageconv, one per (source depth, target) pair. Each walks the rows in buffer
// order with row pointers; imageconv has checked both buffers and sized the destination before calling.
#pragma once

#include <cstdint>

#include "image/image.h"
#include "modes/mode_settings.h"

namespace vyd {

struct ConversionContext {
    const ModeSettings& settings;
    bool alternativeCube;  // q(v) = (5v + 127) >> 8 instead of (5v + 128) >> 8
};

using Converter = void (*)(const Image& source, Image& destination, const ConversionContext& context);

// Plain copies and the packed depths (convert_packed.cpp).
void copyPixelsAndPalette(const Image& source, Image& destination, const ConversionContext&);
void copyTruecolor(const Image& source, Image& destination, const ConversionContext&);
void unpack1(const Image& source, Image& destination, const ConversionContext&);
void unpack4(const Image& source, Image& destination, const ConversionContext&);
void pack1(const Image& source, Image& destination, const ConversionContext&);
void pack4(const Image& source, Image& destination, const ConversionContext&);
void unpack16(const Image& source, Image& destination, const ConversionContext&);
void pack16(const Image& source, Image& destination, const ConversionContext&);
void unpack32(const Image& source, Image& destination, const ConversionContext&);

// Conversions through colours (convert_colors.cpp).
void indexedToGreys(const Image& source, Image& destination, const ConversionContext&);
void indexedToTruecolor(const Image& source, Image& destination, const ConversionContext&);
void indexedTo2Color(const Image& source, Image& destination, const ConversionContext& context);
void indexedTo16Color(const Image& source, Image& destination, const ConversionContext&);
void indexedToChequer(const Image& source, Image& destination, const ConversionContext&);
void truecolorToCube(const Image& source, Image& destination, const ConversionContext& context);
void truecolorToGreys(const Image& source, Image& destination, const ConversionContext&);
void truecolorTo2Color(const Image& source, Image& destination, const ConversionContext& context);
void truecolorTo16Color(const Image& source, Image& destination, const ConversionContext&);
void truecolorToChequer(const Image& source, Image& destination, const ConversionContext&);

// The chequered rendering's palette: entry i + 16j is the channelwise average of default colours i and j.
void buildChequerPalette(Image& destination);
// Puts the default colours back into entries 0..15 and splits every pixel into the high nibble where
// x + y is even and the low nibble where it is odd (y counted from the top).
void finishChequer(Image& destination);

// The grey ramp (i, i, i) in all 256 entries.
void setGreyRamp(Image& destination);

}  // namespace vyd
