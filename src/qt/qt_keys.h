// Qt keyboard and mouse events in the window system's terms: virtual-key codes, key-message bits,
// mouse key flags and packed client coordinates.
#pragma once

#include <Qt>
#include <optional>

class QKeyEvent;

#include "platform_api/win32.h"

namespace vyd {

struct KeyMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The virtual-key code of a Qt key (US layout for the punctuation keys; a shifted digit symbol is its
// digit key), or 0 when the key has none.
int virtualKeyOf(int qtKey, bool keypad);

// The message a key press or release becomes: WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP for Alt
// and F10 and for keys pressed while Alt (without Ctrl) is held. The second parameter holds the repeat
// count 1, bit 29 while Alt is down, bit 30 for a repeat or a release and bit 31 for a release.
// Nothing for keys without a code, and for the releases that auto-repeat inserts.
std::optional<KeyMessage> keyMessageFor(int qtKey, Qt::KeyboardModifiers modifiers, bool down, bool autoRepeat);

// The same for a key event. On X11 and Wayland the keys of the digit row are their digits whatever the
// layout puts on them (AZERTY's "&", a shifted "!"), as their virtual-key codes are.
std::optional<KeyMessage> keyMessageFor(const QKeyEvent& event, bool down);

WPARAM mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The button message of a press (down) or release, or 0 for buttons the window does not know.
UINT mouseButtonMessage(Qt::MouseButton button, bool down);

}  // namespace vyd
