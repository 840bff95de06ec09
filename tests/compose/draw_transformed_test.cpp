#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

#include "compose/draw_transformed.h"
#include "support/picture_helpers.h"

using namespace vyd;
using namespace vyd::testing;

namespace {

constexpr Color kUntouched = 0x123456;

Image canvas(int width, int height) { return truecolor(width, height, [](int, int) { return kUntouched; }); }

Placement at(double x, double y, double sx = 1, double sy = 1, double degrees = 0) {
    const double r = degrees * M_PI / 180;
    return {x, y, sx, sy, std::cos(r), std::sin(r)};
}

}  // namespace

TEST(ResamplingCopy, HandWorkedPlacementsShowTheSourcePixelsTheyMapTo) {
    using Shown = std::pair<int, int>;  // the source pixel a canvas pixel shows; (-1, -1) when untouched
    struct Case { const char* name; int sourceWidth, sourceHeight, canvasWidth, canvasHeight; Placement placement;
                  std::function<Shown(int x, int y)> shows; ClipRect clip = {0, 0, 1 << 20, 1 << 20}; };
    const auto on = [](int u, int v, int w, int h) { return u >= 0 && u < w && v >= 0 && v < h ? Shown{u, v} : Shown{-1, -1}; };
    const Case cases[] = {
        {"identity", 7, 5, 12, 9, at(0, 0), [&](int x, int y) { return on(x, y, 7, 5); }},
        {"zoom two, shifted", 4, 3, 12, 10, at(3, 2, 2, 2),
         [&](int x, int y) { return x < 3 || y < 2 ? Shown{-1, -1} : on((x - 3) / 2, (y - 2) / 2, 4, 3); }},
        // Turned counter-clockwise about its corner (0,0) placed at (0, 3): the level's rows run right, its
        // columns run up, so column u lies on picture row 3 - u and row v on picture column v.
        {"theta 90", 3, 2, 6, 6, Placement{0, 3, 1, 1, 0, 1}, [&](int x, int y) { return on(3 - y, x, 3, 2); }},
        // A box one row high (here the picture's last row) is drawn like any other.
        {"last row", 3, 3, 3, 4, at(0, 3), [&](int x, int y) { return on(x, y - 3, 3, 3); }},
        // Each pixel shows the source point under its top-left corner: a third of the size shows every third pixel.
        {"shrunk", 9, 6, 5, 4, at(0, 0, 1 / 3.0, 1 / 3.0), [&](int x, int y) { return on(3 * x, 3 * y, 9, 6); }},
        // A step just under two source pixels: each pixel's corner lies just short of an even u.
        {"step just under two", 8, 1, 4, 1, at(0, 0, 65536 / 131071.6, 1),
         [&](int x, int y) { return on(static_cast<int>(x * 131071.6 / 65536), y, 8, 1); }},
        // Mirrored about x = 5: the box spans columns 2..4 (its right edge excluded), and corner x shows u = 5 - x,
        // so column 2 (u = 3) lies off the source and u = 0 is never shown.
        {"mirrored", 3, 2, 7, 2, at(5, 0, -1, 1),
         [&](int x, int y) { return x >= 3 && x <= 4 ? Shown{5 - x, y} : Shown{-1, -1}; }},
        // The clip excludes its right column and includes its bottom row.
        {"clipped", 7, 5, 12, 9, at(0, 0), [&](int x, int y) { return x >= 1 && x < 4 && y >= 1 && y <= 3 ? on(x, y, 7, 5) : Shown{-1, -1}; },
         {1, 1, 4, 3}},
    };
    for (const Case& c : cases) {
        const Image source = truecolor(c.sourceWidth, c.sourceHeight, [](int x, int y) { return coded(x, y); });
        Image destination = canvas(c.canvasWidth, c.canvasHeight);
        ASSERT_EQ(drawTransformed(destination, source, nullptr, c.placement, c.clip), 1) << c.name;
        for (int y = 0; y < c.canvasHeight; ++y)
            for (int x = 0; x < c.canvasWidth; ++x) {
                const auto [u, v] = c.shows(x, y);
                ASSERT_EQ(at(destination, x, y), u < 0 ? kUntouched : coded(u, v)) << c.name << " " << x << "," << y;
            }
    }
}

