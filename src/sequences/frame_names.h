// Movie frame names: numbered files whose four-digit frame number sits just before the last four characters
// of the name (normally the extension with its dot), as in "walk0001.bmp", "walk0002.bmp".
#pragma once

#include <optional>
#include <string>

namespace vyd {

// The name of the frame after `name`: its frame number plus one, carried through the four digits, the rest of
// the name unchanged. None when the name is shorter than 10 characters, when the four characters at L-8..L-5
// are not all decimal digits, or when the number is already 9999.
std::optional<std::string> nextFrameName(const std::string& name);

}  // namespace vyd
