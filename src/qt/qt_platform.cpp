#include "qt/qt_platform.h"

#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>

#include "qt/cp1252.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_dialogs.h"

namespace vyd {

namespace {

bool sameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

QString titleText(const std::string& bytes) { return displayText(bytes).replace("[*]", "[*][*]"); }

// How often drawing outside a repaint reaches the screen at most (milliseconds).
constexpr auto kFlushInterval = std::chrono::milliseconds(40);

}  // namespace

// Collects the key messages that arrive while a long operation polls, and holds back the rest of the
// user's input to the main window meanwhile, as a poll for key messages alone does.
class QtPlatform::PeekFilter : public QObject {
public:
    explicit PeekFilter(QtPlatform& platform) : platform_(platform) {}
    bool eventFilter(QObject* target, QEvent* event) override { return platform_.filterDuringPeek(target, event); }

private:
    QtPlatform& platform_;
};

QtPlatform::QtPlatform()
    : menus_([this](int id) { sendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }),
      window_(std::make_unique<MainWindow>(static_cast<WindowEvents&>(*this))),
      peekFilter_(std::make_unique<PeekFilter>(*this)) {
    frame_ = new ClientFrame(static_cast<WindowEvents&>(*this), buffer_, window_.get());
    window_->setCentralWidget(frame_);
    window_->menuBar()->setNativeMenuBar(false);
    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(0);
    QObject::connect(&pendingTimer_, &QTimer::timeout, [this] { deliverPending(); });
}

QtPlatform::~QtPlatform() {
    // Nothing reaches the window procedure (whose state may be gone already) while the widgets go.
    procedure_ = nullptr;
    destroyed_ = true;
    pendingTimer_.stop();
    window_->setDestroyed();
    viewerProcedure_ = nullptr;
    for (ViewerWindow* viewer : {viewer_, dyingViewer_.data()}) {
        if (viewer) viewer->setDestroyed();
        delete viewer;
    }
}

// --- The main window -------------------------------------------------------------------------------

bool QtPlatform::createMainWindow(const std::string& title) {
    if (created_) return true;
    setTitle(title);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    // The window is created maximised: its frame covers the screen's work area until the window system
    // reports the real size.
    window_->resize(area.width() * 3 / 4, area.height() * 3 / 4);
    outer_ = {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
    resizeBuffer();
    created_ = true;
    sendMessage(WM_CREATE, 0, 0);
    const Rect client = clientRect();
    sendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(client.width(), client.height()));
    if (destroyed_) return false;
    window_->showMaximized();
    canvas().setFocus(Qt::OtherFocusReason);
    return true;
}

void QtPlatform::destroyMainWindow() {
    if (!live()) return;
    destroyed_ = true;
    window_->setDestroyed();
    sendMessage(WM_DESTROY, 0, 0);
    window_->hide();
}

void QtPlatform::setTitle(const std::string& title) {
    title_ = title;
    window_->setWindowTitle(titleText(title));
}

Rect QtPlatform::clientRect() const {
    const int w = outer_.width() - kFrameWidth - (bars_[SB_VERT].shown ? kBarThickness : 0);
    const int h = outer_.height() - kFrameHeight - (bars_[SB_HORZ].shown ? kBarThickness : 0);
    return {0, 0, std::max(0, w), std::max(0, h)};
}

Rect QtPlatform::normalPlacement() const {
    if (!window_->isMaximized() && !window_->isMinimized()) return outer_;
    const QRect normal = window_->normalGeometry();
    if (!normal.isValid()) return outer_;
    const int menuHeight = window_->menuBar()->sizeHint().height();
    return {normal.left(), normal.top(), normal.left() + normal.width() + kFrameWidth,
            normal.top() + normal.height() - menuHeight + kFrameHeight};
}

void QtPlatform::setWindowPos(int x, int y, int width, int height) {
    const Rect request{x, y, x + width, y + height};
    if (sameRect(request, outer_)) return;
    // The window system may refuse a size (the work area is smaller than the screen); asking again for
    // what it answered before would only start the same exchange anew.
    if (lastRequest_ && sameRect(*lastRequest_, request) && answerToRequest_ && sameRect(*answerToRequest_, outer_))
        return;
    lastRequest_ = request;
    answerToRequest_.reset();
    const Rect before = outer_;
    outer_ = request;
    resizeBuffer();
    if (live() && (before.width() != width || before.height() != height)) sendSize();
    if (window_->isMaximized() || window_->isMinimized()) window_->showNormal();
    const int menuHeight = window_->menuBar()->sizeHint().height();
    window_->move(x, y);
    window_->resize(std::max(1, width - kFrameWidth), std::max(1, height - kFrameHeight + menuHeight));
}

bool QtPlatform::isMinimized() const { return window_->isMinimized(); }

int QtPlatform::systemMetric(int index) const {
    QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    switch (index) {
        case SM_CXSCREEN: return area.width();
        case SM_CYSCREEN: return area.height();
        case SM_CXCURSOR:
        case SM_CYCURSOR: return kCursorSize;
        default: return 0;
    }
}

void QtPlatform::resizeBuffer() {
    const Rect client = clientRect();
    if (buffer_.width() == client.width() && buffer_.height() == client.height()) return;
    if (client.width() <= 0 || client.height() <= 0) {
        buffer_ = QImage();
        return;
    }
    QImage resized(client.width(), client.height(), QImage::Format_RGB32);
    resized.fill(Qt::white);
    // Keep what was shown until the next repaint.
    const int w = std::min(buffer_.width(), resized.width()), h = std::min(buffer_.height(), resized.height());
    for (int y = 0; y < h; ++y) std::copy_n(buffer_.constScanLine(y), 4 * w, resized.scanLine(y));
    buffer_ = std::move(resized);
}

void QtPlatform::sendSize() {
    const Rect client = clientRect();
    const WPARAM kind = window_->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    sendMessage(WM_SIZE, kind, MAKELPARAM(client.width(), client.height()));
}

// --- Painting --------------------------------------------------------------------------------------

void QtPlatform::invalidate() {
    invalid_ = true;
    if (live()) pendingTimer_.start();
}

void QtPlatform::updateWindow() {
    if (invalid_ && live()) deliverPaint(true);
}

void QtPlatform::deliverPaint(bool now) {
    sendMessage(WM_PAINT, 0, 0);
    invalid_ = false;  // EndPaint validates what the paint covered
    if (live()) canvas().showBuffer(now);
}

void QtPlatform::flushDrawing() {
    if (!live()) return;
    const auto now = std::chrono::steady_clock::now();
    const bool due = now - lastFlush_ >= kFlushInterval;
    if (due) lastFlush_ = now;
    canvas().showBuffer(due);
}

// What a message loop with an empty queue delivers: posted drops and keys first, the paint last.
void QtPlatform::deliverPending() {
    if (peekDepth_ > 0 || !live()) return;
    if (pendingDrop_) {
        dropped_ = std::move(*pendingDrop_);
        pendingDrop_.reset();
        sendMessage(WM_DROPFILES, kDropHandle, 0);
    }
    while (!keys_.empty() && live() && peekDepth_ == 0) {
        const KeyMessage key = keys_.front();
        keys_.pop_front();
        sendMessage(key.message, key.wParam, key.lParam);
    }
    if (invalid_ && live()) deliverPaint(false);
}

// --- Messages --------------------------------------------------------------------------------------

LRESULT QtPlatform::sendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure_ ? procedure_(message, wParam, lParam) : 0;
}

