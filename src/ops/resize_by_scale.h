// Baking a truecolor level's scale into its pixels (ctrl+E).
#pragma once

#include "image/levels.h"

namespace vyd {

// Resamples the level's 24-bit image bilinearly to trunc(width * scaleX) x trunc(height * scaleY) pixels,
// keeps its colour mode, sets both scales to 1 and multiplies the origin by the old scales. Does nothing
// (and returns false) for another depth, an empty result, a zero scale, a size beyond the image limits or
// a failed allocation.
bool resizeByScale(Level& level);

}  // namespace vyd
