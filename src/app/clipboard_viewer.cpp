#include "app/clipboard_viewer.h"

#include "app/clipboard_transfer.h"
#include "app/repaint.h"
#include "util/text_format.h"

namespace vyd {

namespace {

// White, then the clipboard's bitmap read afresh (its depth box shows on every repaint) at the view's move
// with the frame at the origin, and the picture's mode and depth in the title.
void paintViewer(AppState& app) {
    Platform& ui = app.ui();
    DeviceContext& dc = ui.viewerDeviceContext();
    dc.fillWhite();
    if (!ui.openClipboard()) {
        ui.messageBox(Owner::Viewer, "I can't open the clipboard", "", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Image image;
    if (readClipboardImage(app, Owner::Viewer, image)) {
        Level& level = app.currentLevel();
        level.originX = level.originY = 0;
        blitImage(dc, app.view, image);
        drawFrame(dc, 0, 0, image.width(), image.height());
        ui.setViewerTitle(formatText("VYD (image in clipboard) %d:%d", image.mode, image.bitCount()));
        if (!image.hasPixels()) dc.textOut(0, 0, "(there is no image in the clipboard)");
    }
    ui.closeClipboard();
}

LRESULT viewerMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    Platform& ui = app.ui();
    switch (message) {
        case WM_CREATE: {
            MenuItem back;
            back.id = kBackToMainWindow;
            back.text = "Back to &main window";
            ui.setViewerMenu({back});
            return 0;
        }
        case WM_DESTROY:
            app.shell.clipboardViewer = false;
            return 0;
        case WM_PAINT:
            paintViewer(app);
            return 0;
        case WM_COMMAND:
        case WM_MENUSELECT:
            if (LOWORD(wParam) == kBackToMainWindow) {
                ui.bringToTop(Owner::Main);
                return 0;
            }
            break;
        default:
            break;
    }
    return ui.viewerDefaultProcedure(message, wParam, lParam);
}

}  // namespace

WindowProcedure clipboardViewerProcedure(AppState& app) {
    return [&app](UINT message, WPARAM wParam, LPARAM lParam) { return viewerMessage(app, message, wParam, lParam); };
}

}  // namespace vyd
