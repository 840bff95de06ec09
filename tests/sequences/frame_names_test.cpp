// The frame after a movie frame's name: the four digits before the last four characters count up with carry.
#include <gtest/gtest.h>

#include "sequences/frame_names.h"

TEST(FrameNames, NextNameOrNone) {
    const std::pair<const char*, const char*> cases[] = {  // "": no next frame
        {"walk0009.bmp", "walk0010.bmp"}, {"/a/w0999.pcx", "/a/w1000.pcx"}, {"a/1234.5678.gif", "a/1234.5679.gif"},
        {"xx0001.bmp", "xx0002.bmp"}, {"walk9999.bmp", ""}, {"walk12a4.bmp", ""}, {"x0001.bmp", ""}, {"", ""}};
    for (const auto& [name, next] : cases) EXPECT_EQ(vyd::nextFrameName(name).value_or(""), next) << name;
}
