// The File-menu commands that exchange the current picture with the clipboard and show what it holds.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandExamineClipboard(AppState& app, int id);  // 1281 "examine image on Clipb&oard"
Ending commandReadClipboard(AppState& app, int id);     // 1302 "read image from Clipboard: &q"
Ending commandWriteClipboard(AppState& app, int id);    // 1303 "write image to Clip&board"

}  // namespace vyd
