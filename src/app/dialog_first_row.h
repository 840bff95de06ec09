// The first row shared by the level details, size and colour wash boxes: "level N" and where the level's
// image came from.
#pragma once

#include "app/app_state.h"
#include "platform_api/dialog.h"

namespace vyd {

// Field 6 = "level %1d" with the current level; field 5 = `loadedFormat` filled with the level description
// when the level has a file name, else (when `clearWithoutName`) empty.
void fillFirstRow(AppState& app, DialogFields& fields, const char* loadedFormat, bool clearWithoutName);

}  // namespace vyd
