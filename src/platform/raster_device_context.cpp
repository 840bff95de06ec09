#include "platform/raster_device_context.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vyd {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFu;

uint32_t stored(Color color) { return (color & kWhite) ^ kWhite; }

}  // namespace

void RasterDeviceContext::resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    pixels_.reset(static_cast<uint32_t*>(std::calloc(std::max<size_t>(count, 1), sizeof(uint32_t))));
    if (!pixels_) throw std::bad_alloc();
    drawnTop_ = drawnBottom_ = 0;
}

void RasterDeviceContext::markDrawn(int top, int bottom) {
    if (top >= bottom) return;
    if (drawnTop_ >= drawnBottom_) {
        drawnTop_ = top;
        drawnBottom_ = bottom;
    } else {
        drawnTop_ = std::min(drawnTop_, top);
        drawnBottom_ = std::max(drawnBottom_, bottom);
    }
}

void RasterDeviceContext::fillWhite() {
    texts_.clear();
    if (drawnTop_ < drawnBottom_) {
        std::memset(row(drawnTop_), 0,
                    static_cast<size_t>(drawnBottom_ - drawnTop_) * static_cast<size_t>(width_) * sizeof(uint32_t));
    }
    drawnTop_ = drawnBottom_ = 0;
}

void RasterDeviceContext::textOut(int x, int y, const std::string& text, const FontSpec&, Color color) {
    texts_.push_back({x, y, text, color, false});
}

void RasterDeviceContext::drawTextWrapped(int x, int y, int, int, const std::string& text, const FontSpec&) {
    texts_.push_back({x, y, text, kTextBlack, true});
}

void RasterDeviceContext::fillRect(int x, int y, int w, int h, Color color) {
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(width_, x + w), y1 = std::min(height_, y + h);
    if (x1 <= x0) return;
    markDrawn(y0, y1);
    for (int yy = y0; yy < y1; ++yy) std::fill(row(yy) + x0, row(yy) + x1, stored(color));
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
    if (x1 <= x0) return;
    markDrawn(y0, y1);
    for (int yy = y0; yy < y1; ++yy) {
        const uint8_t* source = image.row(yy - y);
        uint32_t* out = row(yy);
        for (int xx = x0; xx < x1; ++xx) out[xx] = dibPixelRgb(image, source, xx - x) ^ kWhite;
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
    markDrawn(y, y + 1);
    row(y)[x] = stored(color);
}

Color RasterDeviceContext::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kNoColor;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] ^ kWhite;
}

}  // namespace vyd
