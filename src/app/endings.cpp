#include "app/endings.h"

#include <cstring>

namespace vyd {

void ensureBackground(AppState& app) {
    Image& background = app.levels[0].image;
    if (background.width() > 0 && background.height() > 0) return;
    if (createImage(background, kMode16, 8, 640, 480)) {
        std::memset(background.pixels.data(), 15, background.pixelBytes());
    }
}

void redrawNow(AppState& app) {
    app.ui().invalidate();
    app.ui().updateWindow();
}

void refreshDisplay(AppState& app) {
    app.ui().invalidate();
    ensureBackground(app);
    redrawNow(app);
}

LRESULT finishCommand(AppState& app, Ending ending, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (ending) {
        case Ending::Refresh: refreshDisplay(app); return 0;
        case Ending::Redraw: redrawNow(app); return 0;
        case Ending::Update: app.ui().updateWindow(); return 0;
        case Ending::Plain: return 0;
        case Ending::DefaultProcessing: return app.ui().defaultProcedure(message, wParam, lParam);
    }
    return 0;
}

}  // namespace vyd
