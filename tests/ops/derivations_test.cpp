// The level-15 derivations: where the barrel correction samples, bump-map slope codes, a rebuild worked by hand.
#include <gtest/gtest.h>

#include <functional>

#include "ops/level15_derivations.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::at;
Color grey(int v) { return makeColor(static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v)); }

TEST(BarrelCorrection, SamplesAlongTheRayClampedToThePicture) {
    const struct { int w, h; double px, py, d; int x, y, sx, sy; } cases[] = {
        {320, 420, 0, 0, 1000, 300, 400, 274, 366},  // r = 500, k = 0.915244
        {10, 1, 0, 0, 2, 4, 0, 0, 0},                 // past pi / 2: across the pivot, clamped to 0
        {10, 1, 0, 0, 2, 7, 0, 9, 0},                 // just past pi: far out, clamped to the edge
        {5, 3, 2, 1, 0, 0, 0, 2, 1},                  // not a number: the pivot
    };
    for (const auto& c : cases) {
        Image out;
        const Image in = testing::truecolor(c.w, c.h, [](int x, int y) { return testing::coded(x, y); });
        ASSERT_TRUE(removeBarrelDistortion(in, out, c.px, c.py, c.d));
        EXPECT_EQ(at(out, c.x, c.y), testing::coded(c.sx, c.sy)) << c.x << "," << c.y;
    }
}

// Row 0 and column 0 copy their neighbours, so each picture is one code throughout but for the edge.
TEST(BumpMap, EncodesTheSlopesWithFloorDivision) {
    const struct { int w, h; std::function<int(int, int)> grey; std::function<Color(int)> want; } cases[] = {
        {3, 4, [](int, int y) { return 4 * y; }, [](int) { return makeColor(127, 129, 0); }},          // gy = 8
        {4, 2, [](int x, int) { return 200 - 3 * x; }, [](int) { return makeColor(125, 127, 0); }},   // gx = -6
        {3, 2, [](int x, int) { return x ? 0 : 255; }, [](int x) { return makeColor(x < 2 ? 0 : 127, 127, 0); }},
    };  // the last: gx = -510, raised to -508
    for (const auto& c : cases) {
        Image out;
        ASSERT_TRUE(makeBumpMap(testing::truecolor(c.w, c.h, [&](int x, int y) { return grey(c.grey(x, y)); }), out));
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) EXPECT_EQ(at(out, x, y), c.want(x)) << c.w << ": " << x << "," << y;
    }
}

// Flat but for pixel (3, 2) (A = -40 there); column 1 is never read (column 0 stands in for it). Each of the
// four passes lowers the rebuilt dent by 10 more.
TEST(BumpMap, RebuildsBrightnessAlongTheDiagonals) {
    const Image bump = testing::truecolor(4, 4, [](int x, int y) {
        const uint8_t v = x == 3 && y == 2 ? 117 : 127;
        return x == 1 ? 0 : makeColor(v, v, 0); });
    const int want[4][4] = {{255, 210, 255, 215}, {205, 255, 215, 255}, {255, 205, 255, 185}, {225, 255, 185, 255}};
    Image out;
    ASSERT_TRUE(rebuildFromBumpMap(bump, out));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(at(out, x, y), grey(want[y][x])) << x << "," << y;
}

}  // namespace
}  // namespace vyd
