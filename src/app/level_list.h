// The level list page: the sixteen levels one per line, chosen, hidden, reordered and opened in the
// level details box with keys, clicks and right-button drags.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Every message of the main window while the level list is shown; `consumed` tells whether the list
// took it (an unconsumed key, such as Escape, goes on to the information-screen dispatch).
LRESULT levelListMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam, bool& consumed);

}  // namespace vyd
