// The main window's scroll bars: when they show, their ranges, and the scrolling that moves the view.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Shows or hides the scroll bars as the zoomed background needs them and sets their ranges; returns
// vertical + 2 * horizontal (1: vertical bar shown, 2: horizontal bar shown).
int updateScrollBars(AppState& app);
// slackX, slackY from the client size: the most negative move that keeps the picture's far edge in view.
void updateSlack(AppState& app);
// Move 0 and both scroll positions 0 (the bars are not redrawn).
void resetScroll(AppState& app);
// Applies a scroll request (SB_LINEUP ... SB_BOTTOM) to a bar (SB_HORZ or SB_VERT) and returns the new
// position, clamped to the bar's range.
int scrollTo(AppState& app, int bar, int request, int position);
// WM_HSCROLL and WM_VSCROLL: scrolls, sets the move and repaints.
LRESULT handleScrollMessage(AppState& app, UINT message, WPARAM wParam);
// WM_SIZE: back to the picture's top-left corner; new ranges unless minimised.
void handleSizeMessage(AppState& app, WPARAM wParam);

}  // namespace vyd
