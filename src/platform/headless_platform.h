// The platform without a display: a virtual 1280 x 1024 screen with a maximised main window, answers to
// boxes, choosers and dialogs queued in advance (by a script), a virtual clock and an in-memory clipboard.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/raster_device_context.h"
#include "platform_api/platform.h"

namespace vyd {

// A box, chooser or dialog came up with no answer queued for it.
class UnansweredError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DialogAnswer {
    bool accept = true;
    std::vector<std::pair<int, std::string>> fields;  // edit fields set before the button is pressed
};

class HeadlessPlatform : public Platform {
public:
    static constexpr int kScreenWidth = 1280;
    static constexpr int kScreenHeight = 1024;
    // The frame around the client area: 8 pixels wide and 46 high in all, scroll bars 16 thick.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 46;
    static constexpr int kBarThickness = 16;

    HeadlessPlatform();

    // Queued answers
    void queueMessageBoxAnswer(int answer) { boxAnswers_.push_back(answer); }
    void queueChooserAnswer(std::optional<std::string> path) { chooserAnswers_.push_back(std::move(path)); }
    void queueDialogAnswer(DialogAnswer answer) { dialogAnswers_.push_back(std::move(answer)); }
    void queueColourAnswer(std::optional<Color> colour) { colourAnswers_.push_back(colour); }
    void setDroppedFiles(std::vector<std::string> files) { dropped_ = std::move(files); }
    void setClientSize(int width, int height);
    void queueKeyMessage(UINT message, WPARAM wParam, LPARAM lParam) { keys_.push_back({message, wParam, lParam}); }
    void advanceClock(uint32_t ms) { clock_ += ms; }
    bool quitPosted() const { return quitPosted_; }
    int quitCode() const { return quitCode_; }
    bool invalid() const { return invalid_; }
    bool accepting() const { return acceptingFiles_; }
    const RasterDeviceContext& backBuffer() const { return dc_; }
    // Clipboard content for scripts. The clipboard holds a picture as a desktop clipboard would: as a bitmap
    // of the depth its mode has in a file (as putClipboardBitmap does); false when that cannot be made.
    bool setClipboardImage(std::optional<Image> image);
    void setClipboardText(std::string text);
    // Menu inspection
    bool menuItemEnabledAt(int popup, int position) const;
    bool menuItemChecked(int id) const;
    std::string menuItemText(int popup, int position) const;

    // Platform
    void setWindowProcedure(WindowProcedure procedure) override { procedure_ = std::move(procedure); }
    bool createMainWindow(const std::string& title) override;
    void destroyMainWindow() override;
    void setTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
    Rect clientRect() const override;
    Rect windowRect() const override { return window_; }
    Rect normalPlacement() const override { return window_; }
    void setWindowPos(int x, int y, int width, int height) override;
    bool isMinimized() const override { return false; }
    int systemMetric(int index) const override;
    void invalidate() override { invalid_ = true; }
    void validate() override { invalid_ = false; }
    bool hasUpdateRegion() const override { return invalid_; }
    void updateWindow() override;
    LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void postQuit(int code) override;
    void setFocusToMain() override {}
    DeviceContext& deviceContext() override { return dc_; }
    void flushDrawing() override {}

    void setMenus(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) override;
    void attachMenu(MenuBar which) override { attached_ = which; }
    MenuBar attachedMenu() const override { return attached_; }
    void drawMenuBar() override {}
    int menuItemCount(int popup) const override;
    void appendMenuItem(int popup, int id, const std::string& text) override;
    void enableMenuItemByPosition(int popup, int position, bool enabled) override;
    void checkMenuItem(int id, bool checked) override;

    void showScrollBar(int bar, bool shown) override;
    bool scrollBarShown(int bar) const override { return bars_[bar & 1].shown; }
    void setScrollRange(int bar, int minimum, int maximum, bool redraw) override;
    void scrollRange(int bar, int& minimum, int& maximum) const override;
    void setScrollPos(int bar, int position, bool redraw) override;
    int scrollPos(int bar) const override { return bars_[bar & 1].position; }

