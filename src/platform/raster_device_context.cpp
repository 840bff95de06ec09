#include "platform/raster_device_context.h"

#include <algorithm>
#include <cstdlib>

namespace vyd {

void RasterDeviceContext::resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<size_t>(width_) * height_, 0xFFFFFF);
}

void RasterDeviceContext::fillWhite() { std::fill(pixels_.begin(), pixels_.end(), 0xFFFFFFu); }

void RasterDeviceContext::fillRect(int x, int y, int w, int h, Color color) {
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(width_, x + w), y1 = std::min(height_, y + h);
    for (int yy = y0; yy < y1; ++yy) {
        uint32_t* row = pixels_.data() + static_cast<size_t>(yy) * width_;
        std::fill(row + x0, row + std::max(x0, x1), color & 0xFFFFFFu);
    }
}

uint32_t dibPixelRgb(const Image& image, const uint8_t* row, int x) {
    auto quad = [&](int index) { return image.palette[index].value() & 0xFFFFFFu; };
    switch (image.bitCount()) {
        case 1: return quad((row[x >> 3] >> (7 - (x & 7))) & 1);
        case 4: return quad((x & 1) ? (row[x >> 1] & 15) : (row[x >> 1] >> 4));
        case 8: return quad(row[x]);
        case 32: return static_cast<uint32_t>(row[4 * x]) | (uint32_t(row[4 * x + 1]) << 8) | (uint32_t(row[4 * x + 2]) << 16);
        default: return static_cast<uint32_t>(row[3 * x]) | (uint32_t(row[3 * x + 1]) << 8) | (uint32_t(row[3 * x + 2]) << 16);
    }
}

void RasterDeviceContext::blitImage(const Image& image, int x, int y) {
    if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) return;
    const int x0 = std::max(0, x), x1 = std::min(width_, x + image.width());
    const int y0 = std::max(0, y), y1 = std::min(height_, y + image.height());
    for (int yy = y0; yy < y1; ++yy) {
        const uint8_t* row = image.row(yy - y);
        uint32_t* out = pixels_.data() + static_cast<size_t>(yy) * width_;
        for (int xx = x0; xx < x1; ++xx) out[xx] = dibPixelRgb(image, row, xx - x);
    }
}

void RasterDeviceContext::line(int x0, int y0, int x1, int y1, Color color) {
    // Bresenham, the last point excluded as LineTo does.
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (!(x0 == x1 && y0 == y1)) {
        setPixel(x0, y0, color);
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void RasterDeviceContext::setPixel(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = color & 0xFFFFFFu;
}

Color RasterDeviceContext::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kNoColor;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

}  // namespace vyd
