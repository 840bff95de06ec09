// The clipboard viewer: a window of its own that shows the clipboard's bitmap when "examine image on
// Clipb&oard" asks it to repaint, with one menu item back to the main window.
#pragma once

#include "app/app_state.h"

namespace vyd {

inline constexpr int kBackToMainWindow = 1538;

// The viewer's window procedure, working on app.
WindowProcedure clipboardViewerProcedure(AppState& app);

}  // namespace vyd
