#include <gtest/gtest.h>

#include "sequences/composition.h"

using namespace vyd;

TEST(CompositionLine, AngleComesFromTheSavedRotationWhileRotationsAreSuppressed) {
    Level level;
    level.name = "x";
    level.image.leftColor = 0xAB;
    level.rotationCos = 0, level.rotationSin = -1;
    level.savedRotationCos = level.savedRotationSin = 0;
    EXPECT_EQ(compositionLine(12, level, false), " 12    0.00    0.00   1.000   1.000  -90.000 000000ab /x\n");
    EXPECT_EQ(compositionAngle(level, true), 0);
}

TEST(CompositionLine, ParsingStopsAtTheFirstFieldThatFailsAndTheNameFollowsTheFirstSlash) {
    const auto partial = parseCompositionLine(" 5 1.5 2.5 x 4 /a/b c");
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->originY, 2.5);
    EXPECT_EQ(partial->scaleY, 1);  // after the field that failed
    EXPECT_EQ(partial->name, "a/b c");
    const auto full = parseCompositionLine("15 1 2 3 4 5 -0x1 /n");
    EXPECT_EQ(full->angleDegrees, 5);
    EXPECT_EQ(full->leftColor, 0xFFFFFFFFu);
    EXPECT_EQ(parseCompositionLine("1 7/8 9")->originX, 7);
    EXPECT_EQ(parseCompositionLine(std::string_view("1 2 /a\0b", 8))->name, "a");
    EXPECT_FALSE(parseCompositionLine(std::string_view("\0 1 /a", 6)));
    EXPECT_FALSE(parseCompositionLine("99999999999999999999999 /a"));
}

TEST(TextLines, CarriageReturnsBeforeLineFeedsGoAndTheLastLineCountsWithoutAnEnd) {
    const std::vector<std::string_view> expected = {"a", "", "b\rc", "d"};
    EXPECT_EQ(textLines("a\r\n\nb\rc\nd"), expected);
    EXPECT_TRUE(textLines("").empty());
}
