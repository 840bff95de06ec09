// A device context over a plain 32-bit pixel buffer (0x00RRGGBB), for the headless platform.
// Text is not rasterised: no font engine is needed headless, and nothing inspects text pixels there.
#pragma once

#include <vector>

#include "platform_api/device_context.h"

namespace vyd {

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
    void textOut(int, int, const std::string&, const FontSpec&) override {}
    void drawTextWrapped(int, int, int, int, const std::string&, const FontSpec&) override {}
    const std::vector<uint32_t>& pixels() const { return pixels_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;  // top-down rows, 0x00RRGGBB
};

// The colour of pixel x of a DIB row (1, 4, 8 bits through the palette; 24 and 32 bits BGR) as 0x00RRGGBB.
uint32_t dibPixelRgb(const Image& image, const uint8_t* row, int x);

}  // namespace vyd
