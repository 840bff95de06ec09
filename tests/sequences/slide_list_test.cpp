// The slide list parser and stepper on empty, loop-only, captioned, binary and long-line texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sequences/slide_list.h"

using vyd::SlideList;
using vyd::SlideStep;

namespace {

// The names and captions the right arrow meets until the list ends, as "name[caption|caption] ", then "END".
std::string walk(std::string_view text) {
    SlideList list = vyd::parseSlideList(text);
    std::string seen;
    for (int loops = 0, steps = 0; steps < 6; ++steps, loops = 0) {
        const SlideStep step = list.next(loops);
        if (step.kind != SlideStep::Entry) return seen + (step.kind == SlideStep::End ? "END" : "NOTHING");
        seen += step.name;
        for (size_t i = 0; i < step.captions.size(); ++i) seen += (i == 0 ? "[" : "|") + step.captions[i];
        seen += step.captions.empty() ? " " : "] ";
    }
    return seen + "...";
}

TEST(SlideList, WalksAsTheKeysWould) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "END"}, {"*LOOP\n", "END"}, {"*LOOP", "END"}, {"a##\n#\nb\n", "a#[|b] END"},
        {std::string("a\0b#\nc\n", 7), "a c END"}, {"\xff\xfe\x01#\n\n", "\xff\xfe\x01[] END"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(walk(text), expected) << text;
}

TEST(SlideList, CutsLongLinesAndStepsBackOverCaptions) {
    SlideList list = vyd::parseSlideList("a#\nc1\n" + std::string(5000, 'n') + "#\n" + std::string(900, 'c') + "\n");
    int loops = 0;
    EXPECT_EQ(list.next(loops).name, "a");
    const SlideStep second = list.next(loops);
    EXPECT_EQ(second.name, std::string(1023, 'n'));
    EXPECT_EQ(second.captions, std::vector<std::string>{std::string(255, 'c')});
    list.stepBack();
    EXPECT_EQ(list.next(loops).captions, std::vector<std::string>{"c1"});
    list.stepBack();
    list.stepBack();
    EXPECT_EQ(list.index, 0u);
}

}  // namespace
