#include "app/brush_cursor.h"

#include <algorithm>
#include <cmath>

namespace vyd {

namespace {
constexpr size_t kPlaneBytes = kCursorSize * kCursorSize / 8;

// Truncates toward zero into the signed 16-bit range the outline size is kept in.
int16_t truncate16(double v) {
    if (!(v == v)) return 0;
    return static_cast<int16_t>(std::clamp(std::trunc(v), -32768.0, 32767.0));
}
}  // namespace

std::vector<uint8_t> brushOutline(int w, int h) {
    const int size = kCursorSize;
    std::vector<uint8_t> grid(static_cast<size_t>(size * size), 0);
    const int wClip = std::clamp(w, 0, size);
    const int hClip = std::clamp(h, 0, size);
    auto set = [&](int x, int y) { grid[static_cast<size_t>(y * size + x)] = 1; };
    for (int x = 0; x < wClip; ++x) set(x, 0);
    if (h >= 1 && h <= size)
        for (int x = 0; x < wClip; ++x) set(x, h - 1);
    for (int y = 0; y < hClip; ++y) set(0, y);
    if (w >= 1 && w <= size)
        for (int y = 0; y < hClip; ++y) set(w - 1, y);
    std::vector<uint8_t> plane(kPlaneBytes, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (grid[static_cast<size_t>(y * size + x)]) plane[static_cast<size_t>(y * size + x) / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    return plane;
}

void initBrushCursor(AppState& app) {
    app.shell.cursorAndMask.assign(kPlaneBytes, 0xFF);
    app.shell.cursorXorMask.assign(kPlaneBytes, 0xF0);
    app.ui().setBrushCursor(app.shell.cursorAndMask, app.shell.cursorXorMask);
    app.shell.brushCursorShown = true;
    app.shell.brushCursorWidth = app.shell.brushCursorHeight = -1;
    updateBrushCursor(app);
}

void updateBrushCursor(AppState& app) {
    const Level& level = app.currentLevel();
    const int b = level.brushSize;
    const int16_t w = truncate16(level.scaleX * app.view.zoomAllX * b);
    const int16_t h = truncate16(level.scaleY * app.view.zoomAllY * b);
    ShellState& shell = app.shell;
    bool rebuilt = false;
    if (w != shell.brushCursorWidth && h != shell.brushCursorHeight) {
        shell.cursorXorMask = brushOutline(w, h);
        shell.brushCursorWidth = w;
        shell.brushCursorHeight = h;
        rebuilt = true;
    }
    if (w < 3 && h < 3) {
        if (shell.brushCursorShown) app.ui().setArrowCursor();
        shell.brushCursorShown = false;
    } else if (rebuilt || !shell.brushCursorShown) {
        app.ui().setBrushCursor(shell.cursorAndMask, shell.cursorXorMask);
        shell.brushCursorShown = true;
    }
}

}  // namespace vyd
