#include "app/clipboard_transfer.h"

#include "app/title_status.h"
#include "modes/imageconv.h"
#include "util/text_format.h"

namespace vyd {

namespace {

constexpr const char* kReadingCaption = "reading clipboard";
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

// What a clipboard bitmap of each depth (planes times bits per pixel) becomes.
struct ClipboardDepth {
    int bits;
    int code;         // the imageconv code that converts it; 0: taken as it is
    int heldBits;     // the depth of the picture the program holds
    int16_t mode;
};

constexpr ClipboardDepth kDepths[] = {
    {1, kCode2Color, 8, kMode2},        {4, kCode16Color, 8, kMode16},   {8, 0, 8, kMode256},
    {16, kCodeTrue, 24, kModeTrue24},   {24, 0, 24, kModeTrue24},        {32, kCodeTrue, 24, kModeTrue24},
};

const ClipboardDepth* findDepth(const Image& bitmap) {
    const int bits = bitmap.header.biPlanes * bitmap.bitCount();
    for (const ClipboardDepth& depth : kDepths) {
        // A bitmap of several planes is not laid out as the rows the conversion reads.
        if (depth.bits == bits && bitmap.bitCount() == bits) return &depth;
    }
    return nullptr;
}

// The picture the program holds for the bitmap, made aside; false when it cannot be made (no pixels, a size
// beyond the limits, or no store for the conversion).
bool makeHeldPicture(Image& bitmap, const ClipboardDepth& depth, Image& held) {
    if (!bitmap.hasPixels() || bitmap.width() <= 0 || bitmap.height() <= 0 ||
        !sizeWithinLimits(depth.heldBits, bitmap.width(), bitmap.height())) {
        return false;
    }
    if (depth.code == 0) {
        held = std::move(bitmap);
    } else if (!imageconv(bitmap, held, depth.code)) {
        return false;
    }
    held.mode = depth.mode;
    return true;
}

// Closes the clipboard once, whichever way the transfer ends.
class OpenClipboard {
public:
    explicit OpenClipboard(Platform& ui) : ui_(ui) {}
    ~OpenClipboard() { close(); }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    void close() {
        if (open_) ui_.closeClipboard();
        open_ = false;
    }

private:
    Platform& ui_;
    bool open_ = true;
};

}  // namespace

bool pictureOfClipboardBitmap(Image& bitmap, Image& picture) {
    const ClipboardDepth* depth = findDepth(bitmap);
    return depth && makeHeldPicture(bitmap, *depth, picture);
}

bool readClipboardImage(AppState& app, Owner window, Image& target) {
    Platform& ui = app.ui();
    TitleStatus status(ui, "reading from clipboard", window);
    if (!ui.openClipboard()) {
        ui.messageBox(Owner::None, "I can't open the clipboard", "", kWarning);
        return false;
    }
    OpenClipboard clipboard(ui);
    std::optional<Image> bitmap = ui.clipboardBitmap();
    if (!bitmap) {
        clipboard.close();
        ui.messageBox(Owner::None, "There is no BITMAP in the clipboard", "", kWarning);
        return false;
    }
    const std::string depthText = formatText("%d planes, bpp=%d", bitmap->header.biPlanes, bitmap->bitCount());
    const ClipboardDepth* depth = findDepth(*bitmap);
    Image held;
    if (depth && !makeHeldPicture(*bitmap, *depth, held)) {
        ui.messageBox(window, "out of store", kReadingCaption, kWarning);
        return false;
    }
    ui.messageBox(window, depthText, kReadingCaption, MB_OK);
    // A depth the program has no picture for stores nothing, and the read has failed.
    if (!depth) return false;
    target = std::move(held);
    return true;
}

bool writeClipboardImage(AppState& app, Owner window, const Image& image) {
    Platform& ui = app.ui();
    TitleStatus status(ui, "writing to clipboard", window);
    if (!ui.openClipboard()) {
        ui.messageBox(window, "I can't write to the clipboard", "VYD", kWarning);
        return false;
    }
    OpenClipboard clipboard(ui);
    ui.emptyClipboard();
    return ui.putClipboardBitmap(image);
}

}  // namespace vyd
