// Slide shows: reading a slide list, the slide keys, the status page and the recording of slide names.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Reads the slide list named in the current level's name and shows the status page; no slide is opened yet.
Ending readSlideList(AppState& app);

}  // namespace vyd
