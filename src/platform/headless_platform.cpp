#include "platform/headless_platform.h"

#include <algorithm>

#include "modes/imageconv.h"

namespace vyd {

namespace {

class HeadlessFields : public DialogFields {
public:
    explicit HeadlessFields(const DialogTemplate& dialog) {
        for (const DialogControl& control : dialog.controls) texts_[control.id] = control.text;
    }
    void setText(int id, const std::string& text) override { texts_[id] = text; }
    std::string text(int id) const override {
        auto it = texts_.find(id);
        return it == texts_.end() ? std::string() : it->second;
    }

private:
    std::map<int, std::string> texts_;
};

MenuItem* findItem(std::vector<MenuItem>& items, int id) {
    for (MenuItem& item : items) {
        if (!item.separator && item.items.empty() && item.id == id) return &item;
        if (MenuItem* inner = findItem(item.items, id)) return inner;
    }
    return nullptr;
}

const MenuItem* findItem(const std::vector<MenuItem>& items, int id) {
    return findItem(const_cast<std::vector<MenuItem>&>(items), id);
}

}  // namespace

HeadlessPlatform::HeadlessPlatform() { resizeBackBuffer(); }

Rect HeadlessPlatform::clientRect() const {
    int w = window_.width() - kFrameWidth - (bars_[SB_VERT].shown ? kBarThickness : 0);
    int h = window_.height() - kFrameHeight - (bars_[SB_HORZ].shown ? kBarThickness : 0);
    return {0, 0, std::max(0, w), std::max(0, h)};
}

void HeadlessPlatform::resizeBackBuffer() {
    Rect client = clientRect();
    if (client.width() != dc_.width() || client.height() != dc_.height()) dc_.resize(client.width(), client.height());
}

void HeadlessPlatform::setClientSize(int width, int height) {
    const Rect before = window_;
    window_.right = window_.left + width + kFrameWidth + (bars_[SB_VERT].shown ? kBarThickness : 0);
    window_.bottom = window_.top + height + kFrameHeight + (bars_[SB_HORZ].shown ? kBarThickness : 0);
    resizeBackBuffer();
    if (!created_) return;
    sendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(clientRect().width(), clientRect().height()));
    // The main window's class redraws horizontally and vertically: a new size invalidates the whole window,
    // so the next turn of the message loop repaints it (as the Qt front end does after a resize).
    if (before.width() != window_.width() || before.height() != window_.height()) invalid_ = true;
}

bool HeadlessPlatform::createMainWindow(const std::string& title) {
    title_ = title;
    created_ = true;
    sendMessage(WM_CREATE, 0, 0);
    Rect client = clientRect();
    sendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(client.width(), client.height()));
    return true;
}

void HeadlessPlatform::destroyMainWindow() {
    if (!created_) return;
    sendMessage(WM_DESTROY, 0, 0);
    created_ = false;
}

void HeadlessPlatform::setWindowPos(int x, int y, int width, int height) {
    Rect before = window_;
    window_ = {x, y, x + width, y + height};
    resizeBackBuffer();
    if (created_ && (before.width() != width || before.height() != height)) {
        Rect client = clientRect();
        sendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.width(), client.height()));
    }
}

int HeadlessPlatform::systemMetric(int index) const {
    switch (index) {
        case SM_CXSCREEN: return kScreenWidth;
        case SM_CYSCREEN: return kScreenHeight;
        case SM_CXCURSOR:
        case SM_CYCURSOR: return kCursorSize;
        default: return 0;
    }
}

void HeadlessPlatform::updateWindow() {
    if (!invalid_ || !created_) return;
    sendMessage(WM_PAINT, 0, 0);
    invalid_ = false;  // EndPaint validates what the paint covered
}

LRESULT HeadlessPlatform::sendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!procedure_) return 0;
    return procedure_(message, wParam, lParam);
}

LRESULT HeadlessPlatform::defaultProcedure(UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) destroyMainWindow();
    return 0;
}

void HeadlessPlatform::postQuit(int code) {
    quitPosted_ = true;
    quitCode_ = code;
}

void HeadlessPlatform::setMenus(const std::vector<MenuItem>& mainMenu, const std::vector<MenuItem>& nullMenu) {
    mainMenu_ = mainMenu;
    nullMenu_ = nullMenu;
}

