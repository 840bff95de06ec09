// Drawing into the main window's back buffer (a 32-bit QImage), and the conversions between the
// program's device-independent bitmaps and QImage.
#pragma once

#include <QFont>
#include <QImage>

#include "platform_api/device_context.h"

namespace vyd {

// SetDIBitsToDevice of the whole image with its upper-left corner at (x, y): rows bottom-up, 1, 4 and 8
// bits through the palette, 16 bits as 5-5-5 words, 24 and 32 bits as blue, green, red (and a spare
// byte). `target` must be Format_RGB32. An image without pixels, or whose buffer is smaller than its
// header claims, draws nothing.
void blitDib(QImage& target, const Image& image, int x, int y);
// The image as a 32-bit QImage (a null QImage when it has nothing to show).
QImage dibToQImage(const Image& image);

// The font GDI would give for a face name and height (negative: character height in pixels).
QFont fontFor(const FontSpec& wanted);

class QtDeviceContext : public DeviceContext {
public:
    explicit QtDeviceContext(QImage& buffer) : buffer_(buffer) {}

    int width() const override { return buffer_.width(); }
    int height() const override { return buffer_.height(); }
    void fillWhite() override;
    void fillRect(int x, int y, int w, int h, Color color) override;
    void blitImage(const Image& image, int x, int y) override { blitDib(buffer_, image, x, y); }
    void line(int x0, int y0, int x1, int y1, Color color) override;
    void setPixel(int x, int y, Color color) override;
    Color getPixel(int x, int y) const override;
    void textOut(int x, int y, const std::string& text, const FontSpec& font = {}, Color color = kTextBlack) override;
    void drawTextWrapped(int x, int y, int w, int h, const std::string& text, const FontSpec& font = {}) override;

private:
    QImage& buffer_;
};

}  // namespace vyd
