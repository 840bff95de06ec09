// A window's title as a status line: replaced while something runs, put back (as a 128-byte buffer
// kept it) when the status ends. The main window's by default, or the clipboard viewer's.
#pragma once

#include <string>

#include "platform_api/platform.h"

namespace vyd {

class TitleStatus {
public:
    TitleStatus(Platform& ui, const std::string& status, Owner window = Owner::Main)
        : ui_(ui), viewer_(window == Owner::Viewer), saved_(title().substr(0, kSavedLength)) {
        setTitle(status);
    }
    ~TitleStatus() { setTitle(saved_); }
    TitleStatus(const TitleStatus&) = delete;
    TitleStatus& operator=(const TitleStatus&) = delete;

private:
    static constexpr size_t kSavedLength = 127;
    std::string title() const { return viewer_ ? ui_.viewerTitle() : ui_.title(); }
    void setTitle(const std::string& text) {
        if (viewer_) ui_.setViewerTitle(text);
        else ui_.setTitle(text);
    }
    Platform& ui_;
    bool viewer_;
    std::string saved_;
};

}  // namespace vyd
