// Assembly: one picture built from the background and the object levels, each drawn by its placement
// under the view's zoom and move; levels with a higher index lie on top.
#pragma once

#include "app/app_state.h"
#include "compose/draw_transformed.h"

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

// Builds the assembled picture into `destination`. With `wholePicture` the view's zoom and move are set to
// 1 and 0 for the duration (and the client size is not asked for). With `currentAlone` only the current
// level is drawn, opaque. The current level's visibility is inverted while the P key is held.
void assembleLevels(AppState& app, bool wholePicture, Image& destination, bool currentAlone);

}  // namespace vyd
