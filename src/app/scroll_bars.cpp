// Scroll positions are in picture pixels; the move is the negated position.
#include "app/scroll_bars.h"

#include <algorithm>

#include "compose/numeric.h"

namespace vyd {

namespace {

// The window frame: the outer size less these gives the client area without bars.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 46;
constexpr int kBarThickness = 16;

double zoomedWidth(const AppState& app) { return app.levels[0].image.width() * app.view.zoomAllX; }
double zoomedHeight(const AppState& app) { return app.levels[0].image.height() * app.view.zoomAllY; }

}  // namespace

void updateSlack(AppState& app) {
    const Rect client = app.ui().clientRect();
    app.view.slackX = client.width() + 1 - zoomedWidth(app);
    app.view.slackY = client.height() + 1 - zoomedHeight(app);
}

int updateScrollBars(AppState& app) {
    Platform& ui = app.ui();
    const Rect outer = ui.windowRect();
    const double w = zoomedWidth(app), h = zoomedHeight(app);
    int availableWidth = outer.width() - kFrameWidth;
    int availableHeight = outer.height() - kFrameHeight;

    bool horizontal = truncToInt32(w - availableWidth) > 0;
    if (horizontal) availableHeight -= kBarThickness;
    const bool vertical = truncToInt32(h - availableHeight) > 0;
    if (vertical) availableWidth -= kBarThickness;
    ui.showScrollBar(SB_VERT, vertical);
    horizontal = truncToInt32(w - availableWidth) > 0;
    ui.showScrollBar(SB_HORZ, horizontal);
    app.view.horizontalBarShown = horizontal;
    app.view.verticalBarShown = vertical;

    const Rect client = ui.clientRect();
    if (horizontal) ui.setScrollRange(SB_HORZ, 0, truncToInt32(w - client.width()), true);
    if (vertical) ui.setScrollRange(SB_VERT, 0, truncToInt32(h - client.height()), true);
    updateSlack(app);
    return (vertical ? 1 : 0) + 2 * (horizontal ? 1 : 0);
}

void resetScroll(AppState& app) {
    app.view.moveAllX = 0;
    app.view.moveAllY = 0;
    app.ui().setScrollPos(SB_HORZ, 0, false);
    app.ui().setScrollPos(SB_VERT, 0, false);
}

int scrollTo(AppState& app, int bar, int request, int position) {
    Platform& ui = app.ui();
    int minimum = 0, maximum = 0;
    ui.scrollRange(bar, minimum, maximum);
    if (minimum == maximum || !ui.scrollBarShown(bar)) return low16(minimum);

    const Rect client = ui.clientRect();
    const int extent = bar == SB_VERT ? client.height() : client.width();
    int next = low16(ui.scrollPos(bar));
    switch (request) {
        case SB_LINEUP: next -= 16; break;
        case SB_LINEDOWN: next += 16; break;
        case SB_PAGEUP: next = next - extent + 8; break;
        case SB_PAGEDOWN: next = next + extent - 8; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: next = position; break;
        case SB_TOP: next = minimum; break;
        case SB_BOTTOM: next = maximum; break;
        default: break;
    }
    next = std::max(minimum, std::min(next, maximum));
    ui.setScrollPos(bar, next, true);
    return low16(next);
}

LRESULT handleScrollMessage(AppState& app, UINT message, WPARAM wParam) {
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    const int position = scrollTo(app, bar, LOWORD(wParam), HIWORD(wParam));
    if (bar == SB_HORZ) {
        app.view.moveAllX = -position;
    } else {
        app.view.moveAllY = -position;
    }
    app.ui().invalidate();
    app.ui().updateWindow();
    return 0;
}

void handleSizeMessage(AppState& app, WPARAM wParam) {
    resetScroll(app);
    if (wParam != SIZE_MINIMIZED) updateScrollBars(app);
}

}  // namespace vyd
