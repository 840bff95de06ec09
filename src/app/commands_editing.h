// The "&Editing" commands that change the current level's image in place: colour edits, flips, the
// quarter turn, halving, trimming, line drawing and thinning.
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending commandMakeNonBackground(AppState& app, int id);  // 1316 "make all &non-background black or white"
Ending commandTrimEdges(AppState& app, int id);          // 1288 "tri&m off edges which are all transparent"
Ending commandWhitenAboveLimit(AppState& app, int id);   // 1347 "make white all pixels brighter than ..."
Ending commandShrinkBackground(AppState& app, int id);   // 1352 "shrin&k background 1 pixel at its edges"
Ending commandMultiplyByLeftColor(AppState& app, int id);  // 1353 "multiply screen colors by ..."
Ending commandInvertColor(AppState& app, int id);        // 1354 "invert a color"
Ending commandBrightestChannel(AppState& app, int id);   // 1361 "set all colors to brightest color ..."
Ending commandDarkestChannel(AppState& app, int id);     // 1362 "set all colors to darkest color ..."
Ending commandFlipTopBottom(AppState& app, int id);      // 1285 "flip t&op/bottom"
Ending commandFlipLeftRight(AppState& app, int id);      // 1286 "fl&ip left/right"
Ending commandRotateRight(AppState& app, int id);        // 1287 "rotate &90deg to right"
Ending commandReverseColors(AppState& app, int id);      // 1620 "re&verse colors"
Ending commandLineDrawing(AppState& app, int id);        // 1621 "make &line drawing"
Ending commandHalveSize(AppState& app, int id);          // 1622 "&halve size (black wins)"
Ending commandThinLines(AppState& app, int id);          // 1623 "make lines 1 pi&xel wide"

}  // namespace vyd
