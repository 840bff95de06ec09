#include "app/keyboard.h"

#include <algorithm>
#include <cstdlib>

#include "app/command_table.h"
#include "app/dialogs.h"
#include "app/endings.h"
#include "app/key_state.h"
#include "app/level_menu_items.h"
#include "app/level_operations.h"
#include "app/level_pixel.h"
#include "app/level_titles.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "app/slide_show.h"
#include "compose/assembly.h"
#include "compose/numeric.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr int kHideShowCommand = 1307;
constexpr int kLevelListCommand = 1308;

void issueCommand(AppState& app, int id) { app.ui().sendMessage(WM_COMMAND, static_cast<WPARAM>(id), 0); }

// T: the title as one line of words: commas, and the colon after the level's number, become blanks.
void showLevelTitle(AppState& app) {
    releaseKey(app, 'T');
    std::string text = app.ui().title();
    std::replace(text.begin(), text.end(), ',', ' ');
    if (text.size() > 6 && text[6] == ':') text[6] = ' ';
    else if (text.size() > 7 && text[7] == ':') text[7] = ' ';
    app.ui().messageBox(Owner::None, text, "the current level's title is", MB_OK);
}

// F2 with F3: every level drawn unrotated, keeping its rotation aside; again: the rotations come back.
void toggleRotations(AppState& app) {
    const bool entering = !app.view.rotationsSuppressed;
    app.view.rotationsSuppressed = entering;
    for (Level& level : app.levels.levels) {
        if (entering) {
            level.savedRotationCos = level.rotationCos;
            level.savedRotationSin = level.rotationSin;
            level.rotationCos = 1;
            level.rotationSin = 0;
        } else {
            level.rotationCos = level.savedRotationCos;
            level.rotationSin = level.savedRotationSin;
        }
    }
    setWindowTitle(app);
    redrawNow(app);
}

// F5: level 15 takes the current level's placement (and becomes current); pressed on level 15, the
// placement goes back to the level it came from.
void copyPlacement(const Level& from, Level& to) {
    to.originX = from.originX;
    to.originY = from.originY;
    to.rotationCos = to.savedRotationCos = from.rotationCos;
    to.rotationSin = to.savedRotationSin = from.rotationSin;
    to.scaleX = from.scaleX;
    to.scaleY = from.scaleY;
}

void exchangeTransform(AppState& app) {
    LevelTable& levels = app.levels;
    Level& top = levels[kTopLevel];
    if (levels.currentIndex != kTopLevel) {
        copyPlacement(levels.current(), top);
        app.shell.transformPartner = levels.currentIndex;
        levels.currentIndex = kTopLevel;
    } else if (app.shell.transformPartner >= 0) {
        const int partner = app.shell.transformPartner;
        if (partner != 0) copyPlacement(top, levels[partner]);
        levels.currentIndex = partner;
        app.shell.transformPartner = -1;
    }
    checkCurrentLevelItem(app);
    redrawNow(app);
}

// F4, F8 and F9 show their preview while held; ctrl+F9 asks for the bwlimit value when F9 is released.
void previewKey(AppState& app, int key, bool down) {
    ViewState& view = app.view;
    if (key == VK_F(9) && keyHeld(app, VK_CONTROL)) {
        if (down) return;
        const std::string answer = askText(app, "min color value to treat as white?",
                                           formatText("%7d", static_cast<int>(app.modes.bwlimit)));
        const double value = std::strtod(answer.c_str(), nullptr);
        app.modes.bwlimit = static_cast<uint8_t>(truncClamped(value, INT32_MIN, INT32_MAX) & 0xFF);
        releaseKey(app, VK_CONTROL);
        redrawNow(app);
        return;
    }
    if (key == VK_F(4)) view.previewRelief = down;
    else if (key == VK_F(8)) view.previewLevels = down;
    else view.previewThreshold = down;
    redrawNow(app);
}

