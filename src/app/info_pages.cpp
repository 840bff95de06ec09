#include "app/info_pages.h"

#include "app/clipboard_contents.h"
#include "app/image_pages.h"
#include "app/level_list.h"
#include "app/window_messages.h"

namespace vyd {

namespace {

using PagePainter = void (*)(AppState&);

struct PageRow {
    uint8_t code;
    PagePainter paint;
};

// The read-only pages and their painters; the level list takes every message itself.
constexpr PageRow kPages[] = {
    {kInfoPcxHeader, paintPcxHeaderPage},
    {kInfoPalette, paintPalettePage},
    {kInfoByteFrequency, paintByteFrequencyPage},
    {kInfoClipboard, paintClipboardContents},
};

// Gives the message to the page of the current code; true when the page took it.
bool pageMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (app.shell.infoScreen == kInfoLevelList) {
        bool consumed = false;
        result = levelListMessage(app, message, wParam, lParam, consumed);
        return consumed;
    }
    if (message != WM_PAINT) return false;
    for (const PageRow& page : kPages) {
        if (page.code != app.shell.infoScreen) continue;
        page.paint(app);
        result = 0;
        return true;
    }
    return false;
}

void setUpdateRectToCurrentImage(AppState& app) {
    const Image& image = app.currentLevel().image;
    app.view.updateRect.left = 0;
    app.view.updateRect.top = 0;
    app.view.updateRect.right = image.width();
    app.view.updateRect.bottom = image.height();
}

}  // namespace

LRESULT infoScreenMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    Platform& ui = app.ui();
    LRESULT result = 0;
    if (pageMessage(app, message, wParam, lParam, result)) {
        if (ui.attachedMenu() == MenuBar::Main) {
            ui.attachMenu(MenuBar::Null);
            ui.drawMenuBar();
        }
        return result;
    }
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (static_cast<int>(wParam) == VK_ESCAPE) {
                if (ui.attachedMenu() != MenuBar::Main) ui.attachMenu(MenuBar::Main);
                app.shell.infoScreen = kInfoNone;
                ui.deviceContext().fillWhite();
                ui.drawMenuBar();
                ui.deviceContext().fillWhite();
                ui.invalidate();
            }
            setUpdateRectToCurrentImage(app);
            return ui.defaultProcedure(message, wParam, lParam);
        case WM_MENUSELECT:
            ui.drawMenuBar();
            return ui.defaultProcedure(message, wParam, lParam);
        case WM_ENTERIDLE:
            ui.drawMenuBar();
            return 0;
        case WM_CLOSE:
            return handleClose(app, message, wParam, lParam);
        case WM_DESTROY:
            return handleDestroy(app);
        default:
            return ui.defaultProcedure(message, wParam, lParam);
    }
}

}  // namespace vyd
