#include <gtest/gtest.h>

#include "app/level_pixel.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "platform/headless_platform.h"
#include "support/picture_helpers.h"

using namespace vyd;
using namespace vyd::testing;

namespace {

// The headless window's frame: outer size = client + (8, 46), bars 16 thick.
struct Window {
    HeadlessPlatform ui;
    AppState app;
    explicit Window(int clientWidth = 400, int clientHeight = 300) {
        app.platform = &ui;
        ui.setClientSize(clientWidth, clientHeight);
    }
    void background(int width, int height) {
        app.levels[0].image = truecolor(width, height, [](int x, int y) { return coded(x, y); });
    }
};

}  // namespace

TEST(ScrollBars, EachBarShowsWhenTheZoomedPictureNeedsItWithTheOtherBarsRoomTaken) {
    // The client is 400 x 300; updateScrollBars gives vertical + 2 * horizontal.
    const struct { int width, height; double zoomX; int bars; } cases[] = {
        {300, 200, 1, 0},
        {390, 250, 1, 0},  // 10 pixels narrower than the client and not taller: no bar at all
        {390, 500, 1, 3},  // the vertical bar takes 16 pixels, so the horizontal one is needed as well
        {210, 100, 2, 2},  // zoom enters the picture size
    };
    for (const auto& c : cases) {
        Window w;
        w.background(c.width, c.height);
        w.app.view.zoomAllX = c.zoomX;
        EXPECT_EQ(updateScrollBars(w.app), c.bars) << c.width << "x" << c.height;
        EXPECT_EQ(w.ui.scrollBarShown(SB_VERT), (c.bars & 1) != 0);
        EXPECT_EQ(w.ui.scrollBarShown(SB_HORZ), (c.bars & 2) != 0);
        // Ranges are picture minus client, and not set for a bar that is not shown.
        const Rect client = w.ui.clientRect();
        int lo = 0, hi = -1;
        w.ui.scrollRange(SB_VERT, lo, hi);
        EXPECT_EQ(hi, c.bars & 1 ? c.height - client.height() : 0);
        w.ui.scrollRange(SB_HORZ, lo, hi);
        EXPECT_EQ(hi, c.bars & 2 ? static_cast<int>(c.width * c.zoomX) - client.width() : 0);
        EXPECT_EQ(w.app.view.slackX, client.width() + 1 - c.width * c.zoomX);
    }
}

TEST(ScrollBars, LinePageEndAndThumbRequests) {
    Window w;
    w.background(1000, 900);
    ASSERT_EQ(updateScrollBars(w.app), 3);
    const int clientHeight = w.ui.clientRect().height();
    int lo = 0, hi = 0;
    w.ui.scrollRange(SB_VERT, lo, hi);
    // Line and page down, the end and the top are the scroll keys' (the gesture cases).
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_BOTTOM, 0), hi);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_LINEDOWN, 0), hi);  // clamped at the maximum
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_PAGEUP, 0), hi - clientHeight + 8);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_LINEUP, 0), hi - clientHeight - 8);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_THUMBTRACK, 123), 123);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_ENDSCROLL, 7), 123);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_TOP, 0), 0);
    EXPECT_EQ(scrollTo(w.app, SB_VERT, SB_LINEUP, 0), 0);  // clamped at the minimum

    // The scroll message sets the move to the negated position.
    handleScrollMessage(w.app, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 77));
    EXPECT_EQ(w.app.view.moveAllX, -77);
    handleSizeMessage(w.app, SIZE_RESTORED);
    EXPECT_EQ(w.app.view.moveAllX, 0);
    EXPECT_EQ(w.ui.scrollPos(SB_HORZ), 0);

    // Without a bar, or with an empty range, the minimum comes back.
    Window small;
    small.background(10, 10);
    updateScrollBars(small.app);
    EXPECT_EQ(scrollTo(small.app, SB_HORZ, SB_LINEDOWN, 0), 0);
}

TEST(WindowDisplay, FrameIsFiveAlternatingRectanglesAroundThePicture) {
    Window w(60, 50);
    w.ui.deviceContext().fillRect(0, 0, 60, 50, 0x777777);
    drawFrame(w.ui.deviceContext(), 10.7, 12, 20, 15);
    DeviceContext& dc = w.ui.deviceContext();
    for (int k = 1; k <= 5; ++k) {
        const Color colour = k % 2 ? 0x000000 : 0xFFFFFF;
        // corners and mid-sides of the rectangle (10 - k, 12 - k) .. (10 + 20 + k - 1, 12 + 15 + k - 1)
        for (auto [x, y] : {std::pair{10 - k, 12 - k}, {29 + k, 26 + k}, {20, 12 - k}, {10 - k, 20}, {29 + k, 20}, {20, 26 + k}})
            EXPECT_EQ(dc.getPixel(x, y), colour) << k << " at " << x << "," << y;
    }
    EXPECT_EQ(dc.getPixel(10, 12), 0x777777u);  // the picture's own area is not drawn on
    EXPECT_EQ(dc.getPixel(29, 26), 0x777777u);
}

