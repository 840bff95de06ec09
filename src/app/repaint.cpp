#include "app/repaint.h"

#include <algorithm>
#include <cmath>

#include "app/level_menu_items.h"
#include "app/level_titles.h"
#include "app/scroll_bars.h"
#include "compose/assembly.h"
#include "compose/numeric.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

// Sizes the window to the zoomed background (with room for the frame, the menu and the caption lines),
// keeping it on the screen and at least 375 pixels wide.
void fitWindowToPicture(AppState& app) {
    Platform& ui = app.ui();
    const Image& background = app.levels[0].image;
    const int screenWidth = ui.systemMetric(SM_CXSCREEN), screenHeight = ui.systemMetric(SM_CYSCREEN);
    const Rect placement = ui.normalPlacement();
    int x0 = placement.left, y0 = placement.top;
    int w = truncToInt32(background.width() * app.view.zoomAllX + 20);
    int h = truncToInt32(background.height() * app.view.zoomAllY + 62 + 20.0 * app.view.captionCount);
    // Sums below stay in 64 bits: the zoomed sizes may be as large as 32 bits allow.
    const auto beyond = [](int64_t start, int64_t size, int64_t limit) { return start + size > limit; };
    if (beyond(x0, w, screenWidth)) x0 = static_cast<int>(std::max<int64_t>(0, int64_t{screenWidth} - w));
    if (beyond(y0, h, screenHeight)) y0 = static_cast<int>(std::max<int64_t>(0, int64_t{screenHeight} - h));
    if (beyond(y0, h, screenHeight)) w = static_cast<int>(std::min<int64_t>(int64_t{w} + 16, INT32_MAX));
    if (beyond(x0, w, screenWidth)) {
        h = static_cast<int>(std::min<int64_t>(int64_t{h} + 16, INT32_MAX));
        x0 = static_cast<int>(std::max<int64_t>(0, int64_t{screenWidth} - w));
    }
    if (beyond(y0, h, screenHeight)) y0 = static_cast<int>(std::max<int64_t>(0, int64_t{screenHeight} - h));
    const int width = std::max(375, std::min(w, screenWidth - x0));
    const int height = std::min(h, screenHeight - y0);
    ui.setWindowPos(x0, y0, width, height);
}

// The zoom click asked for the clicked point to be brought into view.
void centreOnRequest(AppState& app) {
    ViewState& view = app.view;
    const Image& background = app.levels[0].image;
    const int hp = scrollTo(app, SB_HORZ, SB_THUMBPOSITION, truncToInt32(app.shell.anchor.x));
    view.moveAllX = -hp * view.zoomAllX;
    const int vp = scrollTo(app, SB_VERT, SB_THUMBPOSITION, truncToInt32(app.shell.anchor.y));
    view.moveAllY = -vp * view.zoomAllY;
    const Rect window = app.ui().windowRect();
    view.slackX = window.right + 1 - background.width() * view.zoomAllX;
    view.slackY = window.bottom + 1 - background.height() * view.zoomAllY;
    view.moveAllX = std::min(0.0, std::max(view.moveAllX, view.slackX));
    view.moveAllY = std::min(0.0, std::max(view.moveAllY, view.slackY));
    view.centreRequest = false;
}

uint8_t clampToByte(double value) {
    if (!(value > 0)) return 0;  // also NaN
    if (value >= 255) return 255;
    return static_cast<uint8_t>(value);
}

// F8: the linear mapping of every channel from (0, 255) to (from0, from255).
void previewLevels(Image& picture, const ModeSettings& modes) {
    const double k = (static_cast<double>(modes.from255) - modes.from0) / 255.0;
    uint8_t table[256];
    for (int b = 0; b < 256; ++b) table[b] = clampToByte(std::trunc(b * k + modes.from0));
    const int rowBytes = 3 * picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t* row = picture.row(y);
        for (int i = 0; i < rowBytes; ++i) row[i] = table[row[i]];
    }
}

