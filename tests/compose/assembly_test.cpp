#include <gtest/gtest.h>
#include <cmath>
#include <cstring>

#include "compose/assembly.h"
#include "support/picture_helpers.h"

using namespace vyd;
using namespace vyd::testing;

namespace {

struct Scene {
    LevelTable levels;
    ViewState view;
    Scene() {
        for (Level& level : levels.levels) clearImage(level.image);
    }
    Image& image(int level) { return levels[level].image; }
    void assemble(Image& picture, bool wholePicture, bool currentAlone = false, bool invertCurrent = false) {
        assembleLevels(levels, view, {wholePicture, 640, 480, currentAlone, invertCurrent}, picture);
    }
};

constexpr Color kGround = 0x204060;

}  // namespace

TEST(Assembly, DepthFollowsTheShownLevelsModesAndSizeTheView) {
    LevelTable levels;
    levels[0].image = indexed(kMode16, 30, 20, [](int, int) { return 1; });
    levels[1].image = indexed(kMode2, 4, 4, [](int, int) { return 15; });
    levels[2].image = indexed(kMode256, 4, 4, [](int, int) { return 200; });
    Image destination;
    for (const uint8_t shown : {0, 1}) {  // a hidden 256-colour level does not count
        levels[2].shown = shown;
        sizeAssembly(levels, ViewState{}, destination, 100, 100, false);
        EXPECT_EQ(destination.bitCount(), shown ? 24 : 8);
    }
    // Without it, the two-colour level is drawn by index into a sixteen-colour picture.
    levels[2].shown = 0;
    ViewState whole;
    assembleLevels(levels, whole, {true, 640, 480, false, false}, destination);
    EXPECT_EQ(destination.mode, kMode16);
    EXPECT_EQ(at(destination, 1, 1), 15u);
    EXPECT_EQ(at(destination, 5, 5), 1u);

    // The client area bounds the zoomed, moved background; the whole picture is the background's size.
    const struct { double moveX; int clientWidth, clientHeight; bool wholePicture; int width, height; } cases[] = {
        {-10.5, 64, 100, false, 64, 50},  // min(64, 30 * 3 - 10.5), min(100, 20 * 2.5)
        {-10.5, 200, 100, false, 79, 50},  // 79.5 truncated
        {-10.5, 5, 5, true, 30, 20},
        {-200000, 200, 100, false, 0, 50},  // a move beyond the picture: empty, never a wrapped-around size
    };
    for (const auto& c : cases) {
        ViewState view;
        view.zoomAllX = 3;
        view.zoomAllY = 2.5;
        view.moveAllX = c.moveX;
        sizeAssembly(levels, view, destination, c.clientWidth, c.clientHeight, c.wholePicture);
        EXPECT_EQ(destination.width(), c.width) << c.clientWidth << " " << c.moveX;
        EXPECT_EQ(destination.height(), c.height) << c.clientWidth << " " << c.moveX;
    }
    EXPECT_FALSE(destination.hasPixels());
}

TEST(Assembly, HigherLevelsLieOnTopAndTransparencyShowsWhatIsBelow) {
    Scene s;
    s.image(0) = truecolor(8, 6, [](int, int) { return kGround; });
    s.image(1) = truecolor(3, 3, [](int, int) { return 0x0000FF; });
    s.levels[1].originX = 1;
    s.image(2) = truecolor(2, 2, [](int x, int) { return x == 0 ? 0xFF0000 : 0x00FF00; });
    s.image(2).leftColor = 0x00FF00;
    s.levels[2].originX = 2;
    s.levels[2].originY = 1;
    Image picture;
    s.assemble(picture, true);
    EXPECT_EQ(s.levels[2].screenRect.left, 2);
    EXPECT_EQ(s.levels[2].screenRect.right, 5);

    // With the current level alone it is drawn opaque and nothing else is drawn.
    s.levels.currentIndex = 2;
    s.assemble(picture, true, true);
    EXPECT_EQ(at(picture, 3, 1), 0x00FF00u);
    EXPECT_EQ(at(picture, 0, 0), 0u);
    EXPECT_EQ(s.image(2).leftColor, 0x00FF00u);  // restored after the draw

    // Holding P inverts the current level's visibility.
    s.assemble(picture, true, false, true);
    EXPECT_EQ(at(picture, 2, 1), 0x0000FFu);
    s.levels[2].shown = 0;
    s.assemble(picture, true, false, true);
    EXPECT_EQ(at(picture, 2, 1), 0xFF0000u);
}

