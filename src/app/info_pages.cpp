#include "app/info_pages.h"

#include "app/window_messages.h"

namespace vyd {

namespace {

// Paints the page of the current code. The pages' contents (level list, PCX header, palette, byte
// frequency, clipboard formats) come with the level-list and clipboard work; until then the page is
// an empty white page, which still takes the paint as its own.
bool paintInfoPage(AppState& app) {
    app.ui().deviceContext().fillWhite();
    app.ui().validate();
    return true;
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
    bool consumed = false;
    LRESULT result = 0;
    if (message == WM_PAINT) consumed = paintInfoPage(app);
    if (consumed) {
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
