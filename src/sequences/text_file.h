// The text files VYD reads besides pictures (slide lists, composition files): read whole with a size cap, and
// split into lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyd {

inline constexpr size_t kTextFileLimit = size_t{16} << 20;  // a bigger file is one that cannot be opened

// The file's whole text; nothing when it cannot be opened or is bigger than kTextFileLimit.
std::optional<std::string> readTextFile(const std::string& path);

// The lines of a text: each ends at a line feed (a carriage return before one is dropped, for files written on
// other systems); a last line without a line end still counts, and a text ending in a line end has no empty
// line after it.
std::vector<std::string_view> textLines(std::string_view text);

}  // namespace vyd