LRESULT QtPlatform::defaultProcedure(UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) destroyMainWindow();
    return 0;
}

void QtPlatform::postQuit(int code) {
    quitRequested_ = true;
    exitCode_ = code;
    QCoreApplication::exit(code);
}

void QtPlatform::setFocusToMain() {
    if (!live()) return;
    window_->activateWindow();
    canvas().setFocus(Qt::OtherFocusReason);
}

void QtPlatform::keyEvent(QKeyEvent& event, bool down) {
    if (auto key = keyMessageFor(event, down)) sendMessage(key->message, key->wParam, key->lParam);
}

void QtPlatform::mouseEvent(QMouseEvent& event, UINT message) {
    const QPointF at = event.position();
    const int x = static_cast<int>(std::floor(at.x())), y = static_cast<int>(std::floor(at.y()));
    sendMessage(message, mouseKeyFlags(event.buttons(), event.modifiers()), MAKELPARAM(x, y));
}

void QtPlatform::focusChanged(bool gained) {
    if (live()) sendMessage(gained ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
}

void QtPlatform::canvasExposed() {
    if (live()) invalidate();
}

void QtPlatform::frameResized() {
    if (!live()) return;
    const QPoint at = window_->frameGeometry().topLeft();
    const Rect real{at.x(), at.y(), at.x() + frame_->width() + kFrameWidth, at.y() + frame_->height() + kFrameHeight};
    if (sameRect(real, outer_)) return;
    const bool resized = real.width() != outer_.width() || real.height() != outer_.height();
    outer_ = real;
    if (lastRequest_) answerToRequest_ = real;
    if (!resized) return;
    resizeBuffer();
    if (!window_->isMinimized()) sendSize();
}

void QtPlatform::windowStateChanged() {
    if (!live()) return;
    const bool minimized = window_->isMinimized();
    if (minimized == wasMinimized_) return;
    wasMinimized_ = minimized;
    if (minimized) sendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
    else sendSize();
}

void QtPlatform::closeRequested() {
    if (live()) sendMessage(WM_CLOSE, 0, 0);
}

bool QtPlatform::acceptsDrops() const { return acceptingFiles_ && live(); }

void QtPlatform::filesDropped(std::vector<std::string> files) {
    // The drop is posted, as the shell posts it: the window procedure runs after the drag has ended.
    pendingDrop_ = std::move(files);
    pendingTimer_.start();
}

// --- Menus -----------------------------------------------------------------------------------------

void QtPlatform::setMenus(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) {
    const MenuBar attached = menus_.attached();
    menus_.build(mainMenu, nullMenu);
    menus_.attach(*window_->menuBar(), attached);
}

void QtPlatform::attachMenu(MenuBar which) { menus_.attach(*window_->menuBar(), which); }

void QtPlatform::enableMenuItemByPosition(int popup, int position, bool enabled) {
    menus_.enableByPosition(popup, position, enabled);
}

// --- Scroll bars -----------------------------------------------------------------------------------

void QtPlatform::showBar(int bar) {
    QScrollBar& widget = scrollBar(bar);
    const Bar& b = bars_[bar];
    const QSignalBlocker blocker(&widget);
    widget.setRange(std::min(b.minimum, b.maximum), std::max(b.minimum, b.maximum));
    widget.setValue(b.position);
    widget.setSliderPosition(b.position);
    const Rect client = clientRect();
    widget.setPageStep(std::max(1, bar == SB_HORZ ? client.width() : client.height()));
}

void QtPlatform::showScrollBar(int bar, bool shown) {
    bar &= 1;
    if (bars_[bar].shown == shown) return;
    bars_[bar].shown = shown;
    scrollBar(bar).setVisible(shown);
    frame_->layoutChildren();
    // The client area shrinks or grows by the bar, which the window procedure hears as a new size.
    resizeBuffer();
    if (live()) sendSize();
}

void QtPlatform::setScrollRange(int bar, int minimum, int maximum, bool) {
    Bar& b = bars_[bar & 1];
    b.minimum = minimum;
    b.maximum = maximum;
    b.position = std::clamp(b.position, std::min(minimum, maximum), std::max(minimum, maximum));
    showBar(bar & 1);
}

void QtPlatform::scrollRange(int bar, int& minimum, int& maximum) const {
    minimum = bars_[bar & 1].minimum;
    maximum = bars_[bar & 1].maximum;
}

void QtPlatform::setScrollPos(int bar, int position, bool) {
    Bar& b = bars_[bar & 1];
    b.position = std::clamp(position, std::min(b.minimum, b.maximum), std::max(b.minimum, b.maximum));
    showBar(bar & 1);
}

void QtPlatform::scrollAction(int bar, int action) {
    QScrollBar& widget = scrollBar(bar);
    const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    int request = -1;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: request = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: request = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: request = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: request = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: request = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: request = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: request = SB_THUMBTRACK; break;
        case -1: request = SB_THUMBPOSITION; break;  // the thumb was let go
        default: return;
    }
    const int thumb = widget.sliderPosition();
    sendMessage(message, MAKEWPARAM(request, thumb), 0);
    if (request == SB_THUMBPOSITION) sendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    // The bar shows where the program put it, not where the slider's own step would have.
    showBar(bar);
}

