#include "app/image_pages.h"

namespace vyd {

namespace {

void paintEmptyPage(AppState& app) {
    app.ui().deviceContext().fillWhite();
    app.ui().validate();
}

}  // namespace

void paintPcxHeaderPage(AppState& app) { paintEmptyPage(app); }
void paintPalettePage(AppState& app) { paintEmptyPage(app); }
void paintByteFrequencyPage(AppState& app) { paintEmptyPage(app); }

}  // namespace vyd
