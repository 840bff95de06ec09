#include <cmath>

#include "app/brush_cursor.h"
#include "app/command_table.h"
#include "app/endings.h"
#include "app/info_pages.h"
#include "app/keyboard.h"
#include "app/mouse_buttons.h"
#include "app/scroll_bars.h"
#include "app/startup.h"
#include "app/window_messages.h"

namespace vyd {

namespace {

void prologue(AppState& app, UINT message) {
    if (!app.shell.firstMessageSeen) {
        app.shell.firstMessageSeen = true;
        app.shell.anchor = {-32768.0, 0.0};
        app.shell.pointer = {0.0, 0.0};
    }
    if (message == WM_COMMAND) app.shell.menuCommandPending = true;
    updateBrushCursor(app);
}

}  // namespace

LRESULT mainWindowProcedure(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    if (app.shell.infoScreen != kInfoNone) return infoScreenMessage(app, message, wParam, lParam);
    // The current level always exists (it is an index into the fixed table of sixteen), so no message
    // can arrive without one.
    if (message != WM_CREATE) prologue(app, message);
    Platform& ui = app.ui();
    switch (message) {
        case WM_CREATE:
            return handleCreate(app, message, wParam, lParam);
        case WM_DESTROY:
            return handleDestroy(app);
        case WM_SIZE:
            handleSizeMessage(app, wParam);
            return 0;
        case WM_SETFOCUS:
            updateBrushCursor(app);
            return ui.defaultProcedure(message, wParam, lParam);
        case WM_KILLFOCUS:
            app.shell.brushCursorWidth = app.shell.brushCursorHeight = -1;
            ui.setArrowCursor();
            app.shell.brushCursorShown = false;
            // Keys let go while another window had the focus never reach this one: none stays down.
            app.shell.keyState.fill(0);
            app.view.previewLevels = app.view.previewRelief = app.view.previewThreshold = false;
            return ui.defaultProcedure(message, wParam, lParam);
        case WM_PAINT:
            return handlePaint(app);
        case WM_CLOSE:
            return handleClose(app, message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            return handleKeyMessage(app, message, wParam, lParam);
        case WM_COMMAND: {
            app.shell.menuCommandPending = true;
            int id = LOWORD(wParam);
            return finishCommand(app, dispatchCommand(app, id), message, wParam, lParam);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            return handleScrollMessage(app, message, wParam);
        case WM_ENTERIDLE:
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return handleMouseMessage(app, message, wParam, lParam);
        case WM_DROPFILES:
            return handleDropFiles(app, message, wParam, lParam);
        default:
            if (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) {
                ui.setArrowCursor();
                app.shell.brushCursorShown = false;
            }
            return ui.defaultProcedure(message, wParam, lParam);
    }
}

bool startApplication(AppState& app, Platform& platform, const std::vector<std::string>& args) {
    app.platform = &platform;
    app.shell.startupFile = args.empty() ? std::string() : args.front();
    app.shell.keyState.fill(0);
    app.shell.pi = 4 * std::atan(1.0);
    initImage(app.view.displayImage);
    // Custom colours: the little-endian 32-bit word at byte 3*i of the default palette's triples; the top
    // byte comes from the next triple (0 after the last one).
    const uint8_t* bytes = &defaultPalette16[0][0];
    for (int i = 0; i < 16; ++i) {
        uint32_t value = 0;
        for (int k = 0; k < 4; ++k) {
            int at = 3 * i + k;
            uint32_t byte = at < 48 ? bytes[at] : 0u;
            value |= byte << (8 * k);
        }
        app.shell.customColors[i] = value;
    }
    platform.setWindowProcedure([&app](UINT message, WPARAM wParam, LPARAM lParam) {
        return mainWindowProcedure(app, message, wParam, lParam);
    });
    platform.setMenus(mainMenuDescription(), nullMenuDescription());
    platform.setArrowCursor();
    if (!platform.createMainWindow("VYD")) return false;
    platform.invalidate();
    platform.updateWindow();
    app.shell.workOnBackgroundPosition = platform.menuItemCount(kLevelsPopup) - 2;
    for (int n = 2; n < kLevelCount; ++n) {
        platform.appendMenuItem(kLevelsPopup, kFirstLevelCommand + n, "work on object &" + std::to_string(n));
    }
    resetScroll(app);
    updateScrollBars(app);
    return true;
}

}  // namespace vyd
