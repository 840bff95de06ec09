// Composition files (the placement and file of every level) and the numbers dump of a truecolor picture.
#pragma once

#include <string>

#include "app/app_state.h"

namespace vyd {

// Rebuilds all sixteen levels from a composition file: the named one, or one the user chooses when name is null.
Ending readComposition(AppState& app, const std::string* name);

}  // namespace vyd
