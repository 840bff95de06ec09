// Editing-menu edits on line pictures: contours of colour changes, and one thinning pass over black lines.
#pragma once

#include "image/image.h"

namespace vyd {

// Turns a picture held at 8 bits into a 2-color picture of black one-pixel contours on white: a pixel that
// differs from its left or upper neighbour is an edge (row 0 and column 0 keep their own value), edges whose
// four neighbours are all edges are dropped. Palette entries 0..15 become the default sixteen colours so that
// the result shows and saves as black on white. False, nothing changed, at 24 bits.
bool makeLineDrawing(Image& image);

// One thinning pass over a 2-color picture, top to bottom and left to right, in place: a black pixel whose
// black neighbours form one unbroken arc of 2 to 7 pixels around the closed ring of its eight becomes 12 (red) and no longer counts as black for the pixels after it. The picture
// becomes 16-color with the default colours in entries 1..14, so the removed pixels show red and its own two
// colours stay. False, nothing changed, for another mode.
bool thinLines(Image& image);

}  // namespace vyd
