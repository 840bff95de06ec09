// Pattern smoothing: replaces a two-by-two dither pattern by its average colour over the whole area where
// the pattern repeats.
#pragma once

#include <memory>

#include "image/image.h"

namespace vyd {

// For a 24-bit picture and a click with u from 0 to width - 2 and v from 0 to height - 2: saves the undo
// copy, reads the pattern of the block at (u, v) by pixel parity, and paints its average (each channel the
// sum of the four values shifted right by 2) over every pixel 4-connected to (u, v) that continues the
// pattern. Returns whether it ran; otherwise nothing changes, the undo copy included.
bool smoothPattern(Image& image, int u, int v, std::unique_ptr<Image>& undo);

}  // namespace vyd
