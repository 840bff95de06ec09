#include "sequences/frame_names.h"

namespace vyd {

namespace {
constexpr size_t kShortestFrameName = 10;
constexpr size_t kDigitsFromEnd = 8;  // the first digit's distance from the end of the name
constexpr size_t kDigitCount = 4;
}  // namespace

std::optional<std::string> nextFrameName(const std::string& name) {
    if (name.size() < kShortestFrameName) return std::nullopt;
    const size_t first = name.size() - kDigitsFromEnd;
    bool allNines = true;
    for (size_t i = first; i < first + kDigitCount; ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        allNines = allNines && name[i] == '9';
    }
    if (allNines) return std::nullopt;  // 9999 has no successor
    std::string next = name;
    for (size_t i = first + kDigitCount; i-- > first;) {
        if (next[i] != '9') {
            ++next[i];
            break;
        }
        next[i] = '0';
    }
    return next;
}

}  // namespace vyd
