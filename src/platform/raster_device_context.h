// A device context over a plain 32-bit pixel buffer (0x00RRGGBB), for the headless platform.
// Text is not rasterised (no font engine is needed headless); each text drawn since the last fill with
// white is kept instead, so that scripts and tests can read the pages.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform_api/device_context.h"

namespace vyd {

// A text as it was drawn: its position, colour and bytes; wrapped texts have the rectangle's size.
struct DrawnText {
    int x = 0, y = 0;
    std::string text;
    Color color = kTextBlack;
    bool wrapped = false;
};

class RasterDeviceContext : public DeviceContext {
public:
    void resize(int width, int height);
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fillWhite() override;
    void fillRect(int x, int y, int w, int h, Color color) override;
    void blitImage(const Image& image, int x, int y) override;
    void line(int x0, int y0, int x1, int y1, Color color) override;
    void setPixel(int x, int y, Color color) override;
    Color getPixel(int x, int y) const override;
    void textOut(int x, int y, const std::string& text, const FontSpec& font, Color color) override;
    void drawTextWrapped(int x, int y, int w, int h, const std::string& text, const FontSpec& font) override;
    // The texts drawn since the last fillWhite, in drawing order.
    const std::vector<DrawnText>& drawnTexts() const { return texts_; }

private:
    struct FreeBuffer {
        void operator()(uint32_t* pixels) const { std::free(pixels); }
    };
    uint32_t* row(int y) { return pixels_.get() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    void markDrawn(int top, int bottom);

    int width_ = 0, height_ = 0;
    // Top-down rows, each pixel its 0x00RRGGBB colour XOR white, so that white is 0: a buffer fresh from
    // calloc is white without being touched, and clearing needs only the rows drawn on since the last
    // clear. The headless window is screen-sized while most repaints draw a small picture; this keeps them
    // from touching megabytes of memory they never use.
    std::unique_ptr<uint32_t[], FreeBuffer> pixels_;
    int drawnTop_ = 0, drawnBottom_ = 0;  // rows [top, bottom) may hold something other than white
    std::vector<DrawnText> texts_;
};

// The colour of pixel x of a DIB row (1, 4, 8 bits through the palette; 24 and 32 bits BGR) as 0x00RRGGBB.
uint32_t dibPixelRgb(const Image& image, const uint8_t* row, int x);

}  // namespace vyd
