// Opening the file named in the current level's name: by the command line, a drop or "&read from file".
#pragma once

#include "app/app_state.h"

namespace vyd {

// Routes by extension: ".SLI" slide lists, ".VYD" composition files, anything else an image file.
Ending openNamedFile(AppState& app);
// Reads the image file named in the current level's name into it (emptying the name when that fails; cantOpenText
// replaces "I can't open this file" when given), clears its left colour and altered flag, then showReadLevel.
Ending readLevelImage(AppState& app, const char* cantOpenText = nullptr);
// What follows a read into the current level, whether or not it succeeded: the window title, the scroll bars
// (level 0), the origin, the palette check of a picture with pixels; leaves any information page; redraw.
Ending showReadLevel(AppState& app);
// Whether name is longer than four characters and ends in extension (".SLI"), ignoring case.
bool hasExtension(const std::string& name, const char* extension);

}  // namespace vyd
