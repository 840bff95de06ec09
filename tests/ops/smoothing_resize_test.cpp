// Pattern smoothing over a two-by-two pattern's area, and baking a level's scale into its pixels.
#include <gtest/gtest.h>

#include "ops/pattern_smoothing.h"
#include "ops/resize_by_scale.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

TEST(PatternSmoothing, PatternAreaBecomesItsAverageWhereItMayRun) {
    // A black-and-white checkerboard in columns 1..6, rows 1..4 of a blue picture; (6, 4) breaks the pattern.
    const auto board = [](int x, int y) {
        if (x < 1 || x > 6 || y < 1 || y > 4) return makeColor(0, 0, 200);
        return x == 6 && y == 4 ? makeColor(1, 2, 3) : (x + y) % 2 ? 0xFFFFFFu : 0u;
    };
    for (auto [u, v] : {std::pair{1, 1}, {4, 2}}) {
        Image image = testing::truecolor(9, 7, board);
        std::unique_ptr<Image> undo;
        ASSERT_TRUE(smoothPattern(image, u, v, undo));
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool inside = board(x, y) == 0 || board(x, y) == 0xFFFFFF;
                EXPECT_EQ(testing::at(image, x, y), inside ? makeColor(127, 127, 127) : board(x, y)) << x << "," << y;
                EXPECT_EQ(testing::at(*undo, x, y), board(x, y));
            }
    }
    // Each channel is the quarter sum: blue (10 + 20 + 30 + 41) / 4, green 3 x 255 / 4, red 5 / 4.
    const Color pattern[4] = {makeColor(1, 255, 10), makeColor(1, 255, 20), makeColor(1, 255, 30), makeColor(2, 0, 41)};
    Image image = testing::truecolor(4, 4, [&](int x, int y) { return pattern[x % 2 + 2 * (y % 2)]; });
    Image flat = testing::truecolor(5, 5, [](int, int) { return makeColor(4, 5, 6); });
    std::unique_ptr<Image> undo;
    ASSERT_TRUE(smoothPattern(image, 1, 1, undo) && smoothPattern(flat, 2, 2, undo));  // a plain area ends
    EXPECT_EQ(testing::at(image, 0, 3), makeColor(1, 191, 25));
    EXPECT_EQ(testing::at(flat, 0, 0), makeColor(4, 5, 6));

    // Not at the last column or row, nor on an 8-bit picture: nothing changes, no undo copy is made.
    Image indexed = testing::indexed(kMode256, 4, 4, [](int x, int y) { return static_cast<uint8_t>((x + y) % 2); });
    std::unique_ptr<Image> none;
    for (auto [u, v] : {std::pair{4, 0}, {0, 4}, {-1, 0}, {0, -1}}) EXPECT_FALSE(smoothPattern(flat, u, v, none));
    EXPECT_FALSE(smoothPattern(indexed, 0, 0, none) || none);
}

Level levelOf(Image image, double sx, double sy, double ox, double oy) {
    Level level;
    level.image = std::move(image);
    level.scaleX = sx, level.scaleY = sy, level.originX = ox, level.originY = oy;
    return level;
}

TEST(ResizeByScale, BilinearWithTheLastSourcePixelRepeated) {
    // One row 0, 100 at scale 2: 0, 50, 100, 100 on both rows; mode kept, origin times the scales.
    Level level = levelOf(testing::truecolor(2, 1, [](int x, int) { return makeColor(7, 0, x ? 100 : 0); }), 2, 2, 10, -3);
    level.image.mode = kModeTrue32;
    ASSERT_TRUE(resizeByScale(level));
    ASSERT_TRUE(level.image.width() == 4 && level.image.height() == 2 && level.image.bitCount() == 24);
    EXPECT_EQ(level.image.mode, kModeTrue32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(testing::at(level.image, x, y), makeColor(7, 0, (x ? 50 : 0) * std::min(x, 2)));
    EXPECT_TRUE(level.scaleX == 1 && level.scaleY == 1 && level.originX == 20 && level.originY == -6);

    // Red 0 / 200 over 100 / 40. Scale (1.5, 0.5): source x 0, 2/3, 4/3 on row 0; scale 2: (0.5, 0.5) mixes all.
    const auto square = [](int x, int y) { return makeColor(static_cast<uint8_t>(y ? 100 - 60 * x : 200 * x), 0, 0); };
    Level shrunk = levelOf(testing::truecolor(2, 2, square), 1.5, 0.5, 3, 4), grown = levelOf(testing::truecolor(2, 2, square), 2, 2, 0, 0);
    ASSERT_TRUE(resizeByScale(shrunk) && resizeByScale(grown));
    ASSERT_TRUE(shrunk.image.width() == 3 && shrunk.image.height() == 1);
    EXPECT_TRUE(testing::at(shrunk.image, 1, 0) == makeColor(133, 0, 0) && testing::at(shrunk.image, 2, 0) == makeColor(200, 0, 0));
    EXPECT_DOUBLE_EQ(shrunk.originX, 4.5);
    EXPECT_EQ(testing::at(grown.image, 1, 1), makeColor(85, 0, 0));
}

TEST(ResizeByScale, DoesNothingWhenItCannot) {
    const struct { int bits; double sx, sy; } cases[] = {{8, 2, 2}, {24, 0.4, 2}, {24, 2, 0}, {24, 20000, 1}, {24, -1, -1}};
    for (const auto& c : cases) {
        Level level = levelOf(c.bits == 24 ? testing::truecolor(2, 2, [](int, int) { return 5u; })
                                           : testing::indexed(kMode256, 2, 2, [](int, int) { return uint8_t{5}; }),
                              c.sx, c.sy, 1, 1);
        EXPECT_FALSE(resizeByScale(level)) << c.sx << " " << c.sy;
        EXPECT_TRUE(level.image.width() == 2 && level.scaleX == c.sx && level.originX == 1);
    }
}

}  // namespace
}  // namespace vyd
