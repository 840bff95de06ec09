// Commands of the application shell: exit, help, the outside paint program, "special", information pages.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandExit(AppState& app, int id);
Ending commandHelp(AppState& app, int id);
Ending commandPaintbrush(AppState& app, int id);
Ending commandSpecial(AppState& app, int id);
// Sets the information page that replaces the picture: the level list, PCX header, palette, byte
// frequency or clipboard contents, by the command that shows it.
Ending commandShowInfoScreen(AppState& app, int id);

}  // namespace vyd
