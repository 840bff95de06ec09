#include "sequences/slide_list.h"

#include "sequences/text_file.h"

namespace vyd {

SlideList parseSlideList(std::string_view text) {
    SlideList list;
    for (std::string_view line : textLines(text)) {
        if (const size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        list.lines.emplace_back(line);
    }
    // The empty last line, after the last line end (one is supplied where the text has none), ends the list.
    list.lines.emplace_back();

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
