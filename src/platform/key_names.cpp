#include "platform/key_names.h"

#include <cctype>
#include <cstdlib>
#include <map>

#include "platform_api/win32.h"

namespace vyd {

namespace {

const std::map<std::string, int>& namedKeys() {
    static const std::map<std::string, int> keys = [] {
        std::map<std::string, int> k = {
            {"LBUTTON", VK_LBUTTON}, {"RBUTTON", VK_RBUTTON}, {"CANCEL", VK_CANCEL}, {"MBUTTON", VK_MBUTTON},
            {"BACK", VK_BACK}, {"TAB", VK_TAB}, {"CLEAR", VK_CLEAR}, {"RETURN", VK_RETURN}, {"SHIFT", VK_SHIFT},
            {"CONTROL", VK_CONTROL}, {"MENU", VK_MENU}, {"PAUSE", VK_PAUSE}, {"CAPITAL", VK_CAPITAL},
            {"ESCAPE", VK_ESCAPE}, {"SPACE", VK_SPACE}, {"PRIOR", VK_PRIOR}, {"NEXT", VK_NEXT}, {"END", VK_END},
            {"HOME", VK_HOME}, {"LEFT", VK_LEFT}, {"UP", VK_UP}, {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN},
            {"SELECT", VK_SELECT}, {"PRINT", VK_PRINT}, {"SNAPSHOT", VK_SNAPSHOT}, {"INSERT", VK_INSERT},
            {"DELETE", VK_DELETE}, {"HELP", VK_HELP}, {"MULTIPLY", VK_MULTIPLY}, {"ADD", VK_ADD},
            {"SEPARATOR", VK_SEPARATOR}, {"SUBTRACT", VK_SUBTRACT}, {"DECIMAL", VK_DECIMAL},
            {"DIVIDE", VK_DIVIDE}, {"NUMLOCK", VK_NUMLOCK}, {"SCROLL", VK_SCROLL}, {"LSHIFT", VK_LSHIFT},
            {"RSHIFT", VK_RSHIFT}, {"LCONTROL", VK_LCONTROL}, {"RCONTROL", VK_RCONTROL}, {"OEM_1", VK_OEM_1},
            {"OEM_PLUS", VK_OEM_PLUS}, {"OEM_COMMA", VK_OEM_COMMA}, {"OEM_MINUS", VK_OEM_MINUS},
            {"OEM_PERIOD", VK_OEM_PERIOD}, {"OEM_2", VK_OEM_2}, {"OEM_3", VK_OEM_3}, {"OEM_4", VK_OEM_4},
            {"OEM_5", VK_OEM_5}, {"OEM_6", VK_OEM_6}, {"OEM_7", VK_OEM_7}, {"OEM_8", VK_OEM_8},
            {"OEM_102", VK_OEM_102},
        };
        // Names built by appending to a named string: GCC 12 warns falsely (-Wrestrict) on "literal" + temporary.
        for (int n = 1; n <= 24; ++n) k[std::string("F").append(std::to_string(n))] = VK_F1 + n - 1;
        for (int n = 0; n <= 9; ++n) k[std::string("NUMPAD").append(std::to_string(n))] = VK_NUMPAD0 + n;
        return k;
    }();
    return keys;
}

}  // namespace

int virtualKeyFromName(const std::string& name) {
    if (name.empty()) return -1;
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.rfind("VK_", 0) == 0) upper = upper.substr(3);
    if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0]))) return upper[0];
    auto it = namedKeys().find(upper);
    if (it != namedKeys().end()) return it->second;
    char* end = nullptr;
    int base = (upper.size() > 2 && upper[0] == '0' && upper[1] == 'X') ? 16 : 10;
    long value = std::strtol(upper.c_str(), &end, base);
    if (end && *end == '\0' && value >= 0 && value <= 255) return static_cast<int>(value);
    return -1;
}

}  // namespace vyd
