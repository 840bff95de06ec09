#include "app/commands_derivations.h"

#include <algorithm>
#include <cstdint>

#include "app/channel_question.h"
#include "app/dialogs.h"
#include "app/level_pixel.h"
#include "ops/level15_derivations.h"

namespace vyd {

namespace {

// True when the derivation may not run; a refusal with a text is shown in a box without owner.
bool refused(AppState& app, Derivation kind) {
    const DerivationRefusal refusal = derivationRefusal(app.levels, kind);
    if (const char* text = derivationRefusalText(refusal)) {
        app.ui().messageBox(Owner::None, text, "", MB_OK | MB_ICONEXCLAMATION);
    }
    return refusal != DerivationRefusal::None;
}

Image& level15(AppState& app) { return app.levels[kTopLevel].image; }

}  // namespace

Ending commandRemoveBarrelDistortion(AppState& app, int) {
    if (refused(app, Derivation::Barrel)) return Ending::Update;
    const double distance = askNumber(app, "distance to viewpoint", "1000");
    if (distance <= 1) return Ending::Update;
    const Level& level = app.currentLevel();
    removeBarrelDistortion(level.image, level15(app), level.pivotX, level.pivotY, distance);
    return Ending::Refresh;
}

Ending commandIntoBumpMap(AppState& app, int) {
    if (!refused(app, Derivation::IntoBumpMap)) makeBumpMap(app.currentLevel().image, level15(app));
    return Ending::Update;
}

Ending commandFromBumpMap(AppState& app, int) {
    if (!refused(app, Derivation::FromBumpMap)) rebuildFromBumpMap(app.currentLevel().image, level15(app));
    return Ending::Update;
}

Ending commandCopyOneColor(AppState& app, int) {
    if (refused(app, Derivation::OneChannel)) return Ending::Update;
    const Channel kept = askChannel(app, "which color do you want me to keep?");
    copyOneChannel(app.currentLevel().image, level15(app), kept);
    return Ending::Refresh;
}

Ending commandWriteOverRightColor(AppState& app, int) {
    Level& level = app.currentLevel();
    Image& image = level.image;
    // Columns and rows from the last clicked pixel to the right and bottom edges; the positions the offset
    // puts outside the picture would be skipped, so they are not visited.
    const int64_t u0 = app.shell.lastClickedU, v0 = app.shell.lastClickedV;
    const int64_t width = image.width(), height = image.height();
    const int64_t uFirst = std::max<int64_t>(u0, 0), uEnd = std::min(width, width + u0);
    const int64_t vFirst = std::max<int64_t>(v0, 0), vEnd = std::min(height, height + v0);
    for (int64_t u = uFirst; u < uEnd; ++u) {
        for (int64_t v = vFirst; v < vEnd; ++v) {
            setLevelPixel(app, image, app.shell.penColor, false, false, app.buttons.right, static_cast<int>(u),
                          static_cast<int>(v));
        }
    }
    markAltered(level);
    return Ending::DefaultProcessing;
}

}  // namespace vyd
