#include "app/clipboard_contents.h"

namespace vyd {

void paintClipboardContents(AppState& app) {
    app.ui().deviceContext().fillWhite();
    app.ui().validate();
}

}  // namespace vyd
