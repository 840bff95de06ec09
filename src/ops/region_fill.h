// The region fills started from a click on the current level: the same-colour fill and its variant that
// spreads through every value but the clicked one. Both work on 8-bit (palette index) and 24-bit (blue,
// green, red) pictures in place and reach every pixel of the region, however large.
#pragma once

#include "image/image.h"
#include "ops/operation_monitor.h"

namespace vyd {

struct FillOutcome {
    bool changed = false;  // at least one pixel was written
    bool stopped = false;  // Esc ended the fill early; what was written stays
    PixelRect touched;     // the pixels written lie within this rectangle
};

// Paints the 4-connected area of the clicked pixel's value S around (u, v) with the fill value F: for an
// 8-bit picture the nearest palette index of `colour`, for a 24-bit picture its blue, green and red.
// Nothing happens for a picture without pixels or of another depth, for (u, v) outside, or when S == F.
// The monitor is asked whether to stop before the first step and after every 65536 pixels written, and is
// shown the rectangle written so far each time.
FillOutcome fillRegion(Image& image, int u, int v, Color colour, OperationMonitor& monitor);

// Paints with F the clicked pixel and every pixel 4-connected to it through pixels whose value is not S;
// each pixel is taken once. Same preconditions and polling as fillRegion.
FillOutcome fillAround(Image& image, int u, int v, Color colour, OperationMonitor& monitor);

}  // namespace vyd
