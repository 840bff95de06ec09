#include "app/commands_modes.h"

#include "modes/imageconv.h"
#include "modes/palette_repair.h"
#include "modes/truecolor_adjust.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr int kCommandGreyshades = 1545;

// The repairs work on 2-color and 16-color pictures only; anything else is refused with a box that names
// the background's file.
bool refuseUnlessRepairable(AppState& app) {
    if (acceptsPaletteRepair(app.currentLevel().image)) return false;
    app.ui().messageBox(Owner::Main, "this image is not 2-color or 16-color", app.levels[0].name,
                        MB_OK | MB_ICONEXCLAMATION);
    return true;
}

}  // namespace

Ending commandConvertMode(AppState& app, int id) {
    Level& level = app.currentLevel();
    const int code = id == kCommandGreyshades ? kCodeGreys : id;
    markAltered(level);
    Image converted;
    ConversionMessage bug;
    if (imageconv(level.image, converted, code, app.modes, &bug)) {
        adoptImage(level.image, converted);
    } else {
        if (!bug.text.empty()) app.ui().messageBox(Owner::None, bug.text, bug.caption, MB_OK | MB_ICONEXCLAMATION);
        app.ui().messageBox(Owner::Main, formatText("out of memory in case 0x%x, or no image", code), "",
                            MB_OK | MB_ICONEXCLAMATION);
    }
    markAltered(level);
    return Ending::Refresh;
}

Ending commandThresholdByBwlimit(AppState& app, int) {
    thresholdTruecolor(app.currentLevel().image, app.modes.bwlimit);
    return Ending::Refresh;
}

Ending commandMapFrom0From255(AppState& app, int) {
    mapTruecolorLinear(app.currentLevel().image, app.modes.from0, app.modes.from255);
    return Ending::Refresh;
}

Ending commandToggleTruecolorMark(AppState& app, int) {
    toggleTruecolorMark(app.currentLevel().image);
    return Ending::Refresh;
}

Ending commandSwopGreys(AppState& app, int) {
    if (refuseUnlessRepairable(app)) return Ending::Update;
    swopPixelIndices(app.currentLevel().image, kGreySwopTable);
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandSwopRedBlue(AppState& app, int) {
    if (refuseUnlessRepairable(app)) return Ending::Update;
    swopPixelIndices(app.currentLevel().image, kRedBlueSwopTable);
    markAltered(app.currentLevel());
    return Ending::Refresh;
}

Ending commandStandardizePalette(AppState& app, int) {
    if (refuseUnlessRepairable(app)) return Ending::Update;
    standardizePalette(app.currentLevel().image);
    return Ending::Refresh;
}

}  // namespace vyd
