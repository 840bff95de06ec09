// The text pages that replace the picture while an information screen is shown, and their dispatch.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Every message of the main window while an information screen is shown comes here instead of the
// message table; Escape is the only way back to the picture.
LRESULT infoScreenMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vyd
