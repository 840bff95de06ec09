#include "app/commands_view.h"

#include <array>

#include "app/dialogs.h"
#include "app/file_chooser.h"
#include "app/image_files.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "compose/assembly.h"

namespace vyd {

namespace {

constexpr int kSaveAssembled = 1306;
constexpr int kAssembleWithLevel15 = 1323;

// The frame of every size or details box: a white, valid window under the box, then the focus back, new
// scroll ranges and a repaint to come.
template <class Box>
void aroundBox(AppState& app, Box box) {
    Platform& ui = app.ui();
    clearWindow(app);
    ui.validate();
    box(app);
    ui.setFocusToMain();
    updateScrollBars(app);
}

// Puts the assembled picture into the current level, placed so that it shows where it was assembled.
void takeAssembly(AppState& app, Image& assembled) {
    Level& level = app.currentLevel();
    const Color transparent = level.image.leftColor;
    adoptImage(level.image, assembled);
    level.image.leftColor = transparent;
    level.originX = level.originY = 0;
    level.scaleX = level.scaleY = 1;
    level.rotationCos = 1;
    level.rotationSin = 0;
    level.pivotX = level.pivotY = 0;
    markAltered(level);
}

}  // namespace

void showLevelDetails(AppState& app) {
    aroundBox(app, runLevelDetailsBox);
    if (app.view.rotationsSuppressed) {
        app.currentLevel().rotationCos = 1;
        app.currentLevel().rotationSin = 0;
    }
    app.ui().invalidate();
}

Ending commandNewImage(AppState& app, int) {
    aroundBox(app, runNewImageBox);
    app.ui().invalidate();
    return Ending::Plain;
}

Ending commandLevelDetails(AppState& app, int) {
    showLevelDetails(app);
    return Ending::Plain;
}

Ending commandResizeWithTiling(AppState& app, int) {
    aroundBox(app, runTilingBox);
    app.ui().invalidate();
    return Ending::Plain;
}

Ending commandAssemble(AppState& app, int id) {
    if (app.levels.currentIndex == kTopLevel) return Ending::Plain;
    Platform& ui = app.ui();
    bool toCurrentLevel = false;
    if (id == kAssembleWithLevel15) {
        toCurrentLevel = ui.messageBox(Owner::Main, "copy result to current image?", app.levels[0].name, MB_YESNO) == IDYES;
    }
    std::string name;
    if (!toCurrentLevel &&
        !chooseFile(ui, app.files, "name of file to write to?", FilterList::Writing, name, true)) {
        return Ending::Plain;
    }

    std::array<uint8_t, kLevelCount> shown{};
    if (id == kAssembleWithLevel15) {
        for (int i = 0; i < kLevelCount; ++i) {
            shown[i] = app.levels[i].shown;
            app.levels[i].shown = 0;
        }
        app.currentLevel().shown = 1;
        app.levels[kTopLevel].shown = 1;
    }
    Image assembled;
    assembleLevels(app.levels, app.view, {.wholePicture = true, .invertCurrent = currentLevelInverted(app)}, assembled);
    if (id == kAssembleWithLevel15) {
        for (int i = 0; i < kLevelCount; ++i) app.levels[i].shown = shown[i];
    }

    if (toCurrentLevel) {
        // Without a background there is no picture to take, and the level keeps its image.
        if (!assembled.hasPixels()) return Ending::Update;
        takeAssembly(app, assembled);
        return Ending::Redraw;
    }
    if (writeImageFile(ui, app.files, app.modes, name, assembled)) {
        // Only a picture that is really on disc counts as saved.
        app.currentLevel().altered = 0;
    } else {
        ui.messageBox(Owner::Main, "write failed", name, MB_OK | MB_ICONEXCLAMATION);
    }
    return Ending::Update;
}

}  // namespace vyd
