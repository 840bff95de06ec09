#include "app/key_state.h"

namespace vyd {

void recordKeyMessage(ShellState& shell, WPARAM wParam, LPARAM lParam) {
    const bool down = (lParam & KF_TRANSITION) == 0;
    shell.keyState[wParam & 0xFF] = down ? 0xFF : 0;
    shell.lastKey = static_cast<int>(wParam & 0xFF);
}

void pollKeys(AppState& app) {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    while (app.ui().peekKeyMessage(message, wParam, lParam)) recordKeyMessage(app.shell, wParam, lParam);
}

}  // namespace vyd
