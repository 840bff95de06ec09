// The level list page: the sixteen levels one per line, chosen, hidden, reordered and opened in the
// level details box with keys, clicks and right-button drags; and the current level's placement in a box.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Every message of the main window while the level list is shown; `consumed` tells whether the list
// took it (an unconsumed key, such as Escape, goes on to the information-screen dispatch).
LRESULT levelListMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam, bool& consumed);

// 1309 "sh&ow scale && origin && angle": the current level's origin, scales and rotation in a message box.
Ending commandShowLevelInfo(AppState& app, int id);

}  // namespace vyd
