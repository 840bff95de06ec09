#include "image/image.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vyd {

const uint8_t defaultPalette16[16][3] = {
    {0x00, 0x00, 0x00}, {0xAA, 0x00, 0x00}, {0x00, 0xAA, 0x00}, {0xAA, 0xAA, 0x00},
    {0x00, 0x00, 0xAA}, {0xAA, 0x00, 0xAA}, {0x00, 0xAA, 0xAA}, {0xAA, 0xAA, 0xAA},
    {0x55, 0x55, 0x55}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

namespace {
// Large buffers are aligned to 2 MiB and offered transparent huge pages: first touch of fresh memory is
// far cheaper in big pages, and every repaint and codec writes whole buffers.
constexpr size_t kHugePage = size_t{2} << 20;
}  // namespace

void PixelBuffer::Release::operator()(uint8_t* p) const { std::free(p); }

PixelBuffer PixelBuffer::allocate(size_t bytes) {
    PixelBuffer buffer;
    if (bytes == 0) return buffer;
    void* p = nullptr;
    if (bytes >= kHugePage) {
        size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        p = std::aligned_alloc(kHugePage, rounded);
        if (p) madvise(p, rounded, MADV_HUGEPAGE);
    } else {
        p = std::malloc(bytes);
    }
    if (!p) return buffer;
    buffer.data_ = std::unique_ptr<uint8_t[], Release>(static_cast<uint8_t*>(p), Release{bytes});
    buffer.size_ = bytes;
    return buffer;
}

Image::Image() { initImage(*this); }

int32_t rowBytesUnpadded(int bits, int32_t width) {
    int64_t w = width < 0 ? 0 : width;
    int64_t bytes;
    switch (bits) {
        case 32: bytes = 4 * w; break;
        case 24: bytes = 3 * w; break;
        case 16: bytes = 2 * w; break;
        case 8: bytes = w; break;
        case 4: bytes = (w + 1) / 2; break;
        default: bytes = (w + 7) / 8; break;
    }
    return static_cast<int32_t>(std::min<int64_t>(bytes, INT32_MAX));
}

bool sizeWithinLimits(int bits, int64_t width, int64_t height) {
    if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension) return false;
    return rowBytesUnpadded(bits, static_cast<int32_t>(width)) <= kMaxRowBytes;
}

void computeStride(Image& image) {
    int32_t bytes = rowBytesUnpadded(image.header.biBitCount, image.header.biWidth);
    image.stride = (bytes + 3) & ~3;
}

void initImage(Image& image) {
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad{});
    image.pixels.reset();
    makeEmptyImage(image);
}

uint8_t* initImageSized(Image& image, int mode, int bits, int width, int height) {
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad{});
    image.pixels.reset();
    return createImage(image, mode, bits, width, height);
}

void makeEmptyImage(Image& image) { createImage(image, -1, 1, 0, 0); }

void clearImage(Image& image) { createImage(image, 0, 0, 0, 0); }

