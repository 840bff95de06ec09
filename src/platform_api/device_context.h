// What the logic draws with: the main window's client-sized back buffer (or a window of its own).
#pragma once

#include <cstdint>
#include <string>

#include "image/image.h"

namespace vyd {

// A font by face name and pixel height (negative height: character height, as CreateFont takes it).
struct FontSpec {
    std::string face = "Arial";
    int height = -16;
};

inline constexpr Color kTextBlack = 0;
inline constexpr Color kTextRed = makeColor(255, 0, 0);

class DeviceContext {
public:
    virtual ~DeviceContext() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void fillWhite() = 0;
    virtual void fillRect(int x, int y, int w, int h, Color color) = 0;
    // SetDIBitsToDevice of the whole image with its upper-left corner at (x, y): bottom-up rows,
    // the palette for bit counts up to 8 (1, 4 and 8 bits), three bytes blue, green, red for 24.
    virtual void blitImage(const Image& image, int x, int y) = 0;
    // A one-pixel solid line from (x0, y0) up to but not including (x1, y1), as LineTo draws.
    virtual void line(int x0, int y0, int x1, int y1, Color color) = 0;
    virtual void setPixel(int x, int y, Color color) = 0;
    virtual Color getPixel(int x, int y) const = 0;
    // Text with its top-left at (x, y), drawn opaque on white in `color`; bytes are Windows-1252.
    virtual void textOut(int x, int y, const std::string& text, const FontSpec& font = {}, Color color = kTextBlack) = 0;
    // Word-wrapped black text inside the rectangle.
    virtual void drawTextWrapped(int x, int y, int w, int h, const std::string& text, const FontSpec& font = {}) = 0;
};

}  // namespace vyd
