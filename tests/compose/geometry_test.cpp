#include <gtest/gtest.h>

#include <cmath>

#include "compose/geometry.h"

using namespace vyd;

namespace {

Level placedLevel(int width, int height) {
    Level level;
    createImage(level.image, -1, 24, width, height);
    return level;
}

}  // namespace

TEST(LevelGeometry, PixelToPictureAndBackUnderZoomMoveScaleAndRotation) {
    ViewState view;
    view.zoomAllX = 2, view.zoomAllY = 3, view.moveAllX = -10, view.moveAllY = 4;
    Level level = placedLevel(50, 40);
    level.originX = 7, level.originY = 5, level.scaleX = 1.5, level.scaleY = 0.5;
    level.rotationCos = 0, level.rotationSin = 1;  // turned by 90 degrees

    // Worked by hand for (u, v) = (4, 6): x = 2 (7 + 0.5 * 6) - 10, y = 3 (5 - 1.5 * 4) + 4.
    const Point p = levelPixelToPicture(view, level, 4, 6);
    EXPECT_TRUE(p.x == 10 && p.y == 1) << p.x << "," << p.y;

    // At any angle, every pixel's mapped corner, nudged inside the pixel, maps back to that pixel.
    level.rotationCos = std::cos(0.3), level.rotationSin = std::sin(0.3);
    for (int u : {0, 1, 17, 49})
        for (int v : {0, 2, 39}) {
            const Point centre = levelPixelToPicture(view, level, u, v);
            const Point across = levelPixelToPicture(view, level, u + 1, v + 1);
            const double x = centre.x + 0.5 * (across.x - centre.x), y = centre.y + 0.5 * (across.y - centre.y);
            EXPECT_EQ(pictureToLevelPixel(view, level, x, y, false), (LevelPixel{u, v})) << u << "," << v;
        }
}

TEST(LevelGeometry, PointsOffTheLevelAndJustLeftOfColumnZero) {
    ViewState view;
    Level level = placedLevel(10, 8);
    level.originX = 20, level.originY = 30;
    // Just left of the first column truncates toward zero: column 0, still on the level.
    EXPECT_EQ(pictureToLevelPixel(view, level, 19.5, 30.2, false), (LevelPixel{0, 0}));
    EXPECT_EQ(pictureToLevelPixel(view, level, 18.9, 30.2, false), kNotOnLevel);
    EXPECT_EQ(pictureToLevelPixel(view, level, 30.0, 31, false), kNotOnLevel);  // u = 10 = width
    EXPECT_EQ(pictureToLevelPixel(view, level, 29.9, 37.9, false), (LevelPixel{9, 7}));
    // Unbounded, the same points give their (possibly negative) pixel.
    EXPECT_EQ(pictureToLevelPixel(view, level, 15.0, 25.0, true), (LevelPixel{-5, -5}));
    // Not a number, or infinitely far, is never on the level and never overflows.
    level.scaleX = std::nan("");
    EXPECT_EQ(pictureToLevelPixel(view, level, 21, 31, false), kNotOnLevel);
    level.scaleX = 1;
    EXPECT_EQ(pictureToLevelPixel(view, level, 1e300, -1e300, true), (LevelPixel{INT32_MAX, INT32_MIN}));
}

TEST(LevelGeometry, RotationAndScalingKeepThePivotInPlace) {
    ViewState view;
    Level level = placedLevel(100, 80);
    level.originX = 40, level.originY = 25, level.scaleX = 2, level.scaleY = 1.5, level.pivotX = 30, level.pivotY = 20;
    const Point before = levelPixelToPicture(view, level, 30, 20);

    // Anchor straight right of the pivot, current straight below it: a turn by -90 degrees in level
    // coordinates, and twice the distance.
    transformAboutPivot(level, Complex{10, 0}, Complex{0, 20}, true, true);
    const Point after = levelPixelToPicture(view, level, 30, 20);
    EXPECT_NEAR(std::hypot(after.x - before.x, after.y - before.y), 0, 1e-9);
    EXPECT_NEAR(level.rotationCos, 0, 1e-12);
    EXPECT_NEAR(level.rotationSin, -1, 1e-12);
    EXPECT_NEAR(level.scaleX, 4, 1e-12);
    EXPECT_NEAR(level.scaleY, 3, 1e-12);
    EXPECT_NEAR(rotationDegrees(level), -90, 1e-12);

    // A zero vector leaves the scale alone and the angle too (unit vector (1, 0)).
    const double scale = level.scaleX, sine = level.rotationSin, originX = level.originX;
    transformAboutPivot(level, Complex{0, 0}, Complex{5, 5}, true, true);
    EXPECT_EQ(level.scaleX, scale);
    EXPECT_NEAR(level.rotationSin, sine, 1e-12);
    EXPECT_NEAR(level.originX, originX, 1e-9);
    level.rotationCos = level.rotationSin = 0;
    EXPECT_EQ(rotationDegrees(level), 0);
}
