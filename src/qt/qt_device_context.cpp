#include "qt/qt_device_context.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "qt/cp1252.h"

namespace vyd {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

QRgb rgbOf(Color color) { return kOpaque | (color & 0xFFFFFFu); }

// The sixteen-bit 5-5-5 word's channel widened to eight bits as the display driver does.
uint32_t widen5(uint32_t v) { return (v << 3) | (v >> 2); }

bool dibDrawable(const Image& image) {
    const int bits = image.bitCount();
    if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (image.stride < rowBytesUnpadded(bits, image.width())) return false;
    return image.pixelBytes() <= image.pixels.size();
}

// Converts pixels [from, to) of one DIB row into 32-bit pixels.
void convertRow(const Image& image, const QRgb* palette, const uint8_t* row, int from, int to, QRgb* out) {
    switch (image.bitCount()) {
        case 1:
            for (int u = from; u < to; ++u) *out++ = palette[(row[u >> 3] >> (7 - (u & 7))) & 1];
            break;
        case 4:
            for (int u = from; u < to; ++u) *out++ = palette[(u & 1) ? (row[u >> 1] & 15) : (row[u >> 1] >> 4)];
            break;
        case 8:
            for (int u = from; u < to; ++u) *out++ = palette[row[u]];
            break;
        case 16:
            for (int u = from; u < to; ++u) {
                const uint32_t word = row[2 * u] | (uint32_t(row[2 * u + 1]) << 8);
                *out++ = kOpaque | (widen5((word >> 10) & 31) << 16) | (widen5((word >> 5) & 31) << 8) |
                         widen5(word & 31);
            }
            break;
        case 24:
            for (int u = from; u < to; ++u) {
                const uint8_t* p = row + 3 * u;
                *out++ = kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
            }
            break;
        default:  // 32
            for (int u = from; u < to; ++u) {
                const uint8_t* p = row + 4 * u;
                *out++ = kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
            }
            break;
    }
}

}  // namespace

void blitDib(QImage& target, const Image& image, int x, int y) {
    if (!dibDrawable(image) || target.format() != QImage::Format_RGB32) return;
    const int x0 = std::max(0, x), x1 = std::min(target.width(), x + image.width());
    const int y0 = std::max(0, y), y1 = std::min(target.height(), y + image.height());
    if (x0 >= x1 || y0 >= y1) return;
    QRgb palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = rgbOf(image.palette[i].value());
    for (int dy = y0; dy < y1; ++dy) {
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(dy)) + x0;
        convertRow(image, palette, image.row(dy - y), x0 - x, x1 - x, out);
    }
}

QImage dibToQImage(const Image& image) {
    if (!dibDrawable(image)) return {};
    QImage out(image.width(), image.height(), QImage::Format_RGB32);
    if (out.isNull()) return {};
    blitDib(out, image, 0, 0);
    return out;
}

QFont fontFor(const FontSpec& wanted) {
    QFont font(QString::fromLatin1(wanted.face.c_str()));
    if (wanted.height < 0) {
        font.setPixelSize(-wanted.height);
    } else {
        // A positive height is the whole cell (ascent and descent): scale the character height to it.
        const int cell = wanted.height > 0 ? wanted.height : 16;
        font.setPixelSize(cell);
        const int measured = QFontMetrics(font).height();
        if (measured > cell) font.setPixelSize(std::max(1, cell * cell / measured));
    }
    return font;
}

void QtDeviceContext::fillWhite() { buffer_.fill(QColor(Qt::white)); }

void QtDeviceContext::fillRect(int x, int y, int w, int h, Color color) {
    const int x0 = std::max(0, x), x1 = std::min(width(), x + std::max(0, w));
    const int y0 = std::max(0, y), y1 = std::min(height(), y + std::max(0, h));
    const QRgb rgb = rgbOf(color);
    for (int yy = y0; yy < y1; ++yy) {
        auto* row = reinterpret_cast<QRgb*>(buffer_.scanLine(yy));
        std::fill(row + x0, row + std::max(x0, x1), rgb);
    }
}

void QtDeviceContext::line(int x0, int y0, int x1, int y1, Color color) {
    // Bresenham from the first point up to, not including, the last, as LineTo draws.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        setPixel(x0, y0, color);
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void QtDeviceContext::setPixel(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    reinterpret_cast<QRgb*>(buffer_.scanLine(y))[x] = rgbOf(color);
}

Color QtDeviceContext::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return kNoColor;
    return reinterpret_cast<const QRgb*>(buffer_.constScanLine(y))[x] & 0xFFFFFFu;
}

void QtDeviceContext::textOut(int x, int y, const std::string& text, const FontSpec& font, Color color) {
    if (buffer_.isNull() || text.empty()) return;
    QPainter painter(&buffer_);
    const QFont qfont = fontFor(font);
    painter.setFont(qfont);
    painter.setPen(QColor(redOf(color), greenOf(color), blueOf(color)));
    // Text cells are drawn opaque on white, as a fresh device context draws them.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.drawText(QPoint(x, y + QFontMetrics(qfont).ascent()), fromCp1252(text));
}

void QtDeviceContext::drawTextWrapped(int x, int y, int w, int h, const std::string& text, const FontSpec& font) {
    if (buffer_.isNull() || text.empty() || w <= 0 || h <= 0) return;
    QPainter painter(&buffer_);
    painter.setFont(fontFor(font));
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setClipRect(QRect(x, y, w, h));
    painter.drawText(QRect(x, y, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, fromCp1252(text));
}

}  // namespace vyd
