// Virtual-key names as scripts write them: the VK_ name without its prefix, one letter or digit, or a number.
#pragma once

#include <string>

namespace vyd {

// The virtual-key code, or -1 for an unknown name.
int virtualKeyFromName(const std::string& name);

}  // namespace vyd
