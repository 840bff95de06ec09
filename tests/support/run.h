// Scripts run in process, and the transcript lines they print.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/script_runner.h"

namespace vydtest {

struct Outcome {
    int status = 0;
    std::string out, err;
};

// Slide lists change the current folder; every script starts and ends in the test's own.
inline Outcome script(const std::string& text) {
    const std::filesystem::path folder = std::filesystem::current_path();
    std::ostringstream out, err;
    const int status = vyd::runScript(text, out, err);
    std::filesystem::current_path(folder);
    return {status, out.str(), err.str()};
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The transcript line of a warning box: no owner or the main window, exclamation icon, one OK button.
inline std::string warningBox(const std::string& owner, const std::string& caption, const std::string& text) {
    return "messagebox owner=" + owner + " icon=exclamation buttons=ok caption=\"" + caption + "\" text=\"" + text +
           "\" -> ok";
}

}  // namespace vydtest
