// The frame after a movie frame's name: the four digits before the last four characters count up with carry.
#include <gtest/gtest.h>

#include "sequences/frame_names.h"

using vyd::nextFrameName;

TEST(FrameNames, NextNameOrNone) {
    const struct {
        const char* name;
        const char* next;  // nullptr: no next frame
    } cases[] = {
        {"walk0009.bmp", "walk0010.bmp"},
        {"/a/w0999.pcx", "/a/w1000.pcx"},
        {"a/1234.5678.gif", "a/1234.5679.gif"},  // only the digits at L-8..L-5 count
        {"walk9999.bmp", nullptr},
        {"walk12a4.bmp", nullptr},
        {"x0001.bmp", nullptr},     // 9 characters
        {"xx0001.bmp", "xx0002.bmp"},  // exactly 10
        {"0001abcd", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> next = nextFrameName(c.name);
        if (c.next) {
            EXPECT_EQ(next.value_or("(none)"), c.next) << c.name;
        } else {
            EXPECT_FALSE(next.has_value()) << c.name << " -> " << *next;
        }
    }
}