// --- Boxes and choosers ----------------------------------------------------------------------------

int QtPlatform::messageBox(Owner owner, const std::string& text, const std::string& caption, UINT flags) {
    QWidget* parent = owner != Owner::None && window_->isVisible() ? window_.get() : nullptr;
    if (owner == Owner::Viewer && viewer_ && viewer_->isVisible()) parent = viewer_;
    return showMessageBox(parent, text, caption, flags);
}

void QtPlatform::runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) {
    TemplateDialog box(window_->isVisible() ? window_.get() : nullptr, dialog, procedure);
    box.run(frame_->mapToGlobal(QPoint(0, 0)));
}

std::optional<std::string> QtPlatform::chooseFile(const FileChooserRequest& request) {
    return runFileChooser(window_->isVisible() ? window_.get() : nullptr, request);
}

std::optional<Color> QtPlatform::chooseColor(Color initial, std::array<Color, 16>& customColors) {
    return runColourChooser(window_->isVisible() ? window_.get() : nullptr, initial, customColors);
}

void QtPlatform::beep() { QApplication::beep(); }

// --- Clipboard -------------------------------------------------------------------------------------

void QtPlatform::emptyClipboard() { QGuiApplication::clipboard()->clear(); }

std::vector<UINT> QtPlatform::clipboardFormats() {
    std::vector<UINT> formats;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return formats;
    const bool text = data->hasText(), image = data->hasImage();
    if (text) formats.push_back(CF_TEXT);
    if (image) formats.push_back(CF_BITMAP);
    if (text) formats.push_back(CF_OEMTEXT);
    if (image) formats.push_back(CF_DIB);
    return formats;
}

