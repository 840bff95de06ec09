// The headless platform remembering every message box and file chooser it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "platform/headless_platform.h"

namespace vydtest {

struct ShownBox {
    std::string text, caption;
    vyd::Owner owner = vyd::Owner::None;
    vyd::UINT flags = 0;
};

class BoxPlatform : public vyd::HeadlessPlatform {
public:
    int messageBox(vyd::Owner owner, const std::string& text, const std::string& caption, vyd::UINT flags) override {
        boxes.push_back({text, caption, owner, flags});
        return HeadlessPlatform::messageBox(owner, text, caption, flags);
    }
    std::optional<std::string> chooseFile(const vyd::FileChooserRequest& request) override {
        choosers.push_back(request);
        return HeadlessPlatform::chooseFile(request);
    }
    std::vector<ShownBox> boxes;
    std::vector<vyd::FileChooserRequest> choosers;
};

}  // namespace vydtest
