#include "qt/qt_widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include "qt/cp1252.h"
#include "qt/qt_keys.h"

namespace vyd {

namespace {

std::vector<std::string> localFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files.push_back(toFileName(url.toLocalFile()));
    }
    return files;
}

}  // namespace

Canvas::Canvas(WindowEvents& events, const QImage& buffer, QWidget* parent)
    : QWidget(parent), events_(events), buffer_(buffer) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void Canvas::showBuffer(bool now) {
    requested_ = true;
    if (now && isVisible()) repaint();
    else update();
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
    if (buffer_.width() < width()) painter.fillRect(buffer_.width(), 0, width() - buffer_.width(), height(), Qt::white);
    if (buffer_.height() < height())
        painter.fillRect(0, buffer_.height(), std::min(width(), buffer_.width()), height() - buffer_.height(), Qt::white);
    painter.end();
    const bool requested = requested_;
    requested_ = false;
    if (!requested) events_.canvasExposed();
}

void Canvas::keyPressEvent(QKeyEvent* event) { events_.keyEvent(*event, true); }
void Canvas::keyReleaseEvent(QKeyEvent* event) { events_.keyEvent(*event, false); }

void Canvas::mousePressEvent(QMouseEvent* event) {
    if (UINT message = mouseButtonMessage(event->button(), true)) events_.mouseEvent(*event, message);
}

// The window class asks for no double clicks: a second press is a press.
void Canvas::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    if (UINT message = mouseButtonMessage(event->button(), false)) events_.mouseEvent(*event, message);
}

void Canvas::mouseMoveEvent(QMouseEvent* event) { events_.mouseEvent(*event, WM_MOUSEMOVE); }

void Canvas::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) events_.focusChanged(true);
}

void Canvas::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) events_.focusChanged(false);
}

ClientFrame::ClientFrame(WindowEvents& events, const QImage& buffer, QWidget* parent)
    : QWidget(parent),
      events_(events),
      canvas_(new Canvas(events, buffer, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
    for (QScrollBar* scrollBar : {horizontal_, vertical_}) {
        scrollBar->setFocusPolicy(Qt::NoFocus);
        scrollBar->setRange(0, 0);
        scrollBar->hide();
    }
    connect(horizontal_, &QScrollBar::actionTriggered, this, [this](int action) { events_.scrollAction(SB_HORZ, action); });
    connect(vertical_, &QScrollBar::actionTriggered, this, [this](int action) { events_.scrollAction(SB_VERT, action); });
    connect(horizontal_, &QScrollBar::sliderReleased, this, [this] { events_.scrollAction(SB_HORZ, -1); });
    connect(vertical_, &QScrollBar::sliderReleased, this, [this] { events_.scrollAction(SB_VERT, -1); });
}

void ClientFrame::layoutChildren() {
    const int barV = vertical_->isVisibleTo(this) ? kBarThickness : 0;
    const int barH = horizontal_->isVisibleTo(this) ? kBarThickness : 0;
    const int w = std::max(0, width() - barV), h = std::max(0, height() - barH);
    canvas_->setGeometry(0, 0, w, h);
    vertical_->setGeometry(w, 0, kBarThickness, h);
    horizontal_->setGeometry(0, h, w, kBarThickness);
}

void ClientFrame::resizeEvent(QResizeEvent*) {
    layoutChildren();
    events_.frameResized();
}

MainWindow::MainWindow(WindowEvents& events) : events_(events) { setAcceptDrops(true); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (destroyed_) {
        event->accept();
        return;
    }
    // The program decides: WM_CLOSE asks about altered levels and destroys the window itself.
    event->ignore();
    events_.closeRequested();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) events_.windowStateChanged();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    events_.frameResized();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (events_.acceptsDrops() && !localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (events_.acceptsDrops() && !localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> files = localFiles(event->mimeData());
    if (!events_.acceptsDrops() || files.empty()) return;
    event->acceptProposedAction();
    events_.filesDropped(std::move(files));
}

}  // namespace vyd
