// Editing-menu edits on line pictures: contours of colour changes, and one thinning pass over black lines.
#pragma once

#include <array>
#include <cstdint>

#include "image/image.h"

namespace vyd {

// Turns a picture held at 8 bits into a 2-color picture of black one-pixel contours on white: a pixel that
// differs from its left or upper neighbour is an edge (row 0 and column 0 keep their own value), edges whose
// four neighbours are all edges are dropped. Palette entries 0..15 become the default sixteen colours so that
// the result shows and saves as black on white. False, nothing changed, at 24 bits.
bool makeLineDrawing(Image& image);

// The thinning rule by the eight neighbours of a black pixel, as bits in ring order from the most significant:
// below-left, below, below-right, right, above-right, above, above-left, left (set = black). True where the
// black neighbours form one unbroken arc of 2 to 7 pixels around the closed ring.
extern const std::array<bool, 256> kThinningRemoves;

// One thinning pass over a 2-color picture, top to bottom and left to right, in place: every black interior
// pixel the rule removes becomes 12 (red) and no longer counts as black for the pixels after it. The picture
// becomes 16-color with the default colours in entries 1..14, so the removed pixels show red and its own two
// colours stay. False, nothing changed, for another mode.
bool thinLines(Image& image);

}  // namespace vyd