TEST(Assembly, ZoomGridAndUndrawableLevels) {
    Scene s;
    s.image(0) = truecolor(4, 4, [](int x, int y) { return coded(x, y); });
    s.image(1) = truecolor(2, 2, [](int, int) { return 0xFFFFFF; });
    s.levels[1].scaleX = 0;  // left out
    s.image(2) = truecolor(2, 2, [](int, int) { return 0xFFFFFF; });
    s.levels[2].originX = std::nan("");  // left out
    s.view.zoomAllX = s.view.zoomAllY = 4;
    s.view.pixelGrid = true;
    Image picture;
    s.assemble(picture, false);
    ASSERT_EQ(picture.width(), 16);
    ASSERT_EQ(picture.height(), 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            Color expected = coded(x / 4, y / 4);
            if (x % 4 == 0 || y % 4 == 0) expected ^= 0x808080;  // 128 added to each byte
            ASSERT_EQ(at(picture, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(s.view.zoomAllX, 4);  // a view assembly keeps the view as it is

    // The whole picture is assembled at zoom 1 without the grid, and the view is restored afterwards.
    s.view.moveAllX = -3;
    s.assemble(picture, true);
    EXPECT_EQ(picture.width(), 4);
    EXPECT_EQ(at(picture, 0, 0), coded(0, 0));
    EXPECT_EQ(s.view.zoomAllX, 4);
    EXPECT_EQ(s.view.moveAllX, -3);

    // Zooms no window can show are drawn without overflowing anything.
    for (double zoom : {1e300, std::nan(""), -5.0}) {
        s.view.zoomAllX = s.view.zoomAllY = zoom;
        s.assemble(picture, false);
    }
    s.view.zoomAllX = s.view.zoomAllY = 1e300;
    s.view.moveAllX = 0;
    s.assemble(picture, false);
    EXPECT_EQ(at(picture, 0, 0), coded(0, 0) ^ 0x808080);  // the one grid line at column 0
    EXPECT_EQ(at(picture, 5, 5), coded(0, 0));
}

TEST(Assembly, StackedLevelsGiveThePictureOfDrawingEachLevelWhole) {
    // Levels under opaque ones are drawn only where they show: mixed scales, transparency, a rotation, a
    // magnified background and a paletted one copied straight in at zoom 1 must give the same picture.
    for (const auto& [zoom, paletted] : {std::pair{1.0, false}, {1.0, true}, {3.0, false}}) {
        Scene s;
        if (paletted) {
            s.image(0) = indexed(kMode256, 60, 40, [](int x, int y) { return static_cast<uint8_t>(x + 5 * y); });
            for (int i = 0; i < 256; ++i) s.image(0).palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
        } else {
            s.image(0) = truecolor(60, 40, [](int x, int y) { return coded(x, y, 1); });
        }
        for (int i = 1; i <= 9; ++i) {
            Level& level = s.levels[i];
            level.image = truecolor(12 + i, 9 + i, [i](int x, int y) { return (x + y) % 5 == 0 ? 0x00FF00 : coded(x, y, 16 * i); });
            level.originX = (i * 13) % 41 - 4.5;
            level.originY = (i * 7) % 29 - 3.25;
            level.scaleX = 0.6 + 0.25 * (i % 4);
            level.scaleY = 0.5 + 0.3 * (i % 3);
            if (i % 3 == 0) level.image.leftColor = 0x00FF00;
            if (i == 3) level.scaleX = level.scaleY = 1;  // transparent runs copied in pieces
            if (i == 5) {
                level.rotationCos = std::cos(0.5);
                level.rotationSin = std::sin(0.5);
            }
        }
        s.levels[7].shown = 0;
        s.view.zoomAllX = s.view.zoomAllY = zoom;
        Image picture;
        s.assemble(picture, false);

        Image reference;
        createImage(reference, kModeTrue24, 24, picture.width(), picture.height());
        std::memset(reference.pixels.data(), 0, reference.pixelBytes());
        for (int i = 0; i <= 9; ++i) {
            if (s.levels[i].shown) {
                drawTransformed(reference, s.image(i), nullptr, drawingPlacement(s.view, s.levels[i]));
            }
        }
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                ASSERT_EQ(at(picture, x, y), at(reference, x, y)) << zoom << " " << paletted << " at " << x << "," << y;
            }
        }
    }
}
