// The slide list as data: its text split into lines with the caption lines marked, and the stepping through
// its entries (the captions each entry takes, "*LOOP", stepping back). Nothing here talks to the user or
// touches the file system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vyd {

inline constexpr size_t kSlideEntryLimit = 1023;   // characters of an entry's name
inline constexpr size_t kSlideCaptionLimit = 255;  // characters of one caption line
inline constexpr int kSlideCaptionsPerEntry = 4;

// One step through the list: an entry to show with its captions, the end of the list, or nothing at all
// (the list is past its end already).
struct SlideStep {
    enum Kind { Entry, End, Nothing } kind = Nothing;
    std::string name;
    std::vector<std::string> captions;
};

struct SlideList {
    std::vector<std::string> lines;  // trailing blanks and tabs removed, a caption mark '#' removed
    std::vector<bool> captionFlags;  // one a line: the line before it ended in '#'
    size_t index = 0;                // the next line to take

    bool isCaption(size_t line) const { return line < captionFlags.size() && captionFlags[line]; }

    // The next entry from `index` on. "*LOOP" goes back to the first line; `loops` counts those jumps
    // within one step, and a second jump means the list offers nothing to show, which ends it as its end does
    // (the caller passes the same counter again when it skips a folder entry and steps on).
    SlideStep next(int& loops);
    // Moves `index` back over the slide on display and its captions and over the one before it, so that
    // `next` takes that one again.
    void stepBack();
};

// Splits a slide list's text: lines end at line feeds (a carriage return before one is dropped); a final line
// without a line end still counts, and one ending in a line end leaves an empty last line, which is the one
// that ends the list; each line stops at a NUL byte; a line ending in '#' loses it and marks the next line as a
// caption line.
SlideList parseSlideList(std::string_view text);

}  // namespace vyd
