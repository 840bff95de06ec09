// Scripts run in process, and the transcript lines they print.
#pragma once

#include <sstream>
#include <string>
#include <vector>

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

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The transcript line of a warning box: no owner or the main window, exclamation icon, one OK button.
inline std::string warningBox(const std::string& owner, const std::string& caption, const std::string& text) {
    return "messagebox owner=" + owner + " icon=exclamation buttons=ok caption=\"" + caption + "\" text=\"" + text +
           "\" -> ok";
}

}  // namespace vydtest
