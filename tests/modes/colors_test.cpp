// The colour-to-index functions at their thresholds.
#include <gtest/gtest.h>

#include "modes/colors.h"
#include "modes_test_util.h"

namespace vyd {
namespace {

// makeColor takes (red, green, blue).
constexpr Color grey(uint8_t v) { return makeColor(v, v, v); }

TEST(GreyValue, TruncatesTheMean) {
    EXPECT_EQ(greyValue(makeColor(0, 1, 1)), 0);
    EXPECT_EQ(greyValue(makeColor(254, 255, 255)), 254);
    EXPECT_EQ(greyValue(makeColor(102, 101, 100)), 101);
    EXPECT_EQ(greyValue(0xFF000000u | grey(30)), 30);  // the top byte is not a channel
}

TEST(BlackOrWhite, WhiteFromTheLimitUp) {
    EXPECT_EQ(blackOrWhite(makeColor(128, 128, 127), 128), 0);  // grey 127
    EXPECT_EQ(blackOrWhite(grey(128), 128), 15);
    EXPECT_EQ(blackOrWhite(grey(0), 0), 15);
    EXPECT_EQ(blackOrWhite(grey(254), 255), 0);
    EXPECT_EQ(blackOrWhite(grey(255), 255), 15);
}

TEST(SixteenColorIndex, GreysSplitAt65And161And224) {
    EXPECT_EQ(sixteenColorIndex(grey(64)), 0);
    EXPECT_EQ(sixteenColorIndex(grey(65)), 8);
    EXPECT_EQ(sixteenColorIndex(grey(160)), 8);
    EXPECT_EQ(sixteenColorIndex(grey(161)), 7);
    EXPECT_EQ(sixteenColorIndex(grey(200)), 7);
    EXPECT_EQ(sixteenColorIndex(grey(223)), 7);
    EXPECT_EQ(sixteenColorIndex(grey(224)), 15);
}

TEST(SixteenColorIndex, HuesTurnBrightAt192) {
    EXPECT_EQ(sixteenColorIndex(makeColor(191, 0, 0)), 4);
    EXPECT_EQ(sixteenColorIndex(makeColor(192, 0, 0)), 12);
    EXPECT_EQ(sixteenColorIndex(makeColor(0, 40, 100)), 1);   // blue 100, green 40
    EXPECT_EQ(sixteenColorIndex(makeColor(0, 50, 100)), 1);   // green exactly half: not counted
    EXPECT_EQ(sixteenColorIndex(makeColor(0, 51, 100)), 3);
    EXPECT_EQ(sixteenColorIndex(makeColor(0, 101, 200)), 11);  // bright cyan
    EXPECT_EQ(sixteenColorIndex(makeColor(65, 0, 0)), 4);      // just above black
}

TEST(NearestPaletteIndex, SixteenColorClassUnlessFullSearch) {
    Image image = test::makeImage(4, 8, 1, 1);
    // Entry 20 is exactly the colour, but a 16-color image takes the class without full search.
    image.palette[20] = test::quad(10, 10, 200);
    const Color c = makeColor(200, 10, 10);
    EXPECT_EQ(nearestPaletteIndex(image, c, false), 12);
    EXPECT_EQ(nearestPaletteIndex(image, c, true), 20);
    image.mode = kMode256;
    EXPECT_EQ(nearestPaletteIndex(image, c, false), 20);
}

TEST(NearestPaletteIndex, LowestIndexWinsTiesAndNothingWithin9999GivesZero) {
    Image image = test::makeImage(8, 8, 1, 1);
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad{});
    EXPECT_EQ(nearestPaletteIndex(image, grey(255), true), 0);
    image.palette[40] = test::quad(99, 0, 0);  // 99^2 = 9801 < 9999
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), true), 40);
    image.palette[30] = test::quad(198, 0, 99);  // same distance 99^2, lower index
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), true), 30);
}

TEST(FindPaletteColor, ComparesThreeChannelsOnlyOn8BitImages) {
    Image image = test::makeImage(8, 8, 1, 1);
    image.palette[77] = {1, 2, 3, 99};
    image.palette[78] = {1, 2, 3, 0};
    EXPECT_EQ(findPaletteColor(image, makeColor(3, 2, 1)), 77);
    EXPECT_EQ(findPaletteColor(image, makeColor(250, 2, 1)), -1);
    EXPECT_EQ(findPaletteColor(image, grey(255)), 15);
    Image truecolor = test::makeImage(24, 24, 1, 1);
    EXPECT_EQ(findPaletteColor(truecolor, grey(0)), -1);
}

}  // namespace
}  // namespace vyd
