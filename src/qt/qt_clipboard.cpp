#include "qt/qt_clipboard.h"

#include <algorithm>

namespace vyd {

namespace {

int depthFor(QImage::Format format) {
    switch (format) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB: return 1;
        case QImage::Format_Indexed8: return 8;
        case QImage::Format_RGB16:
        case QImage::Format_RGB555:
        case QImage::Format_RGB444: return 16;
        case QImage::Format_RGB888:
        case QImage::Format_BGR888: return 24;
        default: return 32;
    }
}

// The picture's colour table as the palette; entries it does not have are black.
void takePalette(const QImage& picture, Image& image) {
    const QList<QRgb> table = picture.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb rgb = i < table.size() ? table[i] : 0;
        image.palette[i] = {static_cast<uint8_t>(qBlue(rgb)), static_cast<uint8_t>(qGreen(rgb)),
                            static_cast<uint8_t>(qRed(rgb)), 0};
    }
}

void putIndices(const QImage& picture, Image& image) {
    const int bits = image.bitCount();
    for (int v = 0; v < picture.height(); ++v) {
        uint8_t* out = image.row(v);
        for (int u = 0; u < picture.width(); ++u) {
            const int index = picture.pixelIndex(u, v);
            if (bits == 8) out[u] = static_cast<uint8_t>(index);
            else out[u >> 3] |= static_cast<uint8_t>((index & 1) << (7 - (u & 7)));
        }
    }
}

// Truecolor pixels from the picture's 32-bit form: 5-5-5 words (red in bits 10-14, green in 5-9, blue in
// 0-4), or blue, green, red bytes, with a zero fourth byte at 32 bits.
void putTruecolor(const QImage& picture, Image& image) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int bits = image.bitCount();
    for (int v = 0; v < rgb.height(); ++v) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(v));
        uint8_t* out = image.row(v);
        for (int u = 0; u < rgb.width(); ++u) {
            const QRgb p = in[u];
            if (bits == 16) {
                const unsigned word = ((qRed(p) >> 3) << 10) | ((qGreen(p) >> 3) << 5) | (qBlue(p) >> 3);
                *out++ = static_cast<uint8_t>(word);
                *out++ = static_cast<uint8_t>(word >> 8);
                continue;
            }
            *out++ = static_cast<uint8_t>(qBlue(p));
            *out++ = static_cast<uint8_t>(qGreen(p));
            *out++ = static_cast<uint8_t>(qRed(p));
            if (bits == 32) *out++ = 0;
        }
    }
}

}  // namespace

std::optional<Image> dibFromClipboardPicture(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    const int bits = depthFor(picture.format());
    Image image;
    // Sizes beyond the limits get no pixels.
    if (!initImageSized(image, bits, bits, picture.width(), picture.height())) return std::nullopt;
    std::fill_n(image.pixels.data(), image.pixelBytes(), 0);  // bits and bytes past each row's pixels stay 0
    if (bits <= 8) {
        takePalette(picture, image);
        putIndices(picture, image);
    } else {
        putTruecolor(picture, image);
    }
    return image;
}

}  // namespace vyd
