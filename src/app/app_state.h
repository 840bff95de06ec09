// The one record of process-wide state: the level table, the view, and every subsystem's settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/slide_state.h"
#include "compose/geometry.h"
#include "compose/view_state.h"
#include "formats/file_settings.h"
#include "image/levels.h"
#include "modes/mode_settings.h"
#include "platform_api/platform.h"

namespace vyd {

// Which text page replaces the picture.
enum InfoScreen : uint8_t {
    kInfoNone = 0,
    kInfoLevelList = 'L',
    kInfoPcxHeader = 'P',
    kInfoPalette = 'p',
    kInfoByteFrequency = 'b',
    kInfoClipboard = 'c',
};

// State of the application shell: window, menus, keys, pointer, cursors, questions.
struct ShellState {
    int workOnBackgroundPosition = 0;
    std::string startupFile;
    uint8_t infoScreen = kInfoNone;
    bool menuCommandPending = false;
    std::string paintbrushPath = "xdg-open";
    int16_t brushCursorWidth = -1, brushCursorHeight = -1;
    std::vector<uint8_t> cursorAndMask, cursorXorMask;
    bool brushCursorShown = false;
    std::array<Color, 16> customColors{};
    double pi = 0;
    std::array<uint8_t, 256> keyState{};
    int lastKey = 0;
    bool firstMessageSeen = false;
    Point pointer, anchor;
    bool dragArmed = false;
    int32_t lastClickedU = 0, lastClickedV = 0;
    int transformPartner = -1;
    Color penColor = 0;
    std::string askPrompt, askAnswer;
    bool windowDestroyed = false;
    // The level list's last pointer position (client pixels) and the row a right-button drag is on.
    double listPointerX = 0, listPointerY = 0;
    uint8_t dragRow = 0;
    bool clipboardViewer = false;  // the clipboard viewer window exists
};

// The graded colour wash's settings, edited in its box.
struct WashSettings {
    uint8_t order = 4;     // total degree of the fitted polynomial, 0 to 5
    uint8_t maxNoise = 0;  // percent, 0 to 50 (kept for the box; the wash does not use it)
};

struct AppState {
    Platform* platform = nullptr;
    LevelTable levels;
    ButtonColors buttons;
    ModeSettings modes;
    FileSettings files;
    ViewState view;
    WashSettings wash;
    ShellState shell;
    int slideScreen = 0;  // non-zero while the slide status page is shown
    SlideState slides;

    Level& currentLevel() { return levels.current(); }
    Platform& ui() { return *platform; }
};

// How a command handler ends.
enum class Ending {
    Refresh,             // give an empty background a blank picture, then redraw
    Redraw,              // invalidate and repaint at once
    Update,              // repaint at once
    Plain,               // return at once
    DefaultProcessing,   // not handled here: the platform's default processing
};

}  // namespace vyd
