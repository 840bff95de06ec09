// The File-menu commands that read, write, rename and delete files and switch the display of folders.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandReadFromFile(AppState& app, int id);  // 1297 "&read from file"
Ending commandSave(AppState& app, int id);          // 1320 "&save"
Ending commandSaveAs(AppState& app, int id);        // 1298 "save &as"
Ending commandRenameFile(AppState& app, int id);    // 1301 "rena&me file"
Ending commandDeleteFile(AppState& app, int id);    // 1299 "&delete file"
Ending commandShowPaths(AppState& app, int id);     // 1300 "show &Paths?"

}  // namespace vyd
