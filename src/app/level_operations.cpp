#include "app/level_operations.h"

#include <optional>

#include "app/dialogs.h"
#include "app/endings.h"
#include "app/file_chooser.h"
#include "app/key_state.h"
#include "app/side_files.h"
#include "app/title_status.h"
#include "ops/color_wash.h"
#include "ops/pattern_smoothing.h"
#include "ops/region_fill.h"
#include "ops/resize_by_scale.h"
#include "sequences/colour_file.h"

namespace vyd {

namespace {

constexpr uint32_t kProgressPeriodMs = 50;  // how often a running operation shows what it has done

// Lets a long operation poll the keys, show its progress and title its rows through the window.
class WindowMonitor : public OperationMonitor {
public:
    explicit WindowMonitor(AppState& app) : app_(app), lastShown_(app.ui().tickCount()) {}

    bool stopRequested() override {
        pollKeys(app_);
        return keyHeld(app_, VK_ESCAPE);
    }
    // A full repaint now and then: cheap next to the operation, and the screen follows it.
    void showProgress(const PixelRect& written) override {
        const uint32_t now = app_.ui().tickCount();
        if (written.empty() || now - lastShown_ < kProgressPeriodMs) return;
        lastShown_ = now;
        redrawNow(app_);
    }
    void showRowTitle(const std::string& text) override { rowTitle_.emplace(app_.ui(), text); }
    void restoreTitle() override { rowTitle_.reset(); }

private:
    AppState& app_;
    uint32_t lastShown_;
    std::optional<TitleStatus> rowTitle_;
};

}  // namespace

void fillAtPointer(AppState& app, Button button, bool around) {
    Level& level = app.currentLevel();
    if (button == Button::Left) {
        markAltered(level);
        saveUndo(app.levels.undoImage, level.image);
    }
    const LevelPixel at = pointerLevelPixel(app);
    WindowMonitor monitor(app);
    const Color colour = buttonColour(app, button);
    const FillOutcome outcome = around ? fillAround(level.image, at.u, at.v, colour, monitor)
                                       : fillRegion(level.image, at.u, at.v, colour, monitor);
    if (button != Button::Left) markAltered(level);
    if (outcome.changed) redrawNow(app);
}

void smoothAtPointer(AppState& app) {
    const LevelPixel at = pointerLevelPixel(app);
    smoothPattern(app.currentLevel().image, at.u, at.v, app.levels.undoImage);
    markAltered(app.currentLevel());
    redrawNow(app);
}

void washCurrentLevel(AppState& app) {
    Platform& ui = app.ui();
    const WashRefusal refusal = washRefusal(app.levels);
    if (refusal == WashRefusal::None) {
        ui.validate();
        runColorWashBox(app, app.wash.order, app.wash.maxNoise);
        ui.setFocusToMain();
        ui.invalidate();
        WindowMonitor monitor(app);
        const WashResult result =
            colorWash(app.currentLevel().image, app.levels[kTopLevel].image, app.wash.order, monitor);
        if (result == WashResult::Singular) ui.messageBox(Owner::None, "eqnsolve failed", "", MB_ICONEXCLAMATION);
    }
    markAltered(app.currentLevel());
    if (refusal != WashRefusal::None) {
        ui.messageBox(Owner::Main, washRefusalText(refusal), "wash failed", MB_ICONEXCLAMATION);
    }
}

void resizeCurrentByScale(AppState& app) {
    // The level's pixels change, so closing must ask before they are lost.
    if (resizeByScale(app.currentLevel())) {
        markAltered(app.currentLevel());
        redrawNow(app);
    }
}

void writeColourFileAtPointer(AppState& app) {
    Platform& ui = app.ui();
    const Color picked = pictureColourAt(app, app.shell.pointer);
    const std::string previousTitle = app.files.lastFileTitle;
    app.files.lastFileTitle = "_.pal";
    releaseKey(app, VK_F(1));
    std::string name;
    static const std::vector<FileFilter> kPalFilters = {{"PAL files", "*.pal"}};
    const bool chosen = chooseFile(ui, app.files, "name of file to write palette to?", kPalFilters, name, true);
    app.files.lastFileTitle = previousTitle;
    if (!chosen) {
        ui.updateWindow();
        return;
    }
    const auto bytes = colourFileBytes(picked);
    writeSideFile(ui, name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace vyd
