// Composition files (the placement and file of every level) and the numbers dump of a truecolor picture.
#pragma once

#include <string>

#include "app/app_state.h"

namespace vyd {

// Rebuilds all sixteen levels from a composition file: the named one, or one the user chooses when name is null.
Ending readComposition(AppState& app, const std::string* name);

Ending commandReadComposition(AppState& app, int id);   // 1317 "read composin&g info"
Ending commandWriteComposition(AppState& app, int id);  // 1318 "write compos&ing info"
Ending commandWriteNumbers(AppState& app, int id);      // 1325 "write as n&umbers"

}  // namespace vyd
