// The Modes-menu conversions and truecolor adjustments, and the Editing-menu palette repairs, on the
// current level's image.
#pragma once

#include "app/app_state.h"

namespace vyd {

// "any mode to ..." and the dithering item: converts the current image with the command identifier as
// the conversion code (9 for greyshades).
Ending commandConvertMode(AppState& app, int id);
Ending commandThresholdByBwlimit(AppState& app, int id);
Ending commandMapFrom0From255(AppState& app, int id);
Ending commandToggleTruecolorMark(AppState& app, int id);
Ending commandSwopGreys(AppState& app, int id);
Ending commandSwopRedBlue(AppState& app, int id);
Ending commandStandardizePalette(AppState& app, int id);

}  // namespace vyd
