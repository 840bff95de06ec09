#include "sequences/composition.h"

#include <gtest/gtest.h>

using namespace vyd;

TEST(CompositionLine, FormatAndParsing) {
    Level level;
    level.name = "x";
    level.image.leftColor = 0xAB;
    level.rotationCos = 0, level.rotationSin = -1;
    level.savedRotationCos = level.savedRotationSin = 0;
    EXPECT_EQ(compositionLine(12, level, false), " 12    0.00    0.00   1.000   1.000  -90.000 000000ab /x\n");
    EXPECT_EQ(compositionAngle(level, true), 0);  // the saved rotation counts while rotations are suppressed

    // Reading stops at the first field that fails; the name is all after the first '/', which ends the numbers.
    const auto partial = parseCompositionLine(" 5 1.5 2.5 x 4 /a/b c");
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->originY, 2.5);
    EXPECT_EQ(partial->scaleY, 1);
    EXPECT_EQ(partial->name, "a/b c");
    EXPECT_EQ(parseCompositionLine("1 7/8 9")->scaleX, 1);
    EXPECT_EQ(parseCompositionLine(std::string_view("1 2 /a\0b", 8))->name, "a");
    EXPECT_FALSE(parseCompositionLine(std::string_view("\0 1 /a", 6)));
}
