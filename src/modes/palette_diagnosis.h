// The check run after a picture has been read into a level: a 16-color picture whose palette holds the
// sixteen colours in another order, or no colours at all, is reported (nothing is changed).
#pragma once

#include <vector>

#include "image/image.h"
#include "modes/imageconv.h"

namespace vyd {

inline constexpr const char* kNonstandardPaletteCaption =
    "This image's palette is nonstandard and may upset mode-conversions etc.";

// The messages the check would show, in order (none for a sound palette or a picture that is not 16-color).
std::vector<ConversionMessage> paletteDiagnosis(const Image& image);

}  // namespace vyd
