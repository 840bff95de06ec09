#include "app/level_list.h"

namespace vyd {

LRESULT levelListMessage(AppState& app, UINT message, WPARAM, LPARAM, bool& consumed) {
    consumed = message == WM_PAINT;
    if (consumed) {
        app.ui().deviceContext().fillWhite();
        app.ui().validate();
    }
    return 0;
}

}  // namespace vyd
