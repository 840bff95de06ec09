// The four common endings of command handlers, and the repaint they lead to.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Gives an empty background a blank 640 x 480 16-color picture of colour index 15.
void ensureBackground(AppState& app);
// Applies an ending after a handler: refresh, redraw, update or plain. DefaultProcessing hands the
// message to the platform.
LRESULT finishCommand(AppState& app, Ending ending, UINT message, WPARAM wParam, LPARAM lParam);
// The refresh ending on its own (invalidate, blank background if needed, repaint now).
void refreshDisplay(AppState& app);
// Invalidate and repaint at once.
void redrawNow(AppState& app);

}  // namespace vyd