std::optional<Image> QtPlatform::clipboardBitmap() {
    return dibFromClipboardPicture(QGuiApplication::clipboard()->image());
}

bool QtPlatform::putClipboardBitmap(const Image& image) {
    // Other programs are offered the picture in the image formats the toolkit knows (PNG, BMP, ...).
    const QImage picture = dibToQImage(image);
    if (picture.isNull()) return false;
    QGuiApplication::clipboard()->setImage(picture);
    return true;
}

// --- Clipboard viewer ------------------------------------------------------------------------------

bool QtPlatform::createViewerWindow(const std::string& title, WindowProcedure procedure) {
    if (viewer_ || !procedure) return false;
    viewerProcedure_ = std::move(procedure);
    viewer_ = new ViewerWindow([this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (viewerProcedure_) viewerProcedure_(message, wParam, lParam);
    });
    setViewerTitle(title);
    viewerProcedure_(WM_CREATE, 0, 0);
    if (!viewer_) return false;  // destroyed while being created
    viewer_->show();
    bringToTop(Owner::Viewer);
    return true;
}

void QtPlatform::destroyViewerWindow() {
    if (!viewer_) return;
    ViewerWindow* viewer = std::exchange(viewer_, nullptr);
    WindowProcedure procedure = std::move(viewerProcedure_);
    viewerProcedure_ = nullptr;
    viewer->setDestroyed();
    if (procedure) procedure(WM_DESTROY, 0, 0);
    viewer->hide();
    dyingViewer_ = viewer;
    viewer->deleteLater();
    viewerTitle_.clear();
}

void QtPlatform::setViewerMenu(const std::vector<MenuItem>& menu) {
    if (viewer_) viewer_->setMenu(menu);
}

void QtPlatform::setViewerTitle(const std::string& title) {
    if (!viewer_) return;
    viewerTitle_ = title;
    viewer_->setWindowTitle(titleText(title));
}

void QtPlatform::repaintViewer() {
    if (!viewer_) return;
    viewerProcedure_(WM_PAINT, 0, 0);
    if (viewer_) viewer_->showBuffer();
}

LRESULT QtPlatform::viewerDefaultProcedure(UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) destroyViewerWindow();
    return 0;
}

void QtPlatform::bringToTop(Owner window) {
    QWidget* widget = window == Owner::Main ? static_cast<QWidget*>(window_.get())
                      : window == Owner::Viewer ? viewer_ : nullptr;
    if (!widget || !widget->isVisible()) return;
    widget->raise();
    widget->activateWindow();
}

// --- Cursors ---------------------------------------------------------------------------------------

void QtPlatform::setArrowCursor() { canvas().setCursor(Qt::ArrowCursor); }

