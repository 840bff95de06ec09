// Pattern smoothing over the area that continues a two-by-two pattern, and baking a level's scale into its
// pixels.
#include <gtest/gtest.h>

#include "ops/pattern_smoothing.h"
#include "ops/resize_by_scale.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

constexpr Color kBlack = 0, kWhite = 0xFFFFFF, kGrey = makeColor(127, 127, 127), kFrame = makeColor(0, 0, 200);

// A 9 x 7 picture: a black-and-white checkerboard in columns 1..6 and rows 1..4, the rest blue; one
// checkerboard square at (6, 4) breaks the pattern.
Image checkerboard() {
    return testing::truecolor(9, 7, [](int x, int y) {
        if (x < 1 || x > 6 || y < 1 || y > 4) return kFrame;
        if (x == 6 && y == 4) return makeColor(1, 2, 3);
        return (x + y) % 2 ? kWhite : kBlack;
    });
}

TEST(PatternSmoothing, CheckerboardBecomesItsAverageOverTheAreaOnly) {
    for (auto [u, v] : {std::pair{1, 1}, {4, 2}, {2, 3}}) {
        Image image = checkerboard();
        std::unique_ptr<Image> undo;
        ASSERT_TRUE(smoothPattern(image, u, v, undo));
        ASSERT_TRUE(undo && undo->hasPixels());
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 9; ++x) {
                const Color before = testing::at(*undo, x, y);
                const bool inside = x >= 1 && x <= 6 && y >= 1 && y <= 4 && !(x == 6 && y == 4);
                EXPECT_EQ(testing::at(image, x, y), inside ? kGrey : before) << x << "," << y << " from " << u;
            }
        }
        EXPECT_EQ(testing::at(*undo, 1, 1), kBlack);
    }
}

TEST(PatternSmoothing, AverageIsPerChannelQuarterSums) {
    // Pattern blue (10, 20, 30, 41) -> 25; green 3 x 255 + 0 -> 191; red 1 + 1 + 1 + 2 -> 1.
    const Color pattern[4] = {makeColor(1, 255, 10), makeColor(1, 255, 20), makeColor(1, 255, 30),
                              makeColor(2, 0, 41)};
    Image image = testing::truecolor(4, 4, [&](int x, int y) { return pattern[x % 2 + 2 * (y % 2)]; });
    std::unique_ptr<Image> undo;
    ASSERT_TRUE(smoothPattern(image, 1, 1, undo));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(testing::at(image, x, y), makeColor(1, 191, 25));

    // A plain area is its own average: it stays as it is (and the walk ends).
    Image plain = testing::truecolor(5, 5, [](int, int) { return makeColor(4, 5, 6); });
    ASSERT_TRUE(smoothPattern(plain, 2, 2, undo));
    EXPECT_EQ(testing::at(plain, 0, 0), makeColor(4, 5, 6));
}

TEST(PatternSmoothing, DoesNothingAtTheLastColumnOrRowOrOnAnIndexedPicture) {
    Image image = checkerboard();
    Image indexed = testing::indexed(kMode256, 4, 4, [](int x, int y) { return static_cast<uint8_t>((x + y) % 2); });
    std::unique_ptr<Image> undo;
    for (auto [u, v] : {std::pair{8, 0}, {0, 6}, {-1, 0}, {0, -1}}) EXPECT_FALSE(smoothPattern(image, u, v, undo));
    EXPECT_FALSE(smoothPattern(indexed, 0, 0, undo));
    EXPECT_FALSE(undo);
    EXPECT_EQ(testing::at(image, 7, 5), kFrame);
    EXPECT_EQ(testing::at(indexed, 1, 0), 1u);
}

Level levelWith(Image image, double sx, double sy, double ox, double oy) {
    Level level;
    level.image = std::move(image);
    level.scaleX = sx;
    level.scaleY = sy;
    level.originX = ox;
    level.originY = oy;
    return level;
}

