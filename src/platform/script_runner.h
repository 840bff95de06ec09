// `vyd --script FILE`: drives the main window procedure on the headless platform, one action a line,
// and writes the transcript of what a user would have seen.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vyd {

// Splits one script line into words: blanks separate; a word in double quotes may hold blanks and the
// escapes \" \\ \n \xHH. Returns false with a reason for an unterminated quote or a bad escape.
bool splitScriptLine(const std::string& line, std::vector<std::string>& words, std::string& why);

// Runs a script; returns the exit status: 0, or 2 for an error in the script itself.
int runScript(const std::string& text, std::ostream& out, std::ostream& err);
int runScriptFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace vyd
