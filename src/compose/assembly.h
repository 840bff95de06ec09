// Assembly: one picture built from the background and the object levels, each drawn by its placement
// under the view's zoom and move; levels with a higher index lie on top.
#pragma once

#include "compose/draw_transformed.h"
#include "compose/view_state.h"
#include "image/levels.h"

namespace vyd {

// The placement assembly draws a level with: the level's origin, scale and rotation under the view's zoom
// and move.
Placement drawingPlacement(const ViewState& view, const Level& level);

// Chooses the assembled picture's size and depth and re-allocates `destination` when either differs (or it
// has no pixels). With `wholePicture` the size is the background's; otherwise the visible part of the zoomed
// and moved background, at most the client area. The picture is truecolor when any shown level has a mode
// above 16-color, else 16-color at 8 bits.
void sizeAssembly(const LevelTable& levels, const ViewState& view, Image& destination, int clientWidth,
                  int clientHeight, bool wholePicture);

// What assembleLevels builds. With `wholePicture` the picture has the background's size at zoom 1 and
// move 0 (the client size is not used); otherwise it is the visible part, at most the client area.
// With `currentAlone` only the current level is drawn, opaque. With `invertCurrent` (the P key held) the
// current level is drawn when hidden and left out when shown.
struct AssemblyRequest {
    bool wholePicture = false;
    int clientWidth = 0, clientHeight = 0;
    bool currentAlone = false;
    bool invertCurrent = false;
};

// Builds the assembled picture into `destination` (which may be the view's own display image) and records
// each drawn level's footprint in its screenRect. The view's zoom and move are unchanged on return.
void assembleLevels(LevelTable& levels, ViewState& view, const AssemblyRequest& request, Image& destination);

}  // namespace vyd
