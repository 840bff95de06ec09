// The main window's title as a status line: replaced while something runs, put back (as a 128-byte buffer
// kept it) when the status ends.
#pragma once

#include <string>

#include "platform_api/platform.h"

namespace vyd {

class TitleStatus {
public:
    TitleStatus(Platform& ui, const std::string& status) : ui_(ui), saved_(ui.title().substr(0, kSavedLength)) {
        ui_.setTitle(status);
    }
    ~TitleStatus() { ui_.setTitle(saved_); }
    TitleStatus(const TitleStatus&) = delete;
    TitleStatus& operator=(const TitleStatus&) = delete;

private:
    static constexpr size_t kSavedLength = 127;
    Platform& ui_;
    std::string saved_;
};

}  // namespace vyd
