// Pictures to and from the clipboard as bitmaps (CF_BITMAP). The window given owns the clipboard while it
// is open and shows the progress in its title (the main window or the clipboard viewer).
#pragma once

#include "app/app_state.h"

namespace vyd {

// Reads the clipboard's bitmap into target, converted to the depth the program holds for it (1 and 4 bits
// become 8-bit 2- and 16-color pictures, 16 and 32 bits truecolor). target is replaced only when the
// whole picture was made; false (after its message boxes) when nothing was read.
bool readClipboardImage(AppState& app, Owner window, Image& target);
// The picture the program holds for a clipboard bitmap (taking its pixels when no conversion is needed);
// false for a depth outside the table or when the picture cannot be made.
bool pictureOfClipboardBitmap(Image& bitmap, Image& picture);
// Empties the clipboard and puts image on it as a bitmap; false (after its message box) when it cannot.
bool writeClipboardImage(AppState& app, Owner window, const Image& image);

}  // namespace vyd
