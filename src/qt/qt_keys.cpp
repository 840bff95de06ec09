#include "qt/qt_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace vyd {

namespace {

struct KeyCode {
    int qtKey;
    int vk;
};

// Keys whose code does not follow from a range.
constexpr KeyCode kKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},        {Qt::Key_Return, VK_RETURN},       {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Tab, VK_TAB},              {Qt::Key_Backtab, VK_TAB},         {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Space, VK_SPACE},          {Qt::Key_PageUp, VK_PRIOR},        {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},              {Qt::Key_Home, VK_HOME},           {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},                {Qt::Key_Right, VK_RIGHT},         {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},        {Qt::Key_Delete, VK_DELETE},       {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, VK_SNAPSHOT},       {Qt::Key_SysReq, VK_SNAPSHOT},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK},      {Qt::Key_ScrollLock, VK_SCROLL},   {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Help, VK_HELP},            {Qt::Key_Select, VK_SELECT},       {Qt::Key_Cancel, VK_CANCEL},
    {Qt::Key_Shift, VK_SHIFT},          {Qt::Key_Control, VK_CONTROL},     {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},           {Qt::Key_Meta, 0x5B},              {Qt::Key_Menu, 0x5D},
    // Shifted digits on the US layout
    {Qt::Key_Exclam, '1'},              {Qt::Key_At, '2'},                 {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},              {Qt::Key_Percent, '5'},            {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},           {Qt::Key_Asterisk, '8'},           {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    // Punctuation keys, unshifted and shifted
    {Qt::Key_Semicolon, VK_OEM_1},      {Qt::Key_Colon, VK_OEM_1},         {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},        {Qt::Key_Comma, VK_OEM_COMMA},     {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},      {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},   {Qt::Key_Slash, VK_OEM_2},         {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},      {Qt::Key_AsciiTilde, VK_OEM_3},    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},      {Qt::Key_Backslash, VK_OEM_5},     {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},   {Qt::Key_BraceRight, VK_OEM_6},    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// Keys of the numeric keypad that have codes of their own.
constexpr KeyCode kKeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},      {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

}  // namespace

int virtualKeyOf(int qtKey, bool keypad) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return (keypad ? VK_NUMPAD0 : '0') + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + (qtKey - Qt::Key_F1);
    if (keypad) {
        for (const KeyCode& key : kKeypadKeys) {
            if (key.qtKey == qtKey) return key.vk;
        }
    }
    for (const KeyCode& key : kKeys) {
        if (key.qtKey == qtKey) return key.vk;
    }
    return 0;
}

std::optional<KeyMessage> keyMessageFor(int qtKey, Qt::KeyboardModifiers modifiers, bool down, bool autoRepeat) {
    const int vk = virtualKeyOf(qtKey, modifiers.testFlag(Qt::KeypadModifier));
    if (vk == 0 || (!down && autoRepeat)) return std::nullopt;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier) || vk == VK_MENU;
    const bool system = (alt && !ctrl) || vk == VK_F(10);
    KeyMessage key;
    key.wParam = static_cast<WPARAM>(vk);
    key.lParam = 1;
    if (alt) key.lParam |= LPARAM{1} << 29;
    if (down) {
        key.message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
        if (autoRepeat) key.lParam |= KF_PREVIOUS_STATE;
    } else {
        key.message = system ? WM_SYSKEYUP : WM_KEYUP;
        key.lParam |= KF_PREVIOUS_STATE | KF_TRANSITION;
    }
    return key;
}

std::optional<KeyMessage> keyMessageFor(const QKeyEvent& event, bool down) {
    int key = event.key();
    // evdev key codes (plus 8) of the digit row: 10 is "1" ... 18 is "9", 19 is "0".
    const quint32 scan = event.nativeScanCode();
    static const bool evdev = QGuiApplication::platformName() == "xcb" ||
                              QGuiApplication::platformName().startsWith("wayland");
    if (evdev && scan >= 10 && scan <= 19 && !event.modifiers().testFlag(Qt::KeypadModifier))
        key = scan == 19 ? Qt::Key_0 : Qt::Key_1 + static_cast<int>(scan - 10);
    return keyMessageFor(key, event.modifiers(), down, event.isAutoRepeat());
}

WPARAM mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM flags = 0;
    if (buttons.testFlag(Qt::LeftButton)) flags |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton)) flags |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton)) flags |= MK_MBUTTON;
    if (modifiers.testFlag(Qt::ShiftModifier)) flags |= MK_SHIFT;
    if (modifiers.testFlag(Qt::ControlModifier)) flags |= MK_CONTROL;
    return flags;
}

UINT mouseButtonMessage(Qt::MouseButton button, bool down) {
    switch (button) {
        case Qt::LeftButton: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        case Qt::RightButton: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        case Qt::MiddleButton: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        default: return 0;
    }
}

}  // namespace vyd
