// The level commands of the Levels and Editing menus: hide/show, drop, sort, undo, choose the current level.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandHideShow(AppState& app, int id);
Ending commandDropCurrent(AppState& app, int id);
Ending commandDropAll(AppState& app, int id);
Ending commandSortByPriority(AppState& app, int id);
Ending commandUndo(AppState& app, int id);
Ending commandSelectLevel(AppState& app, int id);

// True when the operation must be abandoned: level 0 was altered and the user did not answer Yes.
bool confirmAltered(AppState& app);

}  // namespace vyd
