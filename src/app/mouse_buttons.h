// The mouse messages of the main window: which gesture a press or a drag of each button makes, decided by
// the keys held at the time.
#pragma once

#include "app/app_state.h"

namespace vyd {

// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN and WM_RBUTTONDOWN.
LRESULT handleMouseMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vyd
