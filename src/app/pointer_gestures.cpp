#include "app/pointer_gestures.h"

#include <algorithm>
#include <cmath>

#include "app/dialogs.h"
#include "app/endings.h"
#include "app/key_state.h"
#include "app/level_menu_items.h"
#include "app/level_pixel.h"
#include "app/scroll_bars.h"
#include "app/title_status.h"
#include "compose/geometry.h"
#include "compose/numeric.h"

namespace vyd {

namespace {

bool isColour(Color c) { return (c >> 24) == 0; }

int channel(Color c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

Color fromChannels(int blue, int green, int red) {
    return makeColor(static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue));
}

int squaredDistance(Color a, Color b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        const int d = channel(a, shift) - channel(b, shift);
        sum += d * d;
    }
    return sum;
}

bool truecolorCurrent(const AppState& app) {
    const Image& image = app.levels.current().image;
    return image.hasPixels() && image.bitCount() == 24;
}

void writeWithFeedback(AppState& app, Color colour, int u, int v) {
    setLevelPixel(app, app.currentLevel().image, colour, false, false, kNoColor, u, v);
}

}  // namespace

Color pictureColourAt(const AppState& app, Point at) {
    const double x = std::floor(at.x), y = std::floor(at.y);
    const Image& picture = app.view.displayImage;
    if (!(x >= 0 && y >= 0 && x < picture.width() && y < picture.height())) return kNoColor;
    return pixelColor(picture, static_cast<int>(x), static_cast<int>(y), true);
}

LevelPixel pointerLevelPixel(const AppState& app) {
    return pictureToLevelPixel(app.view, app.levels.current(), app.shell.pointer.x, app.shell.pointer.y, false);
}

Color& buttonColour(AppState& app, Button button) {
    switch (button) {
        case Button::Left: return app.buttons.left;
        case Button::Middle: return app.buttons.middle;
        case Button::Right: break;
    }
    return app.buttons.right;
}

void chooseButtonColour(AppState& app, Button button, bool fromScreen) {
    static const char* const kNames[] = {"left button", "middle button", "right button"};
    {
        TitleStatus status(app.ui(), kNames[static_cast<int>(button)]);
        Color& colour = buttonColour(app, button);
        if (fromScreen) colour = pictureColourAt(app, app.shell.pointer);
        const std::optional<Color> chosen = app.ui().chooseColor(colour, app.shell.customColors);
        colour = (chosen ? *chosen : colour) & 0xFFFFFF;
    }
    releaseKey(app, 'E');
    releaseKey(app, VK_F(3));
}

void zoomByDigit(AppState& app, int digit) {
    const int k = digit == 0 ? 10 : digit;
    ViewState& view = app.view;
    const LevelPixel b =
        pictureToLevelPixel(view, app.levels[0], app.shell.pointer.x, app.shell.pointer.y, false);
    const double zoom = keyHeld(app, VK_CONTROL) ? 1.0 / k : static_cast<double>(k);
    view.zoomAllX = view.zoomAllY = zoom;
    view.moveAllX = view.moveAllY = 0;
    updateScrollBars(app);
    updateSlack(app);
    sanitizeLevel(app, 0);
    // The move keeps the clicked background pixel at the window's left and top edges as far as the
    // slack allows; the window centres on it at the next repaint. The sums are 16-bit, as the scroll
    // positions are.
    const int16_t moveX = std::min<int16_t>(0, std::max(low16(truncClamped(view.slackX, INT16_MIN, INT16_MAX)),
                                                        low16(int64_t{-b.u} * k)));
    const int16_t moveY = std::min<int16_t>(0, std::max(low16(truncClamped(view.slackY, INT16_MIN, INT16_MAX)),
                                                        low16(int64_t{-b.v} * k)));
    view.moveAllX = moveX;
    view.moveAllY = moveY;
    app.ui().setScrollPos(SB_HORZ, -moveX, true);
    app.ui().setScrollPos(SB_VERT, -moveY, true);
    view.centreRequest = true;
    redrawNow(app);
}

void colourRun(AppState& app, RampKind kind, bool horizontal) {
    if (!truecolorCurrent(app)) return;
    const Image& image = app.currentLevel().image;
    const LevelPixel at = pointerLevelPixel(app);
    const int n = app.currentLevel().brushSize - 1;
    const int du = horizontal ? 1 : 0, dv = horizontal ? 0 : 1;
    const Color a = pixelColor(image, at.u, at.v, true);
    const Color b = pixelColor(image, at.u + n * du, at.v + n * dv, true);
    for (int i = 1; i < n; ++i) {
        const int u = at.u + i * du, v = at.v + i * dv;
        Color written;
        if (kind == RampKind::Ramp) {
            int c[3];
            for (int k = 0; k < 3; ++k) c[k] = (channel(a, 8 * k) * (n - i) + channel(b, 8 * k) * i) / n;
            written = fromChannels(c[0], c[1], c[2]);
        } else {
            const Color present = pixelColor(image, u, v, true);
            written = squaredDistance(a, present) < squaredDistance(b, present) ? a : b;
        }
        writeWithFeedback(app, written, u, v);
    }
    markAltered(app.currentLevel());
}