struct ColourValueKey {
    int key;
    int shift;  // of the channel in a colour value
    int direction;
};
constexpr ColourValueKey kColourValueKeys[] = {
    {VK_PRIOR, 16, +1}, {VK_NEXT, 16, -1}, {VK_HOME, 8, +1},
    {VK_END, 8, -1},    {VK_INSERT, 0, +1}, {VK_DELETE, 0, -1},
};

// With rotations suppressed: one channel of the last painted pixel up or down.
bool colourValueKey(AppState& app, int key) {
    const Image& image = app.currentLevel().image;
    if (!app.view.rotationsSuppressed || !image.hasPixels() || image.bitCount() != 24) return false;
    const ColourValueKey* entry = std::find_if(std::begin(kColourValueKeys), std::end(kColourValueKeys),
                                               [key](const ColourValueKey& k) { return k.key == key; });
    if (entry == std::end(kColourValueKeys)) return false;
    const int u = app.shell.lastClickedU, v = app.shell.lastClickedV;
    const Color present = pixelColor(image, u, v, true);
    if ((present >> 24) != 0) return true;
    int step = 0;
    if (keyHeld(app, VK_TAB)) {
        step = 256;
    } else {
        if (keyHeld(app, VK_MENU)) step += 4;
        if (keyHeld(app, VK_CONTROL)) step += 16;
        if (keyHeld(app, VK_SHIFT)) step += 64;
        if (step == 0) step = 1;
    }
    const int value = static_cast<int>((present >> entry->shift) & 0xFF);
    const int changed = entry->direction > 0 ? std::min(255, value + step) : std::max(0, value - step);
    const Color written = (present & ~(Color{0xFF} << entry->shift)) | (static_cast<Color>(changed) << entry->shift);
    setLevelPixel(app, app.currentLevel().image, written, false, false, kNoColor, u, v);
    return true;
}

// ctrl+Alt: brush sizes from the digit and letter keys, or with the space bar the two picked colours swap.
// These keys do not also act as the ctrl keys, so that choosing a brush never empties a level.
void brushSizeKey(AppState& app, int key) {
    int8_t& size = app.currentLevel().brushSize;
    if (key == '0') {
        size = 10;
    } else if (key >= '1' && key <= '9') {
        size = static_cast<int8_t>(key - '0');
    } else if (key >= 'A' && key <= 'Z') {
        size = static_cast<int8_t>(10 + key - 'A');
    } else if (keyHeld(app, VK_SPACE)) {
        Image& image = app.currentLevel().image;
        std::swap(image.leftColor, image.rightColor);
    }
}

void ctrlKey(AppState& app, int key) {
    Level& top = app.levels[kTopLevel];
    switch (key) {
        case 'E':
            resizeCurrentByScale(app);
            break;
        case 'H':
            issueCommand(app, kHideShowCommand);
            break;
        case 'L':
            issueCommand(app, kLevelListCommand);
            break;
        case 'U':
            saveUndo(app.levels.undoImage, app.currentLevel().image);
            break;
        case 'Z':
            resetLevel(top, app.buttons);
            top.shown = 1;
            assembleLevels(app.levels, app.view, {.wholePicture = true, .invertCurrent = currentLevelInverted(app)},
                           top.image);
            redrawNow(app);
            break;
        case 'K':
            top.shown = 1;
            setLevelName(top, "");
            emptyLevelImage(top);
            markAltered(top);
            redrawNow(app);
            break;
        default:
            break;
    }
}

// F8: the linear mapping's two ends (from255 with shift).
void adjustMapping(AppState& app, int key) {
    int32_t& value = keyHeld(app, VK_SHIFT) ? app.modes.from255 : app.modes.from0;
    switch (key) {
        case VK_PRIOR: value += 100; break;
        case VK_NEXT: value -= 100; break;
        case VK_HOME: app.modes.from0 = 0; app.modes.from255 = 255; break;
        case VK_LEFT: value -= 1; break;
        case VK_RIGHT: value += 1; break;
        case VK_UP: value += 10; break;
        case VK_DOWN: value -= 10; break;
        default: break;
    }
    redrawNow(app);
}

