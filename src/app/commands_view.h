// Commands that open the size and details boxes, and the two that assemble the levels into a picture.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandNewImage(AppState& app, int id);          // 1321 "&new"
Ending commandLevelDetails(AppState& app, int id);      // 1313 "display && &alter level details"
Ending commandResizeWithTiling(AppState& app, int id);  // 1351 "resize with &tiling"
// 1306 "&save assembled picture to file" and 1323 "assemble current le&vel && level 15".
Ending commandAssemble(AppState& app, int id);

// The level details box with everything around it (white window, focus, scroll ranges, rotations while
// they are suppressed, invalidation); the level list's D key uses it too.
void showLevelDetails(AppState& app);

}  // namespace vyd
