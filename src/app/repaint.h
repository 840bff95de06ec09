// The main window's display: the repaint that assembles and shows the picture with its frame, previews and
// captions, and the drawing pieces it is made of.
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

// Whether the current level's visibility is inverted for the display (the P key is held).
bool currentLevelInverted(const AppState& app);

}  // namespace vyd