// F9: the bwlimit value, kept within 0..255.
void adjustBwlimit(AppState& app, int key) {
    uint16_t& limit = app.modes.bwlimit;
    switch (key) {
        case VK_HOME: limit = 128; break;
        case VK_LEFT: if (limit > 0) limit -= 1; break;
        case VK_RIGHT: if (limit < 255) limit += 1; break;
        case VK_UP: if (limit < 246) limit += 10; break;
        case VK_DOWN: if (limit > 9) limit -= 10; break;
        default: break;
    }
    redrawNow(app);
}

struct ScrollKey {
    int key;
    int request;
};
constexpr ScrollKey kScrollKeys[] = {
    {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},
    {VK_END, SB_BOTTOM},   {VK_INSERT, SB_LINEUP}, {VK_DELETE, SB_LINEDOWN},
};

struct ArrowKey {
    int key;
    int dx, dy;      // the nudge with shift
    int levelStep;  // the level chosen with L
};
constexpr ArrowKey kArrowKeys[] = {
    {VK_LEFT, -1, 0, -5}, {VK_UP, 0, -1, -1}, {VK_RIGHT, 1, 0, 5}, {VK_DOWN, 0, 1, 1},
};

// Scrolling, nudging the current level with shift, choosing another level with L.
void plainKey(AppState& app, int key) {
    for (const ScrollKey& s : kScrollKeys) {
        if (s.key != key) continue;
        const int position = scrollTo(app, SB_VERT, s.request, 0);
        app.view.moveAllY = -position;
        redrawNow(app);
        return;
    }
    for (const ArrowKey& a : kArrowKeys) {
        if (a.key != key) continue;
        if (keyHeld(app, VK_SHIFT)) {
            app.currentLevel().originX += a.dx;
            app.currentLevel().originY += a.dy;
            redrawNow(app);
        } else if (keyHeld(app, 'L')) {
            const int index = (app.levels.currentIndex + a.levelStep + kLevelCount) % kLevelCount;
            issueCommand(app, kFirstLevelCommand + index);
        }
        return;
    }
}

}  // namespace

LRESULT handleKeyMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)message;
    recordKeyMessage(app.shell, wParam, lParam);
    const int key = static_cast<int>(wParam & 0xFF);
    const bool down = (lParam & KF_TRANSITION) == 0;

    // The current level's own visibility comes back on screen as soon as P is let go.
    if (key == 'P' && !down) redrawNow(app);

    if (keyHeld(app, 'P')) {
        redrawNow(app);
    } else if (keyHeld(app, 'T')) {
        showLevelTitle(app);
    } else if (keyHeld(app, VK_F(2)) && keyHeld(app, VK_F(3))) {
        toggleRotations(app);
    } else if (keyHeld(app, VK_F(5))) {
        exchangeTransform(app);
    } else if (key == VK_F(4) || key == VK_F(8) || key == VK_F(9)) {
        previewKey(app, key, down);
    } else if (keyHeld(app, VK_F(10))) {
        releaseKey(app, VK_F(10));
        redrawNow(app);
    } else if (keyHeld(app, VK_F(11))) {
        releaseKey(app, VK_F(11));
        bool& toggle = keyHeld(app, VK_SHIFT) ? app.view.pixelGrid : app.view.currentAlone;
        toggle = !toggle;
        redrawNow(app);
    } else if (slideKey(app, key, lParam)) {
    } else if (!freshPress(lParam)) {
        // Auto-repeats and releases end here.
    } else if (colourValueKey(app, key)) {
    } else if (keyHeld(app, VK_CONTROL)) {
        if (keyHeld(app, VK_MENU)) brushSizeKey(app, key);
        else ctrlKey(app, key);
    } else if (keyHeld(app, VK_F(8))) {
        adjustMapping(app, key);
    } else if (keyHeld(app, VK_F(9))) {
        adjustBwlimit(app, key);
    } else {
        plainKey(app, key);
    }
    return 0;
}

}  // namespace vyd
