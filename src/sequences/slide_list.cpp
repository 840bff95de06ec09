#include "sequences/slide_list.h"

namespace vyd {

SlideList parseSlideList(std::string_view text) {
    SlideList list;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (const size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        list.lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    // A text that does not end in a line end still gets the empty last line that ends the list.
    if (!text.empty() && text.back() != '\n') list.lines.emplace_back();

    list.captionFlags.assign(list.lines.size(), false);
    for (size_t j = 0; j < list.lines.size(); ++j) {
        std::string& line = list.lines[j];
        if (line.empty() || line.back() != '#') continue;
        line.pop_back();
        if (j + 1 < list.captionFlags.size()) list.captionFlags[j + 1] = true;
    }
    return list;
}

SlideStep SlideList::next(int& loops) {
    SlideStep step;
    const size_t count = lines.size();
    while (index < count) {
        const std::string& line = lines[index];
        ++index;
        if (index >= count) {
            step.kind = SlideStep::End;
            return step;
        }
        if (line == "*LOOP") {
            if (++loops > 1) {
                // Round the whole list without anything to show: end it rather than go round forever.
                index = count;
                step.kind = SlideStep::End;
                return step;
            }
            index = 0;
            continue;
        }
        step.kind = SlideStep::Entry;
        step.name = line.substr(0, kSlideEntryLimit);
        while (step.captions.size() < kSlideCaptionsPerEntry && isCaption(index)) {
            step.captions.push_back(lines[index].substr(0, kSlideCaptionLimit));
            ++index;
        }
        return step;
    }
    return step;
}

void SlideList::stepBack() {
    for (int twice = 0; twice < 2; ++twice) {
        if (index == 0) continue;
        --index;
        while (index > 0 && isCaption(index)) --index;
    }
}

}  // namespace vyd
