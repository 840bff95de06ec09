// The one interface through which the logic reaches the window system. Two implementations exist:
// the headless one (scripts, tests) and the Qt one (the editor window).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"
#include "platform_api/device_context.h"
#include "platform_api/dialog.h"
#include "platform_api/win32.h"

namespace vyd {

enum class Owner { Main, Viewer, None };
enum class MenuBar { None, Main, Null };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct FileFilter {
    std::string description;
    std::string pattern;
};

struct FileChooserRequest {
    bool forSaving = false;
    std::string title;                 // the prompt
    std::vector<FileFilter> filters;
    int filterIndex = 0;               // 1-based preselected filter, 0 = none
    std::string initialName;           // the last file title
    uint32_t flags = 0;                // OFN_OVERWRITEPROMPT or OFN_FILEMUSTEXIST
};

// A menu item as the menu description holds it; popups hold items, separators have id 0 and empty text.
struct MenuItem {
    int id = 0;
    std::string text;
    bool separator = false;
    bool checked = false;
    std::vector<MenuItem> items;  // non-empty for a popup
};

using WindowProcedure = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

// The system cursor is 32 x 32 pixels; a cursor is built from an AND plane and an XOR plane.
inline constexpr int kCursorSize = 32;

class Platform {
public:
    virtual ~Platform() = default;

    // The main window
    virtual void setWindowProcedure(WindowProcedure procedure) = 0;
    // Creates the main window (sending WM_CREATE, then the first WM_SIZE) and shows it.
    virtual bool createMainWindow(const std::string& title) = 0;
    virtual void destroyMainWindow() = 0;  // sends WM_DESTROY
    virtual void setTitle(const std::string& title) = 0;
    virtual std::string title() const = 0;
    virtual Rect clientRect() const = 0;  // (0, 0, width, height)
    virtual Rect windowRect() const = 0;  // outer frame in screen coordinates
    virtual Rect normalPlacement() const = 0;
    virtual void setWindowPos(int x, int y, int width, int height) = 0;
    virtual bool isMinimized() const = 0;
    virtual int systemMetric(int index) const = 0;
    virtual void invalidate() = 0;
    virtual void validate() = 0;
    virtual bool hasUpdateRegion() const = 0;
    // Delivers WM_PAINT at once when the window is invalid.
    virtual void updateWindow() = 0;
    // Sends a message to the main window procedure synchronously.
    virtual LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // DefWindowProc: WM_CLOSE destroys the window; everything else does nothing.
    virtual LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postQuit(int code) = 0;
    virtual void setFocusToMain() = 0;
    // The back buffer the main window shows.
    virtual DeviceContext& deviceContext() = 0;
    // Drawing outside a repaint (pixel feedback) reaches the screen promptly.
    virtual void flushDrawing() = 0;

    // Menus: the main menu is built from the description once; the null menu holds one inactive item.
    virtual void setMenus(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) = 0;
    virtual void attachMenu(MenuBar which) = 0;
    virtual MenuBar attachedMenu() const = 0;
    virtual void drawMenuBar() = 0;
    virtual int menuItemCount(int popup) const = 0;
    virtual void appendMenuItem(int popup, int id, const std::string& text) = 0;
    virtual void enableMenuItemByPosition(int popup, int position, bool enabled) = 0;
    virtual void checkMenuItem(int id, bool checked) = 0;

    // Scroll bars (bar SB_HORZ or SB_VERT)
    virtual void showScrollBar(int bar, bool shown) = 0;
    virtual bool scrollBarShown(int bar) const = 0;
    virtual void setScrollRange(int bar, int minimum, int maximum, bool redraw) = 0;
    virtual void scrollRange(int bar, int& minimum, int& maximum) const = 0;
    virtual void setScrollPos(int bar, int position, bool redraw) = 0;
    virtual int scrollPos(int bar) const = 0;

    // Boxes and choosers
    virtual int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) = 0;
    virtual void runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) = 0;
    // Returns the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> chooseFile(const FileChooserRequest& request) = 0;
    // The initial and chosen colours are colour values (blue in the low byte); the sixteen custom colours are
    // handed over as the chooser keeps them (red in the low byte) and may be changed by it. Nothing on cancel.
    virtual std::optional<Color> chooseColor(Color initial, std::array<Color, 16>& customColors) = 0;
    virtual void beep() = 0;

    // Clipboard
    virtual bool openClipboard() = 0;
    virtual void closeClipboard() = 0;
    virtual void emptyClipboard() = 0;
    virtual std::vector<UINT> clipboardFormats() = 0;
    // The clipboard's bitmap as a device-independent bitmap of its own depth (header.biBitCount 1, 4, 8, 16,
    // 24 or 32, header.biPlanes, the palette for depths up to 8, mode equal to the depth), or nothing.
    virtual std::optional<Image> clipboardBitmap() = 0;
    virtual bool putClipboardBitmap(const Image& image) = 0;

    // The clipboard viewer: a second top-level window with a procedure, a menu bar and a back buffer of its
    // own. The logic paints it only when it asks (repaintViewer); uncovering it shows the back buffer again.
    // Creates and shows it, sending WM_CREATE to its procedure; false when it cannot be made.
    virtual bool createViewerWindow(const std::string& title, WindowProcedure procedure) = 0;
    virtual bool viewerExists() const = 0;
    // Closes it: WM_DESTROY reaches its procedure, then the window is gone. Closing it by its frame sends
    // WM_CLOSE to the procedure, whose default processing calls this.
    virtual void destroyViewerWindow() = 0;
    virtual void setViewerMenu(const std::vector<MenuItem>& menu) = 0;
    virtual void setViewerTitle(const std::string& title) = 0;
    virtual std::string viewerTitle() const = 0;
    virtual DeviceContext& viewerDeviceContext() = 0;
    // Delivers WM_PAINT to the viewer's procedure at once.
    virtual void repaintViewer() = 0;
    // The viewer's default processing: WM_CLOSE destroys it; everything else does nothing.
    virtual LRESULT viewerDefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void bringToTop(Owner window) = 0;

    // Cursors
    virtual void setArrowCursor() = 0;
    virtual void setBrushCursor(const std::vector<uint8_t>& andPlane, const std::vector<uint8_t>& xorPlane) = 0;

    // Time and keys for long operations
    virtual uint32_t tickCount() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    // Takes the next pending key message, if any (PeekMessage with PM_REMOVE over the key messages).
    virtual bool peekKeyMessage(UINT& message, WPARAM& wParam, LPARAM& lParam) = 0;

    // Dropped files: the window accepts drops only while enabled; WM_DROPFILES then asks for the names.
    virtual void acceptFiles(bool accept) = 0;
    virtual std::vector<std::string> droppedFiles() const = 0;
    virtual void finishDrop() = 0;

    // The shell
    virtual void shellOpen(const std::string& program, const std::string& parameter) = 0;
    virtual void openHelp(const std::string& file) = 0;
};

}  // namespace vyd
