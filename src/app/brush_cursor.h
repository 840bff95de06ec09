// The mouse cursor that outlines the brush: rebuilt from two bit planes whenever its size changes.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Builds the first cursor planes (AND all ones, XOR 0xF0) at window creation.
void initBrushCursor(AppState& app);
void updateBrushCursor(AppState& app);
// Draws the outline of a w x h brush into a kCursorSize x kCursorSize plane, leftmost pixel in the top bit.
std::vector<uint8_t> brushOutline(int w, int h);

}  // namespace vyd
