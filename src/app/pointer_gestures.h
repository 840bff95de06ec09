// The pieces the mouse buttons are made of: what lies under the pointer, and the gestures that act there
// (colour picking, zoom by digit, ramps and snaps, neighbour averaging, brush painting, rotating and scaling
// about the pivot, moving a level, selecting the level under the pointer).
#pragma once

#include <string>

#include "app/app_state.h"

namespace vyd {

enum class Button { Left, Middle, Right };

// The colour of the assembled display picture at client pixel (x, y) (palette entry for an 8-bit picture);
// kNoColor outside it.
Color pictureColourAt(const AppState& app, Point at);
// The current level's pixel under the pointer, kNotOnLevel when the pointer is off the level.
LevelPixel pointerLevelPixel(const AppState& app);

Color& buttonColour(AppState& app, Button button);
// The colour chooser for a button: the title names the button while it is open; with `fromScreen` the
// button first takes the colour under the pointer. The chooser's answer (or, when cancelled, its initial
// colour) becomes the button's colour. Clears the E and F3 entries of the key table.
void chooseButtonColour(AppState& app, Button button, bool fromScreen);

// A digit clicked with the left button: zoom to the digit (0 means 10; 1/k with ctrl) keeping the
// background pixel under the pointer in view.
void zoomByDigit(AppState& app, int digit);

enum class RampKind { Ramp, Snap };
// The brush-long run of pixels right of (horizontal) or below the pointer becomes a ramp between its two
// end colours, or each pixel snaps to the nearer end colour. Truecolor levels only.
void colourRun(AppState& app, RampKind kind, bool horizontal);

// A: the pixel under the pointer and its right neighbour take their average; Z: the same with the lower
// neighbour (A first when both are held). Truecolor levels only.
void averageNeighbours(AppState& app, bool withRight, bool withBelow);

// Paints a brushSize square at the pointer with the pen colour; `onlyOverRight`: only over pixels of the
// right button's colour. Remembers the pixel as lastClickedPixel.
void paintWithBrush(AppState& app, bool onlyOverRight);

// R and S: rotates and/or scales the current level about its pivot by the pointer's last move.
void rotateOrScaleAboutPivot(AppState& app, bool rotate, bool scale);

// The left button's default drag: moves the current level (never the background) with the pointer.
void moveLevelWithPointer(AppState& app);

// The topmost shown level (15 down to 1) with a colour other than its transparent one under the pointer
// becomes current; the background when none has.
void selectLevelUnderPointer(AppState& app);

}  // namespace vyd
