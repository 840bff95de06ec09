// The clipboard viewer's window: a top-level window with its own menu bar and a back buffer of its own,
// which it shows as it is. Its menu items and its close button become messages through `send`.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>

#include "platform_api/platform.h"
#include "qt/qt_device_context.h"
#include "qt/qt_menus.h"

namespace vyd {

class ViewerWindow : public QMainWindow {
public:
    // The client area of a window of default size.
    static constexpr int kDefaultWidth = 640, kDefaultHeight = 480;
    using Sink = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit ViewerWindow(Sink send);
    DeviceContext& deviceContext() { return dc_; }
    const QImage& backBuffer() const { return buffer_; }
    QWidget& canvas() const { return *canvas_; }
    void setMenu(const std::vector<MenuItem>& menu);
    // Sizes the window so that the client area below the menu bar keeps the back buffer's size (the
    // default size at first).
    void fitClientArea();
    // Shows the back buffer again.
    void showBuffer();
    // After the window is destroyed nothing it does reaches `send`, and it closes without asking.
    void setDestroyed() { destroyed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Surface;

    Sink send_;
    QImage buffer_;
    QtDeviceContext dc_{buffer_};
    MenuBarModel menus_;
    QWidget* canvas_;  // a Surface
    bool destroyed_ = false;
};

}  // namespace vyd