TEST(ResamplingCopy, TransparentColourLeavesTheLowerPictureForEveryKindOfCopy) {
    // Truecolor: the colour's 24 bits.
    Image source = truecolor(4, 1, [](int x, int) { return x == 2 ? 0x00FF00 : coded(x, 0); });
    source.leftColor = 0x00FF00;
    Image destination = canvas(4, 2);
    drawTransformed(destination, source, nullptr, at(0, 0));
    EXPECT_TRUE(at(destination, 1, 0) == coded(1, 0) && at(destination, 2, 0) == kUntouched);
    source.leftColor = 0x0100FF00;  // top byte not 0: transparency off
    drawTransformed(destination, source, nullptr, at(0, 0));
    EXPECT_EQ(at(destination, 2, 0), 0x00FF00u);

    // Palette lookup: the entry's four bytes must equal the colour.
    Image greys = indexed(kModeGreys, 3, 1, [](int x, int) { return static_cast<uint8_t>(100 + x); });
    for (int i = 0; i < 256; ++i) greys.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    greys.palette[102].rgbReserved = 1;
    greys.leftColor = 0x656565;  // entry 101
    destination = canvas(3, 1);
    drawTransformed(destination, greys, nullptr, at(0, 0));
    // Pixel 2 has the colour of entry 102, but that entry's reserved byte differs.
    EXPECT_TRUE(at(destination, 0, 0) == 0x646464u && at(destination, 1, 0) == kUntouched && at(destination, 2, 0) == 0x666666u);

    // Index copy: the transparent index is the sixteen-colour class of the colour.
    Image sixteen = indexed(kMode16, 3, 1, [](int x, int) { return static_cast<uint8_t>(x + 9); });
    sixteen.leftColor = 0x00FF00;  // bright green: index 10
    Image background = indexed(kMode16, 3, 1, [](int, int) { return 1; });
    drawTransformed(background, sixteen, nullptr, at(0, 0));
    EXPECT_TRUE(at(background, 0, 0) == 9u && at(background, 1, 0) == 1u && at(background, 2, 0) == 11u);
}

TEST(ResamplingCopy, TheFootprintsBoxIsRecordedClampedAtItsStartEvenWhenNothingShows) {
    const Image source = truecolor(10, 10, [](int x, int y) { return coded(x, y); });
    Image destination = canvas(20, 20);
    ScreenRect rect;
    ASSERT_EQ(drawTransformed(destination, source, &rect, at(0, 0)), 1);
    // The box is inclusive of the far corner, plus one.
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(0, 0, 11, 11));

    destination = canvas(20, 20);
    ASSERT_EQ(drawTransformed(destination, source, &rect, at(-100, -50)), 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(at(destination, x, y), kUntouched);
    // Corners -100..-90 and -50..-40: start clamped to 0, ends are the corners themselves plus one.
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(0, 0, -89, -39));
}

TEST(ResamplingCopy, UndrawablePlacementsAndModesAreRefusedWithoutWriting) {
    const Image source = truecolor(5, 5, [](int x, int y) { return coded(x, y); });
    Image destination = canvas(8, 8);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ScreenRect rect{1, 2, 3, 4};
    for (const Placement& p : {at(0, 0, 0, 1), at(0, 0, 1, 0), at(nan, 0), at(0, inf), at(0, 0, 1e-9, 1),
                               Placement{0, 0, 1, 1, nan, 0}})
        EXPECT_EQ(drawTransformed(destination, source, &rect, p), 0);
    EXPECT_EQ(rect.left, 1);  // a refused draw records nothing
    // A 256-colour level cannot be drawn into a 16-colour picture.
    Image sixteen = indexed(kMode16, 8, 8, [](int, int) { return 3; });
    const Image many = indexed(kMode256, 2, 2, [](int, int) { return 200; });
    EXPECT_EQ(drawTransformed(sixteen, many, nullptr, at(0, 0)), 0);
    Image empty;
    EXPECT_EQ(drawTransformed(empty, source, nullptr, at(0, 0)), 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_TRUE(at(destination, x, y) == kUntouched && at(sixteen, x, y) == 3u) << x << "," << y;
    // Huge but finite values draw whatever falls inside, and never write outside.
    EXPECT_EQ(drawTransformed(destination, source, nullptr, at(1e300, -1e300)), 1);
    EXPECT_EQ(drawTransformed(destination, source, nullptr, at(0, 0, 1e12, 1e12)), 1);
    EXPECT_EQ(at(destination, 7, 7), coded(0, 0));
}
