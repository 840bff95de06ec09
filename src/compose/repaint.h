// The main window's display: the repaint that assembles and shows the picture with its frame, previews and
// captions; the scroll bars and their arithmetic; single-pixel writes with immediate on-screen feedback.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Paints the slide status page in place of the picture while a slide show's status is shown.
using StatusPagePainter = void (*)(AppState& app, DeviceContext& dc);

// The paint handler of the main window (the normal display; information pages are painted elsewhere).
// While `slideScreen` is set, `statusPage` (when given) paints instead of the picture.
void paintMainWindow(AppState& app, StatusPagePainter statusPage = nullptr);

// Fills the client area with white.
void clearWindow(AppState& app);
// Five nested one-pixel rectangles around the picture at (x, y): black, white, black, white, black.
void drawFrame(DeviceContext& dc, double x, double y, int width, int height);
// The whole image with its top-left corner at the view's move (truncated); nothing when it has no pixels.
void blitImage(DeviceContext& dc, const ViewState& view, const Image& image);

// Shows or hides the scroll bars as the zoomed background needs them and sets their ranges; returns
// vertical + 2 * horizontal (1: vertical bar shown, 2: horizontal bar shown).
int updateScrollBars(AppState& app);
// slackX, slackY from the client size: the most negative move that keeps the picture's far edge in view.
void updateSlack(AppState& app);
// Move 0 and both scroll positions 0 (the bars are not redrawn).
void resetScroll(AppState& app);
// Applies a scroll request (SB_LINEUP ... SB_BOTTOM) to a bar (SB_HORZ or SB_VERT) and returns the new
// position, clamped to the bar's range.
int scrollTo(AppState& app, int bar, int request, int position);
// WM_HSCROLL and WM_VSCROLL: scrolls, sets the move and repaints.
LRESULT handleScrollMessage(AppState& app, UINT message, WPARAM wParam);
// WM_SIZE: back to the picture's top-left corner; new ranges unless minimised.
void handleSizeMessage(AppState& app, WPARAM wParam);

// Writes one pixel of `image` at level pixel (u, v) (row v from the top). For a paletted image the colour is
// an index when `colourIsIndex`, else it is matched to the palette. When `onlyIfColour` has a top byte of 0
// the pixel changes only if it holds that colour. Unless `noFeedback`, the written pixel is shown at once.
// Returns 0 when (u, v) is outside the image, else 1 (whether or not the pixel changed).
int setLevelPixel(AppState& app, Image& image, Color colour, bool colourIsIndex, bool noFeedback,
                  Color onlyIfColour, int u, int v);
// Paints the screen block of the current level's pixel (u, v) in `colour` (blue in the low byte).
void showLevelPixel(AppState& app, DeviceContext& dc, Color colour, int u, int v);

}  // namespace vyd
