// The slide list parser and stepper on texts a file may hold: line ends, caption marks, long and binary lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sequences/slide_list.h"

using vyd::SlideList;
using vyd::SlideStep;

namespace {

// The names and captions the right arrow meets until the list ends, as "name[caption|caption]", then "END".
std::string walk(std::string_view text) {
    SlideList list = vyd::parseSlideList(text);
    std::string seen;
    for (int steps = 0; steps < 6; ++steps) {
        int loops = 0;
        const SlideStep step = list.next(loops);
        if (step.kind != SlideStep::Entry) return seen + (step.kind == SlideStep::End ? "END" : "NOTHING");
        seen += step.name;
        if (!step.captions.empty()) {
            seen += '[';
            for (const std::string& c : step.captions) seen += c + (&c == &step.captions.back() ? "]" : "|");
        }
        seen += ' ';
    }
    return seen + "...";
}

TEST(SlideList, WalksAsTheKeysWould) {
    const struct {
        std::string text, expected;
    } cases[] = {
        {"a\nb#\ncap\n*LOOP\n", "a b[cap] a b[cap] a b[cap] ..."},
        {"a \t\r\n b\r\nc", "a  b c END"},
        {"", "END"},
        {"*LOOP\n", "END"},
        {"*LOOP", "END"},
        {"a#\nx#\ny#\nz#\nw#\nv\n", "a[x|y|z|w] v END"},
        {"a##\n#\nb\n", "a#[|b] END"},
        {std::string("a\0b#\nc\n", 7), "a c END"},
        {"\xff\xfe\x01#\n\n", "\xff\xfe\x01[] END"},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.text), c.expected) << c.text;
}

TEST(SlideList, CutsLongLinesAndStepsBackOverCaptions) {
    const std::string longName(5000, 'n'), longCaption(900, 'c');
    SlideList list = vyd::parseSlideList("a#\nc1\n" + longName + "#\n" + longCaption + "\n");
    int loops = 0;
    EXPECT_EQ(list.next(loops).name, "a");
    const SlideStep second = list.next(loops);
    EXPECT_EQ(second.name, std::string(1023, 'n'));
    ASSERT_EQ(second.captions.size(), 1u);
    EXPECT_EQ(second.captions[0], std::string(255, 'c'));
    list.stepBack();
    EXPECT_EQ(list.next(loops).captions, std::vector<std::string>{"c1"});
    list.stepBack();
    list.stepBack();
    EXPECT_EQ(list.index, 0u);
}

}  // namespace
