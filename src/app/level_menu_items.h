// The sixteen "work on" items at the end of the Levels menu: greyed for hidden levels, checked for the current.
#pragma once

#include "app/app_state.h"

namespace vyd {

void enableLevelItems(AppState& app);
void checkCurrentLevelItem(AppState& app);

}  // namespace vyd
