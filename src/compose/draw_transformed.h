// The resampling copy: draws one image into another under a level placement (origin, scale per axis,
// rotation), point-sampled in 16.16 fixed point, leaving the source's transparent colour undrawn.
#pragma once

#include <optional>
#include <span>

#include "image/image.h"
#include "image/levels.h"

namespace vyd {

// Where a source image lands: its pixel corner (0,0) at (originX, originY) in destination pixels, columns
// magnified by scaleX and rows by scaleY, turned by the angle whose cosine and sine are given.
struct Placement {
    double originX = 0, originY = 0;
    double scaleX = 1, scaleY = 1;
    double rotationCos = 1, rotationSin = 0;
};

// A rectangle of destination pixels (right and bottom excluded) outside which nothing is written.
struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A rectangle of destination pixels (right and bottom excluded) that a later draw covers with opaque pixels.
struct CoverRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Draws `source` into `destination`. Returns 1 when drawn (possibly nothing visible) and 0 when refused:
// - the kinds of copy are truecolor (24-bit into 24-bit), palette lookup (8-bit into 24-bit) and index copy
//   (a 2- or 16-color image into a 2- or 16-color 8-bit destination); any other pairing is refused;
// - a destination without pixels is refused;
// - a placement that cannot be drawn is refused: a value that is not finite, a scale of 0, or a scale so
//   small that the 16.16 source step per destination pixel does not fit 32 bits.
// When `screenRectOut` is given it receives the footprint's bounding box in the destination (before
// clipping), each side narrowed to 16 bits. The source's `leftColor` is its transparent colour when its
// top byte is 0.
int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement,
                    const ClipRect& clip);
// The same, leaving unwritten the pixels inside `hidden`: rectangles that later draws cover with opaque
// pixels (see opaqueCover), so that a stack of levels writes each visible pixel about once.
int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement,
                    const ClipRect& clip, std::span<const CoverRect> hidden);
// The same, clipped to the whole destination.
int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement);

// When `source` would be drawn unrotated and without a transparent colour, exactly the destination pixels
// its draw writes, as a rectangle; nothing otherwise (rotated, transparent, refused or nothing to draw).
std::optional<CoverRect> opaqueCover(const Image& destination, const Image& source, const Placement& placement,
                                     const ClipRect& clip);

}  // namespace vyd
