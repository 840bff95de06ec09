// The widgets of the main window: the window itself, the client frame holding the canvas and the two
// scroll bars, and the canvas that shows the back buffer. They report what happens to a WindowEvents
// sink (the platform), which turns it into window messages.
#pragma once

#include <QMainWindow>
#include <QScrollBar>
#include <QWidget>
#include <string>
#include <vector>

#include "platform_api/win32.h"

namespace vyd {

class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void keyEvent(QKeyEvent& event, bool down) = 0;
    virtual void mouseEvent(QMouseEvent& event, UINT message) = 0;
    virtual void focusChanged(bool gained) = 0;
    // The canvas was painted without the platform asking: the window was exposed.
    virtual void canvasExposed() = 0;
    virtual void frameResized() = 0;
    virtual void windowStateChanged() = 0;
    virtual void closeRequested() = 0;
    virtual bool acceptsDrops() const = 0;
    virtual void filesDropped(std::vector<std::string> files) = 0;
    virtual void scrollAction(int bar, int action) = 0;
};

// Shows the back buffer at its top-left corner, white beyond it.
class Canvas : public QWidget {
public:
    Canvas(WindowEvents& events, const QImage& buffer, QWidget* parent);
    // Repaints from the buffer: at once (now) or at the next chance.
    void showBuffer(bool now);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab is a key like any other

private:
    WindowEvents& events_;
    const QImage& buffer_;
    bool requested_ = false;
};

// The client area and its scroll bars, laid out by hand so that each shown bar takes exactly 16 pixels.
class ClientFrame : public QWidget {
public:
    static constexpr int kBarThickness = 16;
    ClientFrame(WindowEvents& events, const QImage& buffer, QWidget* parent);
    Canvas* canvas() const { return canvas_; }
    QScrollBar* bar(int which) const { return which == SB_HORZ ? horizontal_ : vertical_; }
    void layoutChildren();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    WindowEvents& events_;
    Canvas* canvas_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
};

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(WindowEvents& events);
    // After the window is destroyed it closes without asking.
    void setDestroyed() { destroyed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    WindowEvents& events_;
    bool destroyed_ = false;
};

}  // namespace vyd
