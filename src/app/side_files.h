// The files VYD writes besides pictures (composition, numbers, colour and slide-name files): one that cannot be
// made is reported with its name, and a written one appears whole or not at all.
#pragma once

#include <string>
#include <string_view>

#include "platform_api/platform.h"

namespace vyd {

// The message box "I can't open this file" with the file's name as its text.
void reportCantOpen(Platform& ui, const std::string& name);

// Writes bytes to the named file through a temporary beside it; on failure reports it and returns false.
bool writeSideFile(Platform& ui, const std::string& name, std::string_view bytes);

}  // namespace vyd
