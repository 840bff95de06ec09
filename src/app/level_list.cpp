#include "app/level_list.h"

#include <utility>

#include "app/commands_view.h"
#include "app/level_menu_items.h"
#include "app/level_titles.h"
#include "compose/geometry.h"
#include "compose/numeric.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr int kLineHeight = 16;

// Origins show as the 16-bit integers they are drawn at.
int origin16(double value) { return low16(truncToInt32(value)); }

// One line of the list: number, then for a level with a picture its file, format, placement and
// transparent colour, then whether it is hidden.
std::string levelLine(const AppState& app, int i) {
    const Level& level = app.levels[i];
    std::string line = formatText("%2d: ", i);
    const Image& image = level.image;
    if (image.hasPixels()) {
        line += formatText("%s, %d:%d bpp, %ld*%ld, at{%d,%d}, %d\xB0, ", displayName(app.files, level.name).c_str(),
                           image.mode, image.bitCount(), static_cast<long>(image.width()),
                           static_cast<long>(image.height()), origin16(level.originX), origin16(level.originY),
                           truncToInt32(rotationDegrees(level)));
        line += level.scaleX == level.scaleY ? formatText("scale %g", level.scaleX)
                                             : formatText("scale(%g,%g)", level.scaleX, level.scaleY);
        line += formatText(", bkgr=0x%08lx", static_cast<unsigned long>(image.leftColor));
    }
    if (!level.shown) line += "(hidden)";
    return line;
}

void paintList(AppState& app) {
    Platform& ui = app.ui();
    ui.validate();
    setWindowTitle(app);
    DeviceContext& dc = ui.deviceContext();
    dc.fillWhite();
    checkCurrentLevelItem(app);
    for (int i = 0; i < kLevelCount; ++i) {
        dc.textOut(0, kLineHeight * (i + 1), levelLine(app, i), {},
                   i == app.levels.currentIndex ? kTextRed : kTextBlack);
    }
    dc.textOut(0, 0, "CURRENT IMAGES (#0 is the background)");
    dc.textOut(0, 272,
               "(D = dialog box, F = on/off fullname, H = hide/show, right drag to move entries, left click to "
               "choose current)");
}

// The row under a pointer height: row i covers y from 16 (i + 1) to 16 (i + 2) - 1; above the first
// line it is negative.
int rowAt(double y) { return truncToInt32(y) / kLineHeight - 1; }

void storePointer(AppState& app, LPARAM lParam) {
    app.shell.listPointerX = GET_X_LPARAM(lParam);
    app.shell.listPointerY = GET_Y_LPARAM(lParam);
}

// A right-button drag that reached the next row up or down takes its level record along, one row at a
// time; level 0 neither moves nor is moved onto.
void dragStep(AppState& app) {
    const int r = rowAt(app.shell.listPointerY);
    const int s = app.shell.dragRow;
    const bool down = r >= 2 && r <= 15 && r == s + 1;
    const bool up = r >= 1 && r <= 14 && r == s - 1;
    if (!down && !up) return;
    std::swap(app.levels[r], app.levels[s]);
    if (app.levels.currentIndex == s) app.levels.currentIndex = r;
    app.shell.dragRow = static_cast<uint8_t>(r);
    app.ui().invalidate();
}

// The list's keys; false for a key the list leaves to the information-screen dispatch.
bool listKey(AppState& app, WPARAM key) {
    int& current = app.levels.currentIndex;
    switch (key) {
        case VK_LEFT: current = (current + kLevelCount - 5) % kLevelCount; break;
        case VK_UP: current = (current + kLevelCount - 1) % kLevelCount; break;
        case VK_RIGHT: current = (current + 5) % kLevelCount; break;
        case VK_DOWN: current = (current + 1) % kLevelCount; break;
        case 'D': showLevelDetails(app); break;
        case 'F': app.files.showPaths = !app.files.showPaths; break;
        case 'H': app.currentLevel().shown = !app.currentLevel().shown; break;
        default: return false;
    }
    app.ui().invalidate();
    return true;
}

}  // namespace

LRESULT levelListMessage(AppState& app, UINT message, WPARAM wParam, LPARAM lParam, bool& consumed) {
    consumed = true;
    switch (message) {
        case WM_PAINT:
            paintList(app);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            app.shell.keyState[wParam & 0xFF] = 0xFF;
            consumed = listKey(app, wParam);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            app.shell.keyState[wParam & 0xFF] = 0;
            consumed = false;
            break;
        case WM_MOUSEMOVE:
            storePointer(app, lParam);
            if (wParam & MK_RBUTTON) dragStep(app);
            break;
        case WM_LBUTTONDOWN: {
            const int row = rowAt(app.shell.listPointerY);
            if (row >= 0 && row < kLevelCount) {
                app.levels.currentIndex = row;
                app.ui().invalidate();
            }
            break;
        }
        case WM_RBUTTONDOWN:
            storePointer(app, lParam);
            app.shell.dragRow = static_cast<uint8_t>(rowAt(app.shell.listPointerY));
            app.ui().invalidate();
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            app.shell.dragRow = 0;
            break;
        default:
            consumed = false;
            break;
    }
    return 0;
}

Ending commandShowLevelInfo(AppState& app, int) {
    const Level& level = app.currentLevel();
    app.ui().messageBox(Owner::Main,
                        formatText("origin = (%d,%d), scale = (%5g,%5g), angle=%5g deg", origin16(level.originX),
                                   origin16(level.originY), level.scaleX, level.scaleY, rotationDegrees(level)),
                        "info about current level", MB_OK);
    return Ending::Plain;
}

}  // namespace vyd
