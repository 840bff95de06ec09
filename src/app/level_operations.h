// The pixel operations the gestures start on the current level: region fills, pattern smoothing, the colour
// wash, the resize by scale and the colour file of a picked colour. They show their progress through the
// window and answer Escape.
#pragma once

#include "app/app_state.h"
#include "app/pointer_gestures.h"

namespace vyd {

// F with a button: fills the region under the pointer with the button's colour (`around`: shift+F with the
// left button, every pixel reached through other colours). The left button keeps an undo copy first.
void fillAtPointer(AppState& app, Button button, bool around);
// U with the left button: smooths the two-by-two pattern under the pointer.
void smoothAtPointer(AppState& app);
// Esc with the left button: the graded colour wash of the current level from level 15.
void washCurrentLevel(AppState& app);
// ctrl+E: bakes the current level's scale into its pixels.
void resizeCurrentByScale(AppState& app);
// F1 with the left button: writes the colour file of the colour under the pointer.
void writeColourFileAtPointer(AppState& app);

}  // namespace vyd
