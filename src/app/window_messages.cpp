#include "app/window_messages.h"

#include "app/brush_cursor.h"
#include "app/endings.h"
#include "app/open_file.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "app/settings_file.h"
#include "app/slide_show.h"
#include "util/text_format.h"

namespace vyd {

namespace {
constexpr size_t kDroppedNameLimit = 255;  // the drop buffer held 256 characters with the terminator
}

LRESULT handleCreate(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    Platform& ui = app.ui();
    ui.attachMenu(MenuBar::Main);
    resetScroll(app);
    updateScrollBars(app);
    ui.acceptFiles(true);
    app.files.lastFileType = kFileTypeNone;
    app.shell.paintbrushPath = readPaintbrushSetting();
    initBrushCursor(app);
    for (Level& level : app.levels.levels) level.altered = 0;
    return ui.defaultProcedure(message, wParam, lParam);
}

LRESULT handleClose(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    std::string altered;
    for (int i = 0; i < kLevelCount; ++i) {
        if (app.levels[i].altered) altered += formatText("%d ", i);
    }
    if (!altered.empty()) {
        int answer = app.ui().messageBox(Owner::None,
                                         "these image levels have been altered and not saved: do you want me to exit?",
                                         altered, MB_YESNO);
        if (answer == IDNO) return 0;
    }
    app.ui().acceptFiles(false);
    app.ui().setArrowCursor();
    app.shell.cursorAndMask.clear();
    app.shell.cursorXorMask.clear();
    return app.ui().defaultProcedure(message, wParam, lParam);
}

LRESULT handleDestroy(AppState& app) {
    app.shell.windowDestroyed = true;
    app.slides.list = SlideList{};
    app.ui().postQuit(0);
    return 0;
}

LRESULT handleDropFiles(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    Platform& ui = app.ui();
    std::vector<std::string> files = ui.droppedFiles();
    if (files.size() != 1) {
        ui.messageBox(Owner::Main, "one file at a time please", "dragdrop", MB_OK | MB_ICONEXCLAMATION);
        ui.finishDrop();
        return ui.defaultProcedure(message, wParam, lParam);
    }
    std::string name = files.front().substr(0, kDroppedNameLimit);
    setLevelName(app.currentLevel(), name);
    app.files.lastFileTitle = name;
    ui.finishDrop();
    return finishCommand(app, openNamedFile(app), message, wParam, lParam);
}

LRESULT handlePaint(AppState& app) {
    paintMainWindow(app, paintStatusScreen);
    if (!app.shell.startupFile.empty()) {
        setLevelName(app.currentLevel(), app.shell.startupFile);
        app.shell.startupFile.clear();
        finishCommand(app, openNamedFile(app), WM_PAINT, 0, 0);
    }
    return 0;
}

}  // namespace vyd
