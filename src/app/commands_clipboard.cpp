#include "app/commands_clipboard.h"

#include "app/clipboard_transfer.h"
#include "app/clipboard_viewer.h"
#include "app/open_file.h"
#include "app/repaint.h"

namespace vyd {

Ending commandExamineClipboard(AppState& app, int) {
    Platform& ui = app.ui();
    if (!app.shell.clipboardViewer) {
        if (!ui.createViewerWindow("VYD: clipboard", clipboardViewerProcedure(app))) return Ending::Plain;
        app.shell.clipboardViewer = true;
    }
    ui.bringToTop(Owner::Viewer);
    ui.repaintViewer();
    return Ending::Plain;
}

// A picture from the clipboard exists in no file, so the level is marked altered; a failed read leaves
// the level's picture, name and flag as they were. Either way the display starts afresh as after a file,
// and a new background clears the window first, as reading one from a file does (the redraw does not
// erase, and a smaller picture would leave the old one showing around it).
Ending commandReadClipboard(AppState& app, int) {
    Level& level = app.currentLevel();
    if (readClipboardImage(app, Owner::Main, level.image)) {
        level.name = "<clipboard>";
        level.altered = 1;
        if (app.levels.currentIndex == 0) clearWindow(app);
    } else {
        app.ui().messageBox(Owner::Main, "no image found in clipboard", "", MB_OK | MB_ICONEXCLAMATION);
    }
    return showReadLevel(app);
}

Ending commandWriteClipboard(AppState& app, int) {
    const Image& image = app.currentLevel().image;
    if (image.hasPixels()) writeClipboardImage(app, Owner::Main, image);
    return Ending::Update;
}

}  // namespace vyd
