// The platform on Qt 6 Widgets: the maximised main window with its menu bar, scroll bars and a canvas
// showing the client-sized back buffer, modal boxes and choosers, the desktop clipboard, cursors, the
// clock, the key poll of long operations, the shell and the help page. Every user action becomes the
// window message the main window procedure expects.
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>

#include "platform_api/platform.h"
#include "qt/qt_device_context.h"
#include "qt/qt_keys.h"
#include "qt/qt_menus.h"
#include "qt/qt_viewer_window.h"
#include "qt/qt_widgets.h"

namespace vyd {

// The help page to open for FILE (named): named itself when it is an existing HTML page, else the first
// docs/help.html or help.html found in the working folder, the editor's folder, its parent, or the share/doc/vyd
// folder of the prefix the editor is installed in. Empty when there is none.
QString findHelpPage(const QString& named, const QString& currentDir, const QString& appDir);

class QtPlatform : public Platform, private WindowEvents {
public:
    // The modelled window frame: 8 pixels wide and 46 high around the client area, bars 16 thick.
    static constexpr int kFrameWidth = 8;
    static constexpr int kFrameHeight = 46;
    static constexpr int kBarThickness = ClientFrame::kBarThickness;
    // The handle a WM_DROPFILES carries; the names come from droppedFiles().
    static constexpr WPARAM kDropHandle = 1;

    QtPlatform();  // needs a QApplication
    ~QtPlatform() override;

    // Whether the program asked to quit, and with which code (also when no event loop was running).
    bool quitRequested() const { return quitRequested_; }
    int exitCode() const { return exitCode_; }

    // The widgets, for main() and tests.
    MainWindow& window() const { return *window_; }
    Canvas& canvas() const { return *frame_->canvas(); }
    QScrollBar& scrollBar(int bar) const { return *frame_->bar(bar); }
    const QImage& backBuffer() const { return buffer_; }
    const MenuBarModel& menus() const { return menus_; }

    // Platform
    void setWindowProcedure(WindowProcedure procedure) override { procedure_ = std::move(procedure); }
    bool createMainWindow(const std::string& title) override;
    void destroyMainWindow() override;
    void setTitle(const std::string& title) override;
    std::string title() const override { return title_; }
    Rect clientRect() const override;
    Rect windowRect() const override { return outer_; }
    Rect normalPlacement() const override;
    void setWindowPos(int x, int y, int width, int height) override;
    bool isMinimized() const override;
    int systemMetric(int index) const override;
    void invalidate() override;
    void validate() override { invalid_ = false; }
    bool hasUpdateRegion() const override { return invalid_; }
    void updateWindow() override;
    LRESULT sendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void postQuit(int code) override;
    void setFocusToMain() override;
    DeviceContext& deviceContext() override { return dc_; }
    void flushDrawing() override;

    void setMenus(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) override;
    void attachMenu(MenuBar which) override;
    MenuBar attachedMenu() const override { return menus_.attached(); }
    void drawMenuBar() override {}
    int menuItemCount(int popup) const override { return menus_.itemCount(popup); }
    void appendMenuItem(int popup, int id, const std::string& text) override { menus_.append(popup, id, text); }
    void enableMenuItemByPosition(int popup, int position, bool enabled) override;
    void checkMenuItem(int id, bool checked) override { menus_.check(id, checked); }

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
    void beep() override;

    bool openClipboard() override { return true; }
    void closeClipboard() override {}
    void emptyClipboard() override;
    std::vector<UINT> clipboardFormats() override;
    std::optional<Image> clipboardBitmap() override;
    bool putClipboardBitmap(const Image& image) override;

    bool createViewerWindow(const std::string& title, WindowProcedure procedure) override;
    bool viewerExists() const override { return viewer_ != nullptr; }
    void destroyViewerWindow() override;
    void setViewerMenu(const std::vector<MenuItem>& menu) override;
    void setViewerTitle(const std::string& title) override;
    std::string viewerTitle() const override { return viewer_ ? viewerTitle_ : std::string(); }
    DeviceContext& viewerDeviceContext() override { return viewer_ ? viewer_->deviceContext() : noViewerDc_; }
    void repaintViewer() override;
    LRESULT viewerDefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
    void bringToTop(Owner window) override;
    // The viewer's window while it exists, for tests.
    ViewerWindow* viewerWindow() const { return viewer_; }

    void setArrowCursor() override;
    void setBrushCursor(const std::vector<uint8_t>& andPlane, const std::vector<uint8_t>& xorPlane) override;

    uint32_t tickCount() override;
    void sleepMs(uint32_t ms) override;
    bool peekKeyMessage(UINT& message, WPARAM& wParam, LPARAM& lParam) override;

    void acceptFiles(bool accept) override { acceptingFiles_ = accept; }
    std::vector<std::string> droppedFiles() const override { return dropped_; }
    void finishDrop() override { dropped_.clear(); }

    void shellOpen(const std::string& program, const std::string& parameter) override;
    void openHelp(const std::string& file) override;

private:
    struct Bar {
        bool shown = false;
        int minimum = 0, maximum = 0, position = 0;
    };
    class PeekFilter;

    // WindowEvents
    void keyEvent(QKeyEvent& event, bool down) override;
    void mouseEvent(QMouseEvent& event, UINT message) override;
    void focusChanged(bool gained) override;
    void canvasExposed() override;
    void frameResized() override;
    void windowStateChanged() override;
    void closeRequested() override;
    bool acceptsDrops() const override;
    void filesDropped(std::vector<std::string> files) override;
    void scrollAction(int bar, int action) override;

    bool live() const { return created_ && !destroyed_; }
    void resizeBuffer();
    void sendSize();
    void showBar(int bar);
    void deliverPaint(bool now);
    void deliverPending();
    bool filterDuringPeek(QObject* target, QEvent* event);
    bool belongsToWindow(QObject* target) const;

    WindowProcedure procedure_;
    QImage buffer_;
    QtDeviceContext dc_{buffer_};
    MenuBarModel menus_;
    std::unique_ptr<MainWindow> window_;
    ClientFrame* frame_ = nullptr;
    std::unique_ptr<PeekFilter> peekFilter_;
    QTimer pendingTimer_;  // delivers what waits for an idle message loop: paint, drop, keys left from a poll

    std::string title_;
    Rect outer_;
    std::optional<Rect> lastRequest_;
    std::optional<Rect> answerToRequest_;
    bool created_ = false, destroyed_ = false;
    bool invalid_ = false;
    bool wasMinimized_ = false;
    Bar bars_[2];
    bool acceptingFiles_ = false;
    std::vector<std::string> dropped_;
    std::optional<std::vector<std::string>> pendingDrop_;
    std::deque<KeyMessage> keys_;
    int peekDepth_ = 0;
    bool quitRequested_ = false;
    int exitCode_ = 0;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastFlush_{};

    // The viewer: its window while it exists (the widget is deleted once control is back in the event
    // loop, as destroying may come from its own close button or menu), and where drawing goes without it.
    WindowProcedure viewerProcedure_;
    ViewerWindow* viewer_ = nullptr;
    QPointer<ViewerWindow> dyingViewer_;
    std::string viewerTitle_;
    QImage noViewerBuffer_;
    QtDeviceContext noViewerDc_{noViewerBuffer_};
};

}  // namespace vyd
