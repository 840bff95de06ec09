// Handlers of the main window's own messages: create, close, destroy, dropped files, paint.
#pragma once

#include "app/app_state.h"

namespace vyd {

LRESULT handleCreate(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT handleClose(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT handleDestroy(AppState& app);
LRESULT handleDropFiles(AppState& app, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT handlePaint(AppState& app);

}  // namespace vyd