TEST(ResizeByScale, BilinearWithTheLastSourcePixelRepeated) {
    // One row 0, 100 (blue) at scale 2: 0, 50, 100, 100 on both new rows.
    Level level = levelWith(testing::truecolor(2, 1, [](int x, int) { return makeColor(7, 0, x ? 100 : 0); }), 2, 2,
                            10, -3);
    level.image.mode = kModeTrue32;
    ASSERT_TRUE(resizeByScale(level));
    ASSERT_EQ(level.image.width(), 4);
    ASSERT_EQ(level.image.height(), 2);
    EXPECT_EQ(level.image.bitCount(), 24);
    EXPECT_EQ(level.image.mode, kModeTrue32);
    for (int y = 0; y < 2; ++y) {
        const Color expected[4] = {makeColor(7, 0, 0), makeColor(7, 0, 50), makeColor(7, 0, 100), makeColor(7, 0, 100)};
        for (int x = 0; x < 4; ++x) EXPECT_EQ(testing::at(level.image, x, y), expected[x]) << x << "," << y;
    }
    EXPECT_EQ(level.scaleX, 1);
    EXPECT_EQ(level.scaleY, 1);
    EXPECT_DOUBLE_EQ(level.originX, 20);
    EXPECT_DOUBLE_EQ(level.originY, -6);
}

TEST(ResizeByScale, MixesRowsAndColumnsAndShrinks) {
    // 2 x 2 with red 0 / 200 on top and 100 / 40 below, at scale (1.5, 0.5): 3 x 1 from rows 0 only.
    Level level = levelWith(testing::truecolor(2, 2, [](int x, int y) {
                                const uint8_t reds[2][2] = {{0, 200}, {100, 40}};
                                return makeColor(reds[y][x], 0, 0);
                            }),
                            1.5, 0.5, 3, 4);
    ASSERT_TRUE(resizeByScale(level));
    ASSERT_EQ(level.image.width(), 3);
    ASSERT_EQ(level.image.height(), 1);
    // Source x = 0, 2/3, 4/3 (clamped to 1): trunc(200 * 2/3) = 133.
    EXPECT_EQ(redOf(testing::at(level.image, 0, 0)), 0);
    EXPECT_EQ(redOf(testing::at(level.image, 1, 0)), 133);
    EXPECT_EQ(redOf(testing::at(level.image, 2, 0)), 200);
    EXPECT_DOUBLE_EQ(level.originX, 4.5);
    EXPECT_DOUBLE_EQ(level.originY, 2);

    // At scale 2 new pixel (1, 1) lies half-way between all four source pixels.
    Level both = levelWith(testing::truecolor(2, 2, [](int x, int y) {
                               const uint8_t reds[2][2] = {{0, 200}, {100, 40}};
                               return makeColor(reds[y][x], 0, 0);
                           }),
                           2, 2, 0, 0);
    ASSERT_TRUE(resizeByScale(both));
    EXPECT_EQ(redOf(testing::at(both.image, 1, 1)), 85);  // (0 + 200 + 100 + 40) / 4
}

TEST(ResizeByScale, DoesNothingWhenItCannot) {
    const struct {
        int bits;
        double sx, sy;
    } cases[] = {{8, 2, 2}, {24, 0.4, 2}, {24, 2, 0}, {24, 20000, 1}, {24, -1, -1}};
    for (const auto& c : cases) {
        Level level = levelWith(c.bits == 24 ? testing::truecolor(2, 2, [](int, int) { return 5u; })
                                             : testing::indexed(kMode256, 2, 2, [](int, int) { return uint8_t{5}; }),
                                c.sx, c.sy, 1, 1);
        EXPECT_FALSE(resizeByScale(level)) << c.sx << " " << c.sy;
        EXPECT_EQ(level.image.width(), 2);
        EXPECT_EQ(level.scaleX, c.sx);
        EXPECT_EQ(level.originX, 1);
    }
}

}  // namespace
}  // namespace vyd
