#include "qt/qt_viewer_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>

namespace vyd {

// The client area: paints the back buffer and nothing else (the viewer is painted only when the program
// asks), and takes the buffer along when its size changes.
class ViewerWindow::Surface : public QWidget {
public:
    Surface(QImage& buffer, QWidget* parent) : QWidget(parent), buffer_(buffer) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, buffer_);
    }
    void resizeEvent(QResizeEvent*) override {
        if (width() <= 0 || height() <= 0 || buffer_.size() == size()) return;
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(Qt::white);
        // What was drawn stays where it still fits.
        const int w = std::min(buffer_.width(), resized.width()), h = std::min(buffer_.height(), resized.height());
        for (int y = 0; y < h; ++y) std::copy_n(buffer_.constScanLine(y), 4 * w, resized.scanLine(y));
        buffer_ = std::move(resized);
    }

private:
    QImage& buffer_;
};

ViewerWindow::ViewerWindow(Sink send)
    : send_(std::move(send)),
      buffer_(kDefaultWidth, kDefaultHeight, QImage::Format_RGB32),
      menus_([this](int id) {
          if (!destroyed_) send_(WM_COMMAND, MAKEWPARAM(id, 0), 0);
      }),
      canvas_(new Surface(buffer_, this)) {
    buffer_.fill(Qt::white);
    setCentralWidget(canvas_);
    menuBar()->setNativeMenuBar(false);
    fitClientArea();
}

void ViewerWindow::setMenu(const std::vector<MenuItem>& menu) {
    menus_.build(menu, {});
    menus_.attach(*menuBar(), MenuBar::Main);
    fitClientArea();
}

void ViewerWindow::fitClientArea() {
    const int bar = menuBar()->actions().isEmpty() ? 0 : menuBar()->sizeHint().height();
    resize(buffer_.width(), buffer_.height() + bar);
}

void ViewerWindow::showBuffer() { canvas_->update(); }

void ViewerWindow::closeEvent(QCloseEvent* event) {
    if (destroyed_) return;
    // The procedure decides: its default processing destroys the window.
    event->ignore();
    send_(WM_CLOSE, 0, 0);
}

}  // namespace vyd
