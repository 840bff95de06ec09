// Scripts and conversions run in process, and the transcript lines they print.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/convert_tool.h"
#include "platform/script_runner.h"

namespace vydtest {

struct Outcome {
    int status = 0;
    std::string out, err;
};

inline Outcome script(const std::string& text) {
    std::ostringstream out, err;
    const int status = vyd::runScript(text, out, err);
    return {status, out.str(), err.str()};
}

inline Outcome convert(const std::vector<std::string>& args) {
    std::ostringstream err;
    const int status = vyd::runConvert(args, err);
    return {status, "", err.str()};
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
inline std::string quoted(const std::string& s) { return "\"" + s + "\""; }

inline std::vector<std::string> linesStarting(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

// The last line starting with prefix ("" when none), e.g. the last state of "level 3 ".
inline std::string lastLine(const std::string& text, const std::string& prefix) {
    const auto all = linesStarting(text, prefix);
    return all.empty() ? "" : all.back();
}
inline std::string levelLine(const std::string& text, int i) { return lastLine(text, "level " + std::to_string(i) + " "); }

// The value of KEY=VALUE in a state line ("" when missing); quoted values lose their quotes.
inline std::string field(const std::string& line, const std::string& key) {
    size_t at = line.find(" " + key + "=");
    if (at == std::string::npos) return "";
    at += key.size() + 2;
    if (at < line.size() && line[at] == '"') return line.substr(at + 1, line.find('"', at + 1) - at - 1);
    const size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The transcript line of a warning box: no owner or the main window, exclamation icon, one OK button.
inline std::string warningBox(const std::string& owner, const std::string& caption, const std::string& text) {
    return "messagebox owner=" + owner + " icon=exclamation buttons=ok caption=\"" + caption + "\" text=\"" + text +
           "\" -> ok";
}

}  // namespace vydtest
