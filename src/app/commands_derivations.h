// The Editing-menu commands that derive a picture into level 15 from the current level's truecolor picture,
// and the one that writes the left button's colour over the right button's in the current picture.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandRemoveBarrelDistortion(AppState& app, int id);
Ending commandIntoBumpMap(AppState& app, int id);
Ending commandFromBumpMap(AppState& app, int id);
Ending commandCopyOneColor(AppState& app, int id);
Ending commandWriteOverRightColor(AppState& app, int id);

}  // namespace vyd
