#include "sequences/text_file.h"

#include "formats/file_io.h"

namespace vyd {

std::optional<std::string> readTextFile(const std::string& path) {
    // A file longer than the limit is one that cannot be opened.
    const WholeFile file = FileBytes::read(path, kTextFileLimit);
    if (!file) return std::nullopt;
    const auto bytes = file.data.bytes();
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string_view> textLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

}  // namespace vyd
