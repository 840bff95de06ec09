// The key messages of the main window: the key table, then the first keyboard rule that applies (display
// toggles, the transform exchange, previews and their values, pixel colour values, brush sizes, the ctrl
// keys, scrolling, nudging and selecting levels).
#pragma once

#include "app/app_state.h"

namespace vyd {

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN and WM_SYSKEYUP.
LRESULT handleKeyMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vyd
