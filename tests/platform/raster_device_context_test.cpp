#include "platform/raster_device_context.h"

#include <gtest/gtest.h>

#include <cstring>

#include "image/image.h"

namespace vyd {
namespace {

// Every pixel of the raster is white.
::testing::AssertionResult allWhite(const RasterDeviceContext& dc) {
    for (int y = 0; y < dc.height(); ++y) {
        for (int x = 0; x < dc.width(); ++x) {
            if (dc.getPixel(x, y) != 0xFFFFFFu) {
                return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is " << std::hex << dc.getPixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(RasterDeviceContext, StartsWhiteAndFillWhiteClearsEveryKindOfDrawing) {
    RasterDeviceContext dc;
    dc.resize(40, 30);
    EXPECT_TRUE(allWhite(dc));

    Image picture;
    initImage(picture);
    ASSERT_NE(createImage(picture, 24, 24, 2, 2), nullptr);
    std::memset(picture.pixels.data(), 0, picture.pixelBytes());
    picture.row(1)[3] = 0x10;  // pixel (1, 1): blue 0x10, green and red 0
    // Drawings far apart (first and last rows, a blit in the middle) and one clipped at the corner.
    dc.setPixel(0, 0, 0x123456);
    dc.fillRect(35, 25, 10, 10, 0x000000);
    dc.blitImage(picture, 20, 14);
    dc.line(0, 29, 5, 29, 0xFF0000);
    EXPECT_EQ(dc.getPixel(0, 0), 0x123456u);
    EXPECT_EQ(dc.getPixel(39, 29), 0x000000u);
    EXPECT_EQ(dc.getPixel(21, 15), 0x000010u);
    EXPECT_EQ(dc.getPixel(4, 29), 0xFF0000u);
    EXPECT_EQ(dc.getPixel(5, 29), 0xFFFFFFu);  // the line's last point is not drawn
    EXPECT_EQ(dc.getPixel(40, 0), kNoColor);

    dc.fillWhite();
    EXPECT_TRUE(allWhite(dc));
    dc.setPixel(3, 3, 0);  // a second round clears too
    dc.fillWhite();
    EXPECT_TRUE(allWhite(dc));

    dc.fillRect(0, 0, 40, 30, 0x777777);
    dc.resize(50, 20);  // a new size starts white again
    EXPECT_TRUE(allWhite(dc));
}

}  // namespace
}  // namespace vyd
