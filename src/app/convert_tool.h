// `vyd convert IN OUT [--mode 2|16|chequer|256|dither|grey|true] [--quality N]`: reads IN by its content,
// optionally converts its colour mode as the Modes menu does, and writes OUT in the format its extension
// names, with the same reader, conversion and writer the menus use.
//
// Every message box the program would show is one line on err: the box's text, then ": " and its caption
// when it has one (so "NAME: I can't open this file", "bad file BMP: NAME"). A failed write adds the line
// "OUT: write failed", as "save &as" does. Returns 0 on success and 1 on any failure (bad arguments
// included); OUT is never created or changed by a failed run.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vyd {

int runConvert(const std::vector<std::string>& args, std::ostream& err);

}  // namespace vyd
