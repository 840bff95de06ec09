// Codecs never talk to the user: a reader or writer returns its outcome with the messages it would show,
// in the order they were raised, and readImageFile/writeImageFile show them through the platform.
#pragma once

#include <string>
#include <vector>

#include "platform_api/win32.h"

namespace vyd {

struct CodecMessage {
    std::string text;
    std::string caption;
    UINT flags = MB_OK | MB_ICONEXCLAMATION;
};

struct CodecResult {
    bool ok = false;
    std::vector<CodecMessage> messages;  // warnings first; on failure the last one is the failure

    static CodecResult success() { return {true, {}}; }
    static CodecResult failure(std::string text, std::string caption) {
        return {false, {{std::move(text), std::move(caption), MB_OK | MB_ICONEXCLAMATION}}};
    }
    void warn(std::string text, std::string caption, UINT flags = MB_OK | MB_ICONEXCLAMATION) {
        messages.push_back({std::move(text), std::move(caption), flags});
    }
    CodecResult& fail(std::string text, std::string caption) {
        ok = false;
        messages.push_back({std::move(text), std::move(caption), MB_OK | MB_ICONEXCLAMATION});
        return *this;
    }
};

}  // namespace vyd