TEST(WindowDisplay, RepaintBlitsTheAssemblyAndFitsTheWindowToANamedPicture) {
    Window w(400, 300);
    w.background(100, 80);
    paintMainWindow(w.app);
    const DeviceContext& dc = w.ui.deviceContext();
    EXPECT_EQ(dc.getPixel(5, 7), 0x050740u);  // coded(5, 7) as 0x00RRGGBB
    EXPECT_EQ(dc.getPixel(100, 5), 0x000000u);  // the frame's first rectangle
    EXPECT_EQ(w.app.view.updateRect.left, 32767);
    EXPECT_EQ(w.app.view.paintDepth, 0);

    // A named background sizes the window to the picture; a window at the screen's right edge moves left.
    w.app.levels[0].name = "picture.bmp";
    w.ui.setWindowPos(1100, 0, 300, 200);
    w.background(500, 300);
    paintMainWindow(w.app);
    Rect outer = w.ui.windowRect();
    EXPECT_EQ(outer.left, 1280 - 520);
    EXPECT_EQ(outer.width(), 520);
    EXPECT_EQ(outer.height(), 362);
}

TEST(WindowDisplay, ThresholdPreviewIsPureBlackAndWhiteAndReliefTitlesThePointer) {
    Window w(64, 64);
    w.app.levels[0].image = truecolor(16, 1, [](int x, int) { return makeColor(x * 16, x * 16, x * 16 + 2); });
    w.app.view.previewThreshold = true;
    paintMainWindow(w.app);
    // Grey values (3 * 16x + 2) / 3 = 16x: at least 128 from x = 8 on.
    for (int x = 0; x < 16; ++x) EXPECT_EQ(w.ui.deviceContext().getPixel(x, 0), x >= 8 ? 0xFFFFFFu : 0u) << x;
    w.app.view.previewThreshold = false;
    paintMainWindow(w.app);
    EXPECT_EQ(w.ui.deviceContext().getPixel(3, 0), 0x303032u);

    // While F4 is held the title follows the pointer; the next repaint after it restores the level title.
    const std::string levelTitle = w.ui.title();
    w.app.view.previewRelief = true;
    w.app.shell.anchor = {10.5, 3};
    paintMainWindow(w.app);
    EXPECT_EQ(w.ui.title(), "mouse at 10.5,3");
    w.app.view.previewRelief = false;
    paintMainWindow(w.app);
    EXPECT_EQ(w.ui.title(), levelTitle);
}

TEST(PixelFeedback, WritesTheLevelAndPaintsItsScreenBlock) {
    Window w(100, 100);
    w.background(10, 10);
    w.app.view.zoomAllX = w.app.view.zoomAllY = 2;
    w.app.view.moveAllX = 3;
    Image& image = w.app.levels[0].image;
    EXPECT_EQ(setLevelPixel(w.app, image, 0xABCDEF, false, false, kNoColor, 10, 0), 0);
    EXPECT_EQ(setLevelPixel(w.app, image, 0xABCDEF, false, false, kNoColor, -1, 0), 0);
    ASSERT_EQ(setLevelPixel(w.app, image, 0xABCDEF, false, false, kNoColor, 4, 5), 1);
    EXPECT_EQ(at(image, 4, 5), 0xABCDEFu);
    const DeviceContext& dc = w.ui.deviceContext();
    for (int x = 10; x <= 12; ++x) {
        for (int y = 9; y <= 12; ++y) {
            const bool inBlock = x >= 11 && x < 13 && y >= 10 && y < 12;  // 2 * (4, 5) + (3, 0), two pixels wide
            EXPECT_EQ(dc.getPixel(x, y) == 0xABCDEFu, inBlock) << x << "," << y;
        }
    }
    // A 16-colour picture stores the colour's class, only where the pixel holds the condition colour's class
    // (in truecolor, the condition colour: the gesture cases).
    Image sixteen = indexed(kMode16, 4, 4, [](int, int) { return 0; });
    setLevelPixel(w.app, sixteen, 0xFF0000, false, true, kNoColor, 1, 1);
    EXPECT_EQ(at(sixteen, 1, 1), 12u);
    setLevelPixel(w.app, sixteen, 0x00FF00, false, true, 0x0000FF, 1, 1);  // pure blue is class 9, the pixel 12
    EXPECT_EQ(at(sixteen, 1, 1), 12u);
}
