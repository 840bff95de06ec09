// The headless platform, remembering every message box (with the window title it was shown under) and
// every file chooser request.
#pragma once

#include <string>
#include <vector>

#include "platform/headless_platform.h"

namespace vyd::test {

struct ShownBox {
    Owner owner;
    std::string text, caption;
    UINT flags;
    std::string titleMeanwhile;
};

class BoxRecorder : public HeadlessPlatform {
public:
    int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) override {
        boxes.push_back({owner, text, caption, flags, title()});
        return HeadlessPlatform::messageBox(owner, text, caption, flags);
    }
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override {
        choosers.push_back(request);
        return HeadlessPlatform::chooseFile(request);
    }
    std::vector<ShownBox> boxes;
    std::vector<FileChooserRequest> choosers;
};

}  // namespace vyd::test
