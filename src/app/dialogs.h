// The modal dialogs: the one-line question box, the level details box, the size box (for a new image and
// for resizing by tiling) and the colour wash box; and the clamping of a level after a details or size box.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "platform_api/dialog.h"

namespace vyd {

// The four dialog templates, by name: "ASKDB", "VYDLEVEL", "VYDNEWIMAGE", "VYDCOLORWASH".
const DialogTemplate& askTemplate();
const DialogTemplate& levelDetailsTemplate();
const DialogTemplate& newImageTemplate();
const DialogTemplate& colorWashTemplate();

// The question box: shows `prompt` with `defaultText` in the edit field and returns the answer. A cancelled
// box returns the default text.
std::string askText(AppState& app, const std::string& prompt, const std::string& defaultText);
// Asks until the answer starts with a number (leading blanks allowed, trailing text ignored) and returns it.
// Cancel returns the default text's number (0 when the default holds none). Never NaN; a number beyond the
// range of a double is infinite.
double askNumber(AppState& app, const std::string& prompt, const std::string& defaultText);

// The clamping after every details or size box: level 0 keeps the identity placement and priority 0;
// zooms and the level's scales are at least 0.01; the move is at most the slack and never negative.
void sanitizeLevel(AppState& app, int level);

// "VYDLEVEL" for the current level; returns when the box ends ("continue" stores the fields).
void runLevelDetailsBox(AppState& app);
// "VYDNEWIMAGE" for "&new": on "accept" the current level gets a blank 16-color image of the size entered.
void runNewImageBox(AppState& app);
// "VYDNEWIMAGE" for "resize with &tiling": on "accept" the current image is tiled to the size entered.
void runTilingBox(AppState& app);
// "VYDCOLORWASH": shows and, on "accept", stores the two wash settings. Returns true when accepted.
bool runColorWashBox(AppState& app, uint8_t& washOrder, uint8_t& washMaxNoise);

}  // namespace vyd
