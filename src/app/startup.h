// Start-up of the editor over any platform, and the main window procedure every platform delivers to.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"

namespace vyd {

// Sets up the state (levels, display image, custom colours), creates the main window with its menus and
// keeps the first argument as the file to open after the first repaint. Returns false when the window
// cannot be created. The platform then runs its message loop until postQuit.
bool startApplication(AppState& app, Platform& platform, const std::vector<std::string>& args);

// The main window procedure: every message of the main window comes here.
LRESULT mainWindowProcedure(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vyd