uint8_t* createImage(Image& image, int mode, int bits, int width, int height) {
    BitmapInfoHeader& h = image.header;
    h.biWidth = width;
    h.biHeight = height;
    image.mode = static_cast<int16_t>(mode < 0 ? bits : mode);
    h.biPlanes = 1;
    h.biBitCount = static_cast<uint16_t>(bits);
    image.pixels.reset();
    h.biXPelsPerMeter = h.biYPelsPerMeter = 12000;
    h.biSizeImage = 0;
    h.biCompression = 0;
    h.biClrUsed = h.biClrImportant = bits <= 8 ? (1u << bits) : 0u;
    h.biSize = 40;
    computeStride(image);
    // Sizes beyond the 16-bit limits get no buffer: the caller reports it as a failed allocation.
    if (width > 0 && height > 0 && sizeWithinLimits(bits, width, height)) {
        image.pixels = PixelBuffer::allocate(static_cast<size_t>(height) * image.stride + kSpareBytes);
    }
    image.leftColor = image.rightColor = kNoColor;
    for (int i = 0; i < 16; ++i) {
        image.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
    return image.pixels.data();
}

bool sameFormat(const Image* a, const Image* b) {
    if (!a || !b) return false;
    if (a->width() != b->width() || a->height() != b->height() || a->bitCount() != b->bitCount()) return false;
    if (!a->hasPixels() || !b->hasPixels()) return false;
    if (a->bitCount() < 24 && a->mode != b->mode) return false;
    if (a->mode == kMode256) {
        for (int i = 0; i < 256; ++i) {
            if (!(a->palette[i] == b->palette[i])) return false;
        }
    }
    return true;
}

void copyImageFields(Image& destination, const Image& source) {
    destination.pixels.reset();
    destination.mode = source.mode;
    destination.leftColor = source.leftColor;
    destination.rightColor = source.rightColor;
    destination.stride = source.stride;
    destination.header = source.header;
    std::copy(std::begin(source.palette), std::end(source.palette), destination.palette);
}

void adoptImage(Image& destination, Image& source) {
    if (&destination == &source) return;
    copyImageFields(destination, source);
    destination.pixels = std::move(source.pixels);
    source.pixels.reset();
}

Image cloneImage(const Image& source) {
    Image copy;
    copyImageFields(copy, source);
    if (source.hasPixels()) {
        copy.pixels = PixelBuffer::allocate(source.pixels.size());
        if (copy.pixels) std::memcpy(copy.pixels.data(), source.pixels.data(), source.pixels.size());
    }
    return copy;
}

Color pixelColor(const Image& image, int x, int y, bool viaPalette) {
    if (x < 0 || x >= image.width() || y < 0 || y >= image.height() || !image.hasPixels()) return kNoColor;
    const uint8_t* row = image.row(y);
    if (image.bitCount() == 8) {
        uint8_t index = row[x];
        return viaPalette ? image.palette[index].value() : static_cast<Color>(index);
    }
    return colorOfPixel(row + 3 * x);
}

uint8_t indexAt(const Image& image, int x, int16_t y) {
    if (y < 0 || y >= image.height() || x < 0 || x >= image.width() || !image.hasPixels()) return 15;
    return image.row(y)[x];
}

std::vector<uint8_t*> rowTable(Image& image) {
    std::vector<uint8_t*> rows;
    if (image.height() <= 0 || !image.hasPixels()) return rows;
    rows.resize(static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) rows[y] = image.row(y);
    return rows;
}

uint8_t* tileImage(Image& image, int width, int height) {
    Image old;
    copyImageFields(old, image);
    old.pixels = std::move(image.pixels);
    int mode = image.mode;
    // Rebuild the header for the new size with the old depth and mode; the palette keeps entries 16..255.
    createImage(image, mode, old.bitCount(), width, height);
    if (old.hasPixels() && image.hasPixels() && old.width() > 0 && old.height() > 0) {
        const int bytesPerPixel = old.bitCount() == 24 ? 3 : 1;
        for (int y = 0; y < height; ++y) {
            const uint8_t* from = old.row(y % old.height());
            uint8_t* to = image.row(y);
            for (int x = 0; x < width; ++x) {
                std::memcpy(to + bytesPerPixel * x, from + bytesPerPixel * (x % old.width()), bytesPerPixel);
            }
        }
    }
    return image.pixels.data();
}

uint8_t* prepareUndo(std::unique_ptr<Image>& undo, const Image& source) {
    if (!undo) undo = std::make_unique<Image>();
    if (sameFormat(undo.get(), &source)) return undo->pixels.data();
    copyImageFields(*undo, source);
    computeStride(*undo);
    if (source.width() > 0 && source.height() > 0 && sizeWithinLimits(source.bitCount(), source.width(), source.height())) {
        undo->pixels = PixelBuffer::allocate(static_cast<size_t>(source.height()) * undo->stride + kSpareBytes);
    }
    return undo->pixels.data();
}

void saveUndo(std::unique_ptr<Image>& undo, const Image& source) {
    uint8_t* target = prepareUndo(undo, source);
    if (!target || !source.hasPixels()) return;
    std::memcpy(target, source.pixels.data(), std::min(source.pixelBytes(), undo->pixels.size()));
}

}  // namespace vyd
