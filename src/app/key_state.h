// The key-down table that the mouse and keyboard gestures consult: which keys are held right now.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Records a key message in the table: the entry of the key code's low byte is down (0xFF) when bit 31 of
// lParam is clear, else up (0); `lastKey` becomes the key. Key-up messages of either kind (WM_KEYUP and
// WM_SYSKEYUP, which is how a released Alt arrives) count, so no key stays down after its release.
void recordKeyMessage(ShellState& shell, WPARAM wParam, LPARAM lParam);

inline bool keyHeld(const AppState& app, int virtualKey) { return app.shell.keyState[virtualKey & 0xFF] != 0; }
inline void releaseKey(AppState& app, int virtualKey) { app.shell.keyState[virtualKey & 0xFF] = 0; }

// Takes every pending key message from the queue and records it, so that a long operation notices Esc.
void pollKeys(AppState& app);

// Whether a key message is a fresh press: not an auto-repeat, not a release (bit 30 clear).
inline bool freshPress(LPARAM lParam) { return (lParam & KF_PREVIOUS_STATE) == 0; }

}  // namespace vyd
