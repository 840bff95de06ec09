#include "platform/transcript.h"

#include <cstdio>

namespace vyd {

std::string quoteText(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c >= 0x80 || c < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out += static_cast<char>(c);
    }
    out += '"';
    return out;
}

std::string colourHex(Color colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02x%02x%02x", redOf(colour), greenOf(colour), blueOf(colour));
    return hex;
}

}  // namespace vyd