void QtPlatform::setBrushCursor(const std::vector<uint8_t>& andPlane, const std::vector<uint8_t>& xorPlane) {
    constexpr int n = kCursorSize;
    constexpr size_t planeBytes = n * n / 8;
    if (andPlane.size() < planeBytes || xorPlane.size() < planeBytes) {
        setArrowCursor();
        return;
    }
    auto bit = [](const std::vector<uint8_t>& plane, int x, int y) {
        return (plane[static_cast<size_t>(y * n + x) / 8] >> (7 - (x & 7))) & 1;
    };
    // AND 0 gives black (XOR 0) or white (XOR 1); AND 1 leaves the screen (XOR 0) or inverts it (XOR 1).
    // Inverting is not offered everywhere: an inverting pixel is drawn black, edged with white so that
    // the outline shows on dark pictures too.
    QImage bitmap(n, n, QImage::Format_Mono), mask(n, n, QImage::Format_Mono);
    for (QImage* plane : {&bitmap, &mask}) {
        plane->setColorTable({QColor(Qt::color0).rgb(), QColor(Qt::color1).rgb()});
        plane->fill(0);
    }
    auto inverting = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < n && y < n && bit(andPlane, x, y) && bit(xorPlane, x, y);
    };
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int a = bit(andPlane, x, y), b = bit(xorPlane, x, y);
            if (!a || b) {
                mask.setPixel(x, y, 1);
                bitmap.setPixel(x, y, (!a && !b) || (a && b) ? 1 : 0);
            } else if (inverting(x - 1, y) || inverting(x + 1, y) || inverting(x, y - 1) || inverting(x, y + 1)) {
                mask.setPixel(x, y, 1);  // white edge
            }
        }
    }
    canvas().setCursor(QCursor(QBitmap::fromImage(bitmap), QBitmap::fromImage(mask), 0, 0));
}

// --- Time and keys ---------------------------------------------------------------------------------

uint32_t QtPlatform::tickCount() {
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void QtPlatform::sleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool QtPlatform::belongsToWindow(QObject* target) const {
    // The viewer's input waits as well: its menu and close button act once the operation is over.
    auto* widget = qobject_cast<QWidget*>(target);
    return widget && (widget->window() == window_.get() || (viewer_ && widget->window() == viewer_));
}

bool QtPlatform::filterDuringPeek(QObject* target, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            if (!belongsToWindow(target)) return false;
            if (auto message = keyMessageFor(*static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress))
                keys_.push_back(*message);
            return true;
        }
        case QEvent::ShortcutOverride:  // no menu shortcut fires meanwhile
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::Close:
            if (!belongsToWindow(target)) return false;
            if (event->type() == QEvent::ShortcutOverride) event->accept();
            else event->ignore();
            return true;
        default:
            return false;
    }
}

bool QtPlatform::peekKeyMessage(UINT& message, WPARAM& wParam, LPARAM& lParam) {
    if (peekDepth_ == 0 && live()) {
        ++peekDepth_;
        qApp->installEventFilter(peekFilter_.get());
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        qApp->removeEventFilter(peekFilter_.get());
        --peekDepth_;
        if (invalid_ || pendingDrop_ || keys_.size() > 1) pendingTimer_.start();
    }
    if (keys_.empty()) return false;
    message = keys_.front().message;
    wParam = keys_.front().wParam;
    lParam = keys_.front().lParam;
    keys_.pop_front();
    return true;
}

// --- The shell -------------------------------------------------------------------------------------

void QtPlatform::shellOpen(const std::string& program, const std::string& parameter) {
    QStringList arguments;
    if (!parameter.empty()) arguments << fromFileName(parameter);
    QProcess::startDetached(fromFileName(program), arguments);
}

QString findHelpPage(const QString& named, const QString& currentDir, const QString& appDir) {
    QStringList candidates;
    if (named.endsWith(".html", Qt::CaseInsensitive)) candidates << named;
    // The working folder and the build tree hold docs/help.html; an installed editor in PREFIX/libexec/vyd/
    // (or PREFIX/bin/) finds PREFIX/share/doc/vyd/help.html.
    for (const QString& dir : {currentDir, appDir, appDir + "/..", appDir + "/../share/doc/vyd",
                               appDir + "/../../share/doc/vyd"})
        candidates << dir + "/docs/help.html" << dir + "/help.html";
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile()) return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

void QtPlatform::openHelp(const std::string& file) {
    // The help is the page docs/help.html shipped with the program; a named HTML page that exists is
    // opened instead.
    const QString page =
        findHelpPage(fromFileName(file), QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (!page.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace vyd
