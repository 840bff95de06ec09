// The clipboard contents page: the names of the standard clipboard formats the clipboard holds.
#pragma once

#include "app/app_state.h"

namespace vyd {

void paintClipboardContents(AppState& app);

}  // namespace vyd