const std::vector<MenuItem>* HeadlessPlatform::popupItems(int popup) const {
    if (popup < 0 || popup >= static_cast<int>(mainMenu_.size())) return nullptr;
    return &mainMenu_[popup].items;
}

int HeadlessPlatform::menuItemCount(int popup) const {
    const auto* items = popupItems(popup);
    return items ? static_cast<int>(items->size()) : -1;
}

void HeadlessPlatform::appendMenuItem(int popup, int id, const std::string& text) {
    if (popup < 0 || popup >= static_cast<int>(mainMenu_.size())) return;
    MenuItem item;
    item.id = id;
    item.text = text;
    mainMenu_[popup].items.push_back(item);
}

void HeadlessPlatform::enableMenuItemByPosition(int popup, int position, bool enabled) {
    enabledByPosition_[{popup, position}] = enabled;
}

void HeadlessPlatform::checkMenuItem(int id, bool checked) {
    if (MenuItem* item = findItem(mainMenu_, id)) item->checked = checked;
}

bool HeadlessPlatform::menuItemEnabledAt(int popup, int position) const {
    auto it = enabledByPosition_.find({popup, position});
    return it == enabledByPosition_.end() ? true : it->second;
}

bool HeadlessPlatform::menuItemChecked(int id) const {
    const MenuItem* item = findItem(mainMenu_, id);
    return item && item->checked;
}

std::string HeadlessPlatform::menuItemText(int popup, int position) const {
    const auto* items = popupItems(popup);
    if (!items || position < 0 || position >= static_cast<int>(items->size())) return {};
    return (*items)[position].text;
}

void HeadlessPlatform::showScrollBar(int bar, bool shown) {
    Bar& b = bars_[bar & 1];
    if (b.shown == shown) return;
    b.shown = shown;
    // The client area shrinks or grows by the bar; Windows reports that as a new size.
    resizeBackBuffer();
    if (created_) {
        Rect client = clientRect();
        sendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.width(), client.height()));
    }
}

void HeadlessPlatform::setScrollRange(int bar, int minimum, int maximum, bool) {
    Bar& b = bars_[bar & 1];
    b.minimum = minimum;
    b.maximum = maximum;
    b.position = std::clamp(b.position, std::min(minimum, maximum), std::max(minimum, maximum));
}

void HeadlessPlatform::scrollRange(int bar, int& minimum, int& maximum) const {
    minimum = bars_[bar & 1].minimum;
    maximum = bars_[bar & 1].maximum;
}

void HeadlessPlatform::setScrollPos(int bar, int position, bool) {
    Bar& b = bars_[bar & 1];
    b.position = std::clamp(position, std::min(b.minimum, b.maximum), std::max(b.minimum, b.maximum));
}

int HeadlessPlatform::messageBox(Owner, const std::string& text, const std::string& caption, UINT flags) {
    const UINT type = flags & MB_TYPEMASK;
    if (boxAnswers_.empty()) {
        if (type == MB_OK) return IDOK;
        throw UnansweredError("unanswered message box \"" + caption + "\" \"" + text + "\"");
    }
    int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    if (type == MB_OK) return IDOK;
    if (type == MB_YESNO && answer != IDYES && answer != IDNO)
        throw UnansweredError("a yes/no message box cannot be answered that way: \"" + text + "\"");
    if (type == MB_YESNOCANCEL && answer == IDOK)
        throw UnansweredError("a yes/no/cancel message box cannot be answered ok: \"" + text + "\"");
    return answer;
}

void HeadlessPlatform::runDialog(const DialogTemplate& dialog, DialogProcedure& procedure) {
    HeadlessFields fields(dialog);
    procedure.onInit(fields);
    if (dialogAnswers_.empty()) throw UnansweredError("unanswered dialog " + dialog.name);
    DialogAnswer answer = dialogAnswers_.front();
    dialogAnswers_.pop_front();
    for (const auto& [id, text] : answer.fields) fields.setText(id, text);
    if (!procedure.onCommand(answer.accept ? IDOK : IDCANCEL, fields))
        throw UnansweredError("dialog " + dialog.name + " did not end with that answer");
}

std::optional<std::string> HeadlessPlatform::chooseFile(const FileChooserRequest& request) {
    if (chooserAnswers_.empty()) throw UnansweredError("unanswered file chooser \"" + request.title + "\"");
    auto answer = chooserAnswers_.front();
    chooserAnswers_.pop_front();
    return answer;
}

