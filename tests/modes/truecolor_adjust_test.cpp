// The in-place truecolor adjustments.
#include <gtest/gtest.h>

#include "modes/truecolor_adjust.h"
#include "modes_test_util.h"

namespace vyd {
namespace {

// A truecolor row holding the channel values given, three to a pixel.
Image channelRow(const std::vector<uint8_t>& values) {
    Image image = test::makeImage(24, 24, static_cast<int>(values.size() / 3), 1);
    std::copy(values.begin(), values.end(), image.row(0));
    return image;
}

TEST(Threshold, WhiteFromTheLimitUpAndOnlyOnTruecolor) {
    Image image = channelRow({127, 128, 128, 128, 128, 128, 255, 0, 0});
    ASSERT_TRUE(thresholdTruecolor(image, 128));
    EXPECT_EQ(test::rowBytes(image, 0, 9), (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(image.mode, 24);

    Image indexed = test::makeImage(8, 8, 2, 1);
    indexed.row(0)[0] = 200;
    EXPECT_FALSE(thresholdTruecolor(indexed, 0));
    EXPECT_EQ(indexed.row(0)[0], 200);
}

TEST(LinearMapping, InvertsAndClipsWithTruncation) {
    Image image = channelRow({0, 1, 254, 255, 128, 77});
    ASSERT_TRUE(mapTruecolorLinear(image, 255, 0));
    EXPECT_EQ(test::rowBytes(image, 0, 6), (std::vector<uint8_t>{255, 254, 1, 0, 127, 178}));

    // from0 -100, from255 355: v -> -100 + v * 455 / 255, truncated toward zero, clipped.
    Image clipped = channelRow({0, 56, 57, 198, 199, 255});
    ASSERT_TRUE(mapTruecolorLinear(clipped, -100, 355));
    EXPECT_EQ(test::rowBytes(clipped, 0, 6), (std::vector<uint8_t>{0, 0, 1, 253, 255, 255}));

    // Settings far outside 32-bit differences still map sanely.
    Image extreme = channelRow({0, 128, 255});
    ASSERT_TRUE(mapTruecolorLinear(extreme, INT32_MIN, INT32_MAX));
    EXPECT_EQ(test::rowBytes(extreme, 0, 3), (std::vector<uint8_t>{0, 255, 255}));
}

TEST(TruecolorMark, TogglesBetween24And16AndTakes32To24) {
    Image image = test::makeImage(24, 24, 1, 1);
    ASSERT_TRUE(toggleTruecolorMark(image));
    EXPECT_EQ(image.mode, 16);
    ASSERT_TRUE(toggleTruecolorMark(image));
    EXPECT_EQ(image.mode, 24);
    image.mode = 32;
    ASSERT_TRUE(toggleTruecolorMark(image));
    EXPECT_EQ(image.mode, 24);
    Image indexed = test::makeImage(4, 8, 1, 1);
    EXPECT_FALSE(toggleTruecolorMark(indexed));
    EXPECT_EQ(indexed.mode, 4);
}

}  // namespace
}  // namespace vyd