    int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) override;
    void runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) override;
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override;
    std::optional<Color> chooseColor(Color initial, std::array<Color, 16>& customColors) override;
    void beep() override {}

    bool openClipboard() override { return true; }
    void closeClipboard() override {}
    void emptyClipboard() override;
    std::vector<UINT> clipboardFormats() override { return clipboardFormats_; }
    std::optional<Image> clipboardBitmap() override;
    bool putClipboardBitmap(const Image& image) override;

    bool createViewerWindow(const std::string& title, WindowProcedure procedure) override;
    bool viewerExists() const override { return static_cast<bool>(viewerProcedure_); }
    void destroyViewerWindow() override;
    void setViewerMenu(const std::vector<MenuItem>& menu) override { viewerMenu_ = menu; }
    void setViewerTitle(const std::string& title) override { viewerTitle_ = title; }
    std::string viewerTitle() const override { return viewerTitle_; }
    DeviceContext& viewerDeviceContext() override { return viewerDc_; }
    void repaintViewer() override;
    LRESULT viewerDefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void bringToTop(Owner window) override { top_ = window; }
    // Viewer inspection
    const RasterDeviceContext& viewerBuffer() const { return viewerDc_; }
    const std::vector<MenuItem>& viewerMenu() const { return viewerMenu_; }
    Owner topWindow() const { return top_; }
    // Sends a message to the viewer's procedure, as its frame or menu would.
    LRESULT sendViewerMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void setArrowCursor() override {}
    void setBrushCursor(const std::vector<uint8_t>&, const std::vector<uint8_t>&) override {}

    uint32_t tickCount() override { return clock_; }
    void sleepMs(uint32_t ms) override { clock_ += ms; }
    bool peekKeyMessage(UINT& message, WPARAM& wParam, LPARAM& lParam) override;

    void acceptFiles(bool accept) override { acceptingFiles_ = accept; }
    std::vector<std::string> droppedFiles() const override { return dropped_; }
    void finishDrop() override { dropped_.clear(); }

    void shellOpen(const std::string&, const std::string&) override {}
    void openHelp(const std::string&) override {}

private:
    struct Bar {
        bool shown = false;
        int minimum = 0, maximum = 0, position = 0;
    };
    struct KeyMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    struct ItemState {
        bool enabled = true;
    };
    void resizeBackBuffer();
    const std::vector<MenuItem>* popupItems(int popup) const;

    WindowProcedure procedure_;
    std::string title_;
    Rect window_{0, 0, kScreenWidth, kScreenHeight};
    bool created_ = false;
    bool invalid_ = false;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    bool acceptingFiles_ = false;
    uint32_t clock_ = 0;
    RasterDeviceContext dc_;
    Bar bars_[2];
    std::vector<MenuItem> mainMenu_, nullMenu_;
    std::map<std::pair<int, int>, bool> enabledByPosition_;
    MenuBar attached_ = MenuBar::None;
    std::deque<int> boxAnswers_;
    std::deque<std::optional<std::string>> chooserAnswers_;
    std::deque<DialogAnswer> dialogAnswers_;
    std::deque<std::optional<Color>> colourAnswers_;
    std::deque<KeyMessage> keys_;
    std::vector<std::string> dropped_;
    std::optional<Image> clipboardImage_;
    std::vector<UINT> clipboardFormats_;
    // The viewer is 640 x 480 inside its frame, where a default-sized window of the virtual screen would be.
    static constexpr int kViewerWidth = 640, kViewerHeight = 480;
    WindowProcedure viewerProcedure_;
    std::vector<MenuItem> viewerMenu_;
    std::string viewerTitle_;
    RasterDeviceContext viewerDc_;
    Owner top_ = Owner::Main;
};

}  // namespace vyd
