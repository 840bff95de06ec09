// The read-only pages about the picture: the header of the last PCX file read, the current picture's
// palette, and how often each byte value occurs in it. Each paints its page and sets the window title.
#pragma once

#include "app/app_state.h"

namespace vyd {

void paintPcxHeaderPage(AppState& app);
void paintPalettePage(AppState& app);
void paintByteFrequencyPage(AppState& app);

}  // namespace vyd
