// The read-only settings file "VYD.INI": section [VYD], key pbrush (the outside paint program).
#pragma once

#include <string>

namespace vyd {

// Looks in the working directory, then in $XDG_CONFIG_HOME/vyd (or ~/.config/vyd). At most 127 characters.
std::string readPaintbrushSetting();
// Reads one key of one section from INI text; the default when absent.
std::string iniValue(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& fallback);

}  // namespace vyd
