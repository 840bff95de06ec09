// `vyd convert IN OUT [--mode 2|16|chequer|256|dither|grey|true] [--quality N]`: reads IN by its content,
// optionally converts its colour mode as the Modes menu does, and writes OUT in the format its extension
// names, with the same reader, conversion and writer the menus use.
//
// Every message box the program would show is one line on err: the box's text, then ": " and its caption
// when it has one (so "NAME: I can't open this file", "bad file BMP: NAME"). A failed write adds the line
// "OUT: write failed", as "save &as" does. Returns 0 on success, 1 when a file could not be read or written
// and 2 when the arguments make no request (the problem and the usage on err); OUT is never created or
// changed by a failed run.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vyd {

// Why the arguments after "convert" make no request: an unknown option, --mode or --quality without a value
// or with one it does not take, or not exactly two files. Empty when they make one.
std::string convertArgumentsProblem(const std::vector<std::string>& args);

int runConvert(const std::vector<std::string>& args, std::ostream& err);

}  // namespace vyd