// F4: a grey relief lit from the direction of the pointer relative to the client centre.
void previewRelief(AppState& app, Image& picture) {
    const Point anchor = app.shell.anchor;
    app.ui().setTitle(formatText("mouse at %g,%g", anchor.x, anchor.y));
    const Rect client = app.ui().clientRect();
    const int hw = client.width() / 2, hh = client.height() / 2;
    const double ax = anchor.x - hw, ay = anchor.y - hh;
    const double divisor = hw * std::sqrt(2.0);
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t* p = picture.row(y);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            const double relief = 127 + ((p[2] - 127) * ax + (p[1] - 127) * ay) / divisor;
            const uint8_t grey = relief != relief ? 127 : clampToByte(relief);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

// F9: black and white by the bwlimit value.
void previewThreshold(Image& picture, const ModeSettings& modes) {
    const int limit = modes.bwlimit & 0xFF;
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t* p = picture.row(y);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            const uint8_t value = (p[0] + p[1] + p[2]) / 3 >= limit ? 255 : 0;
            p[0] = p[1] = p[2] = value;
        }
    }
}

void applyPreview(AppState& app) {
    Image& picture = app.view.displayImage;
    if (picture.bitCount() != 24 || !picture.hasPixels()) return;
    if (app.view.previewLevels) {
        previewLevels(picture, app.modes);
    } else if (app.view.previewRelief) {
        previewRelief(app, picture);
    } else if (app.view.previewThreshold) {
        previewThreshold(picture, app.modes);
    }
}

}  // namespace

bool currentLevelInverted(const AppState& app) { return app.shell.keyState['P'] != 0; }

void clearWindow(AppState& app) {
    app.ui().deviceContext().fillWhite();
    if (app.view.paintDepth == 0) app.ui().flushDrawing();
}

void drawFrame(DeviceContext& dc, double x, double y, int width, int height) {
    const int left = low16(truncToInt32(x)), top = low16(truncToInt32(y));
    for (int k = 1; k <= 5; ++k) {
        const Color colour = (k % 2 == 1) ? kBlack : kWhite;
        const int x0 = low16(left - k), y0 = low16(top - k);
        const int x1 = low16(int64_t{left} + width + k - 1), y1 = low16(int64_t{top} + height + k - 1);
        dc.line(x0, y0, x0, y1, colour);  // down the left side
        dc.line(x0, y1, x1, y1, colour);  // along the bottom
        dc.line(x1, y1, x1, y0, colour);  // up the right side
        dc.line(x1, y0, x0, y0, colour);  // back along the top
    }
}

void blitImage(DeviceContext& dc, const ViewState& view, const Image& image) {
    if (!image.hasPixels()) return;
    dc.blitImage(image, truncToInt32(view.moveAllX), truncToInt32(view.moveAllY));
}

void paintMainWindow(AppState& app, StatusPagePainter statusPage) {
    Platform& ui = app.ui();
    ViewState& view = app.view;
    view.paintDepth = static_cast<int16_t>(view.paintDepth + 1);

    const Rect client = ui.clientRect();
    if (view.lastInfoScreen != app.shell.infoScreen || !ui.hasUpdateRegion()) ui.invalidate();
    view.updateRect = {0, 0, client.width(), client.height()};
    ui.validate();  // the paint takes the update region
    DeviceContext& dc = ui.deviceContext();

    setWindowTitle(app);
    if (app.slideScreen != 0) {
        if (statusPage) statusPage(app, dc);
    } else {
        if (!app.levels[0].name.empty()) fitWindowToPicture(app);
        if (view.centreRequest) centreOnRequest(app);
        if (view.lastInfoScreen != app.shell.infoScreen) {
            clearWindow(app);
            view.lastInfoScreen = app.shell.infoScreen;
        }
        const Rect area = ui.clientRect();
        const AssemblyRequest request{.wholePicture = false,
                                      .clientWidth = area.width(),
                                      .clientHeight = area.height(),
                                      .currentAlone = view.currentAlone != view.rotationsSuppressed,
                                      .invertCurrent = currentLevelInverted(app)};
        assembleLevels(app.levels, view, request, view.displayImage);
        drawFrame(dc, view.moveAllX, view.moveAllY, view.displayImage.width(), view.displayImage.height());
        applyPreview(app);
        enableLevelItems(app);
        if (view.displayImage.hasPixels()) dc.blitImage(view.displayImage, 0, 0);
        if (!app.levels[0].image.hasPixels()) dc.textOut(0, 0, "(there is no current background image)");
        const FontSpec captionFont{"Arial", -16};
        const int captionTop = app.levels.current().image.height() + 6;
        for (int i = 0; i < std::clamp(view.captionCount, 0, static_cast<int>(view.captionLines.size())); ++i) {
            dc.textOut(0, captionTop + 20 * i, view.captionLines[i], captionFont);
        }
    }

    view.paintDepth = static_cast<int16_t>(view.paintDepth - 1);
    view.updateRect.left = 32767;
}

}  // namespace vyd