void averageNeighbours(AppState& app, bool withRight, bool withBelow) {
    if (!truecolorCurrent(app)) return;
    const LevelPixel at = pointerLevelPixel(app);
    if (at == kNotOnLevel) return;
    Image& image = app.currentLevel().image;
    DeviceContext& dc = app.ui().deviceContext();
    auto average = [&](int u2, int v2) {
        uint8_t* p = image.row(at.v) + 3 * at.u;
        uint8_t* q = image.row(v2) + 3 * u2;
        for (int k = 0; k < 3; ++k) p[k] = q[k] = static_cast<uint8_t>((p[k] + q[k]) / 2);
        const Color mean = pixelColor(image, at.u, at.v, true);
        showLevelPixel(app, dc, mean, at.u, at.v);
        showLevelPixel(app, dc, mean, u2, v2);
        app.ui().flushDrawing();
    };
    if (withRight && at.u < image.width() - 1) average(at.u + 1, at.v);
    if (withBelow && at.v < image.height() - 1) average(at.u, at.v + 1);
    markAltered(app.currentLevel());
}

void paintWithBrush(AppState& app, bool onlyOverRight) {
    const LevelPixel at = pointerLevelPixel(app);
    // Ctrl+click while rotations are suppressed picks the pixel for the colour-value keys without painting.
    const bool paints = onlyOverRight || !keyHeld(app, VK_CONTROL);
    if (paints && at != kNotOnLevel) {
        const int s = app.currentLevel().brushSize;
        const Color condition = onlyOverRight ? app.buttons.right : kNoColor;
        Image& image = app.currentLevel().image;
        for (int i = 0; i < s; ++i) {
            for (int j = 0; j < s; ++j) {
                setLevelPixel(app, image, app.shell.penColor, false, false, condition, at.u + i, at.v + j);
            }
        }
    }
    app.shell.lastClickedU = at.u;
    app.shell.lastClickedV = at.v;
    markAltered(app.currentLevel());
}

void rotateOrScaleAboutPivot(AppState& app, bool rotate, bool scale) {
    Level& level = app.currentLevel();
    if (rotate && app.view.rotationsSuppressed) rotate = false;
    if (app.levels.currentIndex != 0 && (rotate || scale)) {
        const LevelPixel a = pictureToLevelPixel(app.view, level, app.shell.anchor.x, app.shell.anchor.y, true);
        const LevelPixel b = pictureToLevelPixel(app.view, level, app.shell.pointer.x, app.shell.pointer.y, true);
        const Complex from{a.u - level.pivotX, a.v - level.pivotY};
        const Complex to{b.u - level.pivotX, b.v - level.pivotY};
        transformAboutPivot(level, from, to, rotate, scale);
    }
    app.shell.anchor = app.shell.pointer;
    redrawNow(app);
}

void moveLevelWithPointer(AppState& app) {
    if (app.levels.currentIndex == 0) return;
    Level& level = app.currentLevel();
    const ViewState& view = app.view;
    double dx = app.shell.pointer.x - app.shell.anchor.x, dy = app.shell.pointer.y - app.shell.anchor.y;
    if (view.zoomAllX * view.zoomAllY != 0) {
        dx /= view.zoomAllX;
        dy /= view.zoomAllY;
    }
    level.originX += dx;
    level.originY += dy;
    app.shell.anchor = app.shell.pointer;
    redrawNow(app);
}

void selectLevelUnderPointer(AppState& app) {
    int chosen = 0;
    for (int i = kLevelCount - 1; i >= 1; --i) {
        const Level& level = app.levels[i];
        if (!level.shown) continue;
        const LevelPixel at = pictureToLevelPixel(app.view, level, app.shell.pointer.x, app.shell.pointer.y, false);
        const Color c = pixelColor(level.image, at.u, at.v, true);
        if (isColour(c) && c != level.image.leftColor) {
            chosen = i;
            break;
        }
    }
    app.levels.currentIndex = chosen;
    checkCurrentLevelItem(app);
    redrawNow(app);
}

}  // namespace vyd
