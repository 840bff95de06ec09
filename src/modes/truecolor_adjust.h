// In-place adjustments of a truecolor picture (24 bits a pixel): the black-and-white threshold, the linear
// channel mapping and the 16-or-24-bit mark. Each returns false, changing nothing, for any other picture.
#pragma once

#include <cstdint>

#include "image/image.h"

namespace vyd {

// Every pixel becomes white (255, 255, 255) when its grey value is at least bwlimit, else black.
bool thresholdTruecolor(Image& image, uint16_t bwlimit);
// Every channel value v becomes clamp(truncate(from0 + v * (from255 - from0) / 255), 0, 255).
bool mapTruecolorLinear(Image& image, int32_t from0, int32_t from255);
// Mode 24 becomes 16, any other truecolor mode (16 or 32) becomes 24; no pixel changes.
bool toggleTruecolorMark(Image& image);

}  // namespace vyd
