// What a long pixel operation (a region fill, the colour wash) tells the window while it runs, and how it
// learns that the user wants it stopped. The operations never touch the window themselves.
#pragma once

#include <string>

namespace vyd {

// A rectangle of level pixels: columns left..right-1, rows top..bottom-1 (row 0 at the top).
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

class OperationMonitor {
public:
    virtual ~OperationMonitor() = default;
    // Takes the pending key messages; true when the user asked to stop (Esc is down).
    virtual bool stopRequested() = 0;
    // The pixels written so far lie within `written`; the window may show them now.
    virtual void showProgress(const PixelRect& written) = 0;
    // The window title for one row of a long pass ("searching row 12"), and the title put back after it.
    virtual void showRowTitle(const std::string& text) = 0;
    virtual void restoreTitle() = 0;
};

}  // namespace vyd
