// A decorator around any platform that writes what the user would have seen as transcript lines:
// message boxes, titles, menu bars, choosers, dialogs, colour choosers, beeps, shell and help calls,
// clipboard bitmaps and the quit code.
#pragma once

#include <ostream>

#include "platform_api/platform.h"

namespace vyd {

class RecordingPlatform : public Platform {
public:
    RecordingPlatform(Platform& inner, std::ostream& out) : inner_(inner), out_(out) {}

    void setWindowProcedure(WindowProcedure procedure) override { inner_.setWindowProcedure(std::move(procedure)); }
    bool createMainWindow(const std::string& title) override;
    void destroyMainWindow() override { inner_.destroyMainWindow(); }
    void setTitle(const std::string& title) override;
    std::string title() const override { return inner_.title(); }
    Rect clientRect() const override { return inner_.clientRect(); }
    Rect windowRect() const override { return inner_.windowRect(); }
    Rect normalPlacement() const override { return inner_.normalPlacement(); }
    void setWindowPos(int x, int y, int w, int h) override { inner_.setWindowPos(x, y, w, h); }
    bool isMinimized() const override { return inner_.isMinimized(); }
    int systemMetric(int index) const override { return inner_.systemMetric(index); }
    void invalidate() override { inner_.invalidate(); }
    void validate() override { inner_.validate(); }
    bool hasUpdateRegion() const override { return inner_.hasUpdateRegion(); }
    void updateWindow() override { inner_.updateWindow(); }
    LRESULT sendMessage(UINT m, WPARAM w, LPARAM l) override { return inner_.sendMessage(m, w, l); }
    LRESULT defaultProcedure(UINT m, WPARAM w, LPARAM l) override { return inner_.defaultProcedure(m, w, l); }
    void postQuit(int code) override;
    void setFocusToMain() override { inner_.setFocusToMain(); }
    DeviceContext& deviceContext() override { return inner_.deviceContext(); }
    void flushDrawing() override { inner_.flushDrawing(); }

    void setMenus(const std::vector<MenuItem>& m, const std::vector<MenuItem>& n) override { inner_.setMenus(m, n); }
    void attachMenu(MenuBar which) override;
    MenuBar attachedMenu() const override { return inner_.attachedMenu(); }
    void drawMenuBar() override { inner_.drawMenuBar(); }
    int menuItemCount(int popup) const override { return inner_.menuItemCount(popup); }
    void appendMenuItem(int p, int id, const std::string& t) override { inner_.appendMenuItem(p, id, t); }
    void enableMenuItemByPosition(int p, int pos, bool e) override { inner_.enableMenuItemByPosition(p, pos, e); }
    void checkMenuItem(int id, bool c) override { inner_.checkMenuItem(id, c); }

    void showScrollBar(int bar, bool shown) override { inner_.showScrollBar(bar, shown); }
    bool scrollBarShown(int bar) const override { return inner_.scrollBarShown(bar); }
    void setScrollRange(int b, int mn, int mx, bool r) override { inner_.setScrollRange(b, mn, mx, r); }
    void scrollRange(int b, int& mn, int& mx) const override { inner_.scrollRange(b, mn, mx); }
    void setScrollPos(int b, int p, bool r) override { inner_.setScrollPos(b, p, r); }
    int scrollPos(int bar) const override { return inner_.scrollPos(bar); }

    int messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) override;
    void runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) override;
    std::optional<std::string> chooseFile(const FileChooserRequest& request) override;
    std::optional<Color> chooseColor(Color initial, std::array<Color, 16>& customColors) override;
    void beep() override;

    bool openClipboard() override { return inner_.openClipboard(); }
    void closeClipboard() override { inner_.closeClipboard(); }
    void emptyClipboard() override { inner_.emptyClipboard(); }
    std::vector<UINT> clipboardFormats() override { return inner_.clipboardFormats(); }
    std::optional<Image> clipboardBitmap() override { return inner_.clipboardBitmap(); }
    bool putClipboardBitmap(const Image& image) override;

    bool createViewerWindow(const std::string& t, WindowProcedure p) override { return inner_.createViewerWindow(t, std::move(p)); }
    bool viewerExists() const override { return inner_.viewerExists(); }
    void destroyViewerWindow() override { inner_.destroyViewerWindow(); }
    void setViewerMenu(const std::vector<MenuItem>& menu) override { inner_.setViewerMenu(menu); }
    void setViewerTitle(const std::string& title) override { inner_.setViewerTitle(title); }
    std::string viewerTitle() const override { return inner_.viewerTitle(); }
    DeviceContext& viewerDeviceContext() override { return inner_.viewerDeviceContext(); }
    void repaintViewer() override { inner_.repaintViewer(); }
    LRESULT viewerDefaultProcedure(UINT m, WPARAM w, LPARAM l) override { return inner_.viewerDefaultProcedure(m, w, l); }
    void bringToTop(Owner window) override { inner_.bringToTop(window); }

    void setArrowCursor() override { inner_.setArrowCursor(); }
    void setBrushCursor(const std::vector<uint8_t>& a, const std::vector<uint8_t>& x) override { inner_.setBrushCursor(a, x); }
    uint32_t tickCount() override { return inner_.tickCount(); }
    void sleepMs(uint32_t ms) override { inner_.sleepMs(ms); }
    bool peekKeyMessage(UINT& m, WPARAM& w, LPARAM& l) override { return inner_.peekKeyMessage(m, w, l); }
    void acceptFiles(bool accept) override { inner_.acceptFiles(accept); }
    std::vector<std::string> droppedFiles() const override { return inner_.droppedFiles(); }
    void finishDrop() override { inner_.finishDrop(); }
    void shellOpen(const std::string& program, const std::string& parameter) override;
    void openHelp(const std::string& file) override;

private:
    Platform& inner_;
    std::ostream& out_;
    MenuBar recordedMenu_ = MenuBar::None;
    std::string recordedTitle_;
    bool titleRecorded_ = false;
};

}  // namespace vyd
