// Blurring the current truecolor image, and marking in level 15 the edges where an object meets a level of
// its own colour.
#pragma once

#include "app/app_state.h"

namespace vyd {

// "blurring": asks the range and averages each pixel's square of that range, titling the rows still to go.
Ending commandBlur(AppState& app, int id);
// "mark &edges where same overlaps same": the 16-colour overlay of marks in level 15.
Ending commandMarkEdges(AppState& app, int id);

}  // namespace vyd
