#include "app/open_file.h"

#include <cctype>
#include <cstring>

#include "app/composition_commands.h"
#include "app/image_files.h"
#include "app/level_titles.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "app/slide_show.h"
#include "modes/palette_diagnosis.h"

namespace vyd {

bool hasExtension(const std::string& name, const char* extension) {
    size_t n = std::strlen(extension);
    if (name.size() <= n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char a = static_cast<unsigned char>(name[name.size() - n + i]);
        unsigned char b = static_cast<unsigned char>(extension[i]);
        if (std::toupper(a) != std::toupper(b)) return false;
    }
    return true;
}

Ending openNamedFile(AppState& app) {
    app.view.captionCount = 0;
    Level& level = app.currentLevel();
    if (level.name.empty()) return Ending::Redraw;
    if (hasExtension(level.name, ".SLI")) return readSlideList(app);
    app.slideScreen = 0;
    resetLevel(level, app.buttons);
    if (app.levels.currentIndex == 0) clearWindow(app);
    if (hasExtension(level.name, ".VYD")) {
        const std::string name = level.name;
        return readComposition(app, &name);
    }
    return readLevelImage(app);
}

Ending readLevelImage(AppState& app, const char* cantOpenText) {
    Level& level = app.currentLevel();
    if (!readImageFile(app.ui(), app.files, app.modes, level.name, level.image, cantOpenText)) level.name.clear();
    level.image.leftColor = kNoColor;
    level.altered = 0;
    return showReadLevel(app);
}

Ending showReadLevel(AppState& app) {
    Level& level = app.currentLevel();
    setWindowTitle(app);
    if (app.levels.currentIndex == 0) {
        resetScroll(app);
        updateScrollBars(app);
    }
    level.originX = level.originY = 0;
    app.ui().setScrollPos(SB_HORZ, 0, false);
    app.ui().setScrollPos(SB_VERT, 0, false);
    if (level.image.hasPixels()) {
        for (const ConversionMessage& finding : paletteDiagnosis(level.image)) {
            app.ui().messageBox(Owner::None, finding.text, finding.caption, MB_OK | MB_ICONEXCLAMATION);
        }
    }
    app.shell.infoScreen = kInfoNone;
    level.pivotX = level.pivotY = 0;
    return Ending::Redraw;
}

}  // namespace vyd
