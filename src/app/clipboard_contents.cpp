#include "app/clipboard_contents.h"

#include <algorithm>

#include "app/level_titles.h"

namespace vyd {

namespace {

// The standard clipboard formats by number; the page looks at 1..12.
constexpr const char* kFormatNames[] = {"nil",     "text", "bitmap",  "metafilepict", "sylk",    "dif", "tiff",
                                        "oemtext", "dib",  "palette", "pendata",      "riff",    "wave"};
constexpr UINT kLastFormat = 12;

}  // namespace

void paintClipboardContents(AppState& app) {
    Platform& ui = app.ui();
    DeviceContext& dc = ui.deviceContext();
    ui.invalidate();
    ui.validate();
    setWindowTitle(app);
    dc.fillWhite();
    if (!ui.openClipboard()) {
        ui.messageBox(Owner::Main, "I can't open the clipboard", "", MB_OK | MB_ICONEXCLAMATION);
    } else {
        const std::vector<UINT> present = ui.clipboardFormats();
        int drawn = 0;
        for (UINT format = 1; format <= kLastFormat; ++format) {
            if (std::find(present.begin(), present.end(), format) == present.end()) continue;
            ++drawn;
            dc.textOut(10, 15 + 15 * drawn, kFormatNames[format]);
        }
        if (drawn == 0) dc.textOut(10, 15, "the clipboard is empty");
        ui.setTitle("VYD (contents of clipboard)");
        ui.closeClipboard();
    }
    dc.textOut(0, 0, "CONTENTS OF CLIPBOARD");
}

}  // namespace vyd