std::optional<Color> HeadlessPlatform::chooseColor(Color, std::array<Color, 16>&) {
    if (colourAnswers_.empty()) throw UnansweredError("unanswered colour chooser");
    auto answer = colourAnswers_.front();
    colourAnswers_.pop_front();
    return answer;
}

namespace {

// The bitmap a desktop clipboard holding the picture hands out: of the depth its mode has in a file.
// 2- and 16-color pictures pack to 1 and 4 bits and 16-bit ones to 5-5-5 words; a picture from a 32-bit
// file gets its fourth byte back. The bitmap's mode is its depth. So a picture the program writes to the
// clipboard reads back in its own mode.
bool clipboardBitmapOf(Image& image) {
    const int code = image.bitCount() == 8 && image.mode == kMode2    ? kCodePack1
                     : image.bitCount() == 8 && image.mode == kMode16 ? kCodePack4
                     : image.bitCount() == 24 && image.mode == kModeTrue16 ? kCodePack16
                                                                           : 0;
    if (code != 0) {
        Image packed;
        if (!imageconv(image, packed, code)) return false;
        image = std::move(packed);
    } else if (image.bitCount() == 24 && image.mode == kModeTrue32) {
        Image wide;
        if (!createImage(wide, kModeTrue32, 32, image.width(), image.height())) return false;
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* s = image.row(y);
            uint8_t* d = wide.row(y);
            for (int x = 0; x < image.width(); ++x, s += 3, d += 4) d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 0;
        }
        image = std::move(wide);
    }
    image.mode = static_cast<int16_t>(image.bitCount());
    return true;
}

}  // namespace

void HeadlessPlatform::emptyClipboard() {
    clipboardImage_.reset();
    clipboardFormats_.clear();
}

bool HeadlessPlatform::setClipboardImage(std::optional<Image> image) {
    emptyClipboard();
    if (!image) return true;
    if (!clipboardBitmapOf(*image)) return false;
    clipboardImage_ = std::move(image);
    clipboardFormats_ = {CF_BITMAP, CF_DIB};
    return true;
}

void HeadlessPlatform::setClipboardText(std::string) {
    emptyClipboard();
    clipboardFormats_ = {CF_TEXT, CF_OEMTEXT};
}

std::optional<Image> HeadlessPlatform::clipboardBitmap() {
    if (!clipboardImage_) return std::nullopt;
    return cloneImage(*clipboardImage_);
}

bool HeadlessPlatform::putClipboardBitmap(const Image& image) {
    Image bitmap = cloneImage(image);
    if (!bitmap.hasPixels() || !clipboardBitmapOf(bitmap)) return false;
    clipboardImage_ = std::move(bitmap);
    clipboardFormats_ = {CF_BITMAP, CF_DIB};
    return true;
}

bool HeadlessPlatform::peekKeyMessage(UINT& message, WPARAM& wParam, LPARAM& lParam) {
    if (keys_.empty()) return false;
    message = keys_.front().message;
    wParam = keys_.front().wParam;
    lParam = keys_.front().lParam;
    keys_.pop_front();
    return true;
}

// --- Clipboard viewer --------------------------------------------------------------------------------

bool HeadlessPlatform::createViewerWindow(const std::string& title, WindowProcedure procedure) {
    if (viewerProcedure_ || !procedure) return false;
    viewerProcedure_ = std::move(procedure);
    viewerTitle_ = title;
    viewerDc_.resize(kViewerWidth, kViewerHeight);
    top_ = Owner::Viewer;
    viewerProcedure_(WM_CREATE, 0, 0);
    return true;
}

void HeadlessPlatform::destroyViewerWindow() {
    if (!viewerProcedure_) return;
    WindowProcedure procedure = std::move(viewerProcedure_);
    viewerProcedure_ = nullptr;
    procedure(WM_DESTROY, 0, 0);
    viewerMenu_.clear();
    viewerTitle_.clear();
    if (top_ == Owner::Viewer) top_ = Owner::Main;
}

void HeadlessPlatform::repaintViewer() {
    if (viewerProcedure_) viewerProcedure_(WM_PAINT, 0, 0);
}

LRESULT HeadlessPlatform::viewerDefaultProcedure(UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) destroyViewerWindow();
    return 0;
}

LRESULT HeadlessPlatform::sendViewerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return viewerProcedure_ ? viewerProcedure_(message, wParam, lParam) : 0;
}

}  // namespace vyd
