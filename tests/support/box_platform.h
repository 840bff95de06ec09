// The headless platform remembering every message box it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "platform/headless_platform.h"

namespace vydtest {

struct ShownBox {
    std::string text, caption;
};

class BoxPlatform : public vyd::HeadlessPlatform {
public:
    int messageBox(vyd::Owner owner, const std::string& text, const std::string& caption, vyd::UINT flags) override {
        boxes.push_back({text, caption});
        return HeadlessPlatform::messageBox(owner, text, caption, flags);
    }
    std::vector<ShownBox> boxes;
};

}  // namespace vydtest
