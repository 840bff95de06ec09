// Editing-menu edits that move pixels: flips, the quarter turn, halving and trimming. The ones that change
// the size build a new record and let the image take it over (adoptImage).
#pragma once

#include "image/image.h"

namespace vyd {

// Swaps rows y and height - 1 - y (the middle row of an odd height stays); any depth.
void flipTopBottom(Image& image);
// Swaps pixel x and width - 1 - x in every row; false (nothing changed) unless held at 8 or 24 bits.
bool flipLeftRight(Image& image);
// A quarter turn clockwise: old pixel (x, y) goes to new pixel (old height - 1 - y, x). The new record keeps
// the mode, depth, palette and leftColor; rightColor becomes no colour. False, nothing changed, without
// pixels, at another depth than 8 or 24, or when the new image cannot be made.
bool rotateRight(Image& image);
// Cuts the picture down to the smallest box that holds every pixel that is not transparent (leftColor, or
// its palette index at depth 8); palette and leftColor are kept, rightColor becomes no colour. False,
// nothing changed, when leftColor is no colour, the depth is not 8 or 24, or no pixel is opaque.
bool trimTransparentEdges(Image& image);

enum class HalveResult {
    Done,
    Truecolor,  // held at 24 bits: refused
    NoWhite,    // a depth-8 picture other than 2-color without a white palette entry
    NoBody,     // the half-size picture would have no pixels (a side below 2): refused
    NotHandled, // any other depth
};
// Half the width and height, truncated, each new pixel from the 2 x 2 block at (2x, 2y). 2-color: the bitwise
// AND of the four (white only where all four are white), default palette. Other modes at depth 8: the first
// of the four, in reading order, that is not the first white entry, else white; the palette is kept. Both
// picked colours become no colour. Only Done changes the image.
HalveResult halveBlackWins(Image& image);

}  // namespace vyd
