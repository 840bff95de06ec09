// Single-pixel writes into a level with immediate feedback on the screen, for painting and long operations
// that show their progress without a full repaint.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Writes one pixel of `image` at level pixel (u, v) (row v from the top). For a paletted image the colour is
// an index when `colourIsIndex`, else it is matched to the palette. When `onlyIfColour` has a top byte of 0
// the pixel changes only if it holds that colour. Unless `noFeedback`, the written pixel is shown at once.
// Returns 0 when (u, v) is outside the image, else 1 (whether or not the pixel changed).
int setLevelPixel(AppState& app, Image& image, Color colour, bool colourIsIndex, bool noFeedback,
                  Color onlyIfColour, int u, int v);
// Paints the screen block of the current level's pixel (u, v) in `colour` (blue in the low byte).
void showLevelPixel(AppState& app, DeviceContext& dc, Color colour, int u, int v);

}  // namespace vyd
