// "set &JPG quality" (Modes menu): asks for the quality the JPEG writer uses.
#pragma once

#include "app/app_state.h"

namespace vyd {

inline constexpr int kCommandSetJpegQuality = 1357;

// Asks "quality for writing .jpg (from 0 to 100)?" with the current quality as the default; the answer's
// whole part, clamped to 1..100, becomes the quality (cancelling keeps it).
Ending commandSetJpegQuality(AppState& app, int id);

}  // namespace vyd
