// The Image record: one device-independent bitmap in memory (header, 256-entry palette, colour mode,
// two picked colours) that owns its pixel rows. Rows are stored bottom-up; y counts from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vyd {

// Colour value: blue in the low byte, then green, red and a top byte 0. All bytes 0xFF means no colour.
using Color = uint32_t;
inline constexpr Color kNoColor = 0xFFFFFFFFu;

constexpr Color makeColor(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<Color>(blue) | (static_cast<Color>(green) << 8) | (static_cast<Color>(red) << 16);
}
// The colour value of a truecolor pixel's three bytes (blue, green, red).
constexpr Color colorOfPixel(const uint8_t* p) { return makeColor(p[2], p[1], p[0]); }
constexpr uint8_t blueOf(Color c) { return static_cast<uint8_t>(c); }
constexpr uint8_t greenOf(Color c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t redOf(Color c) { return static_cast<uint8_t>(c >> 16); }

// Colour-mode codes held in Image::mode.
enum ColorMode : int16_t {
    kModeEmpty = 0,
    kMode2 = 1,
    kMode16 = 4,
    kMode256 = 8,
    kModeGreys = 9,
    kModeTrue16 = 16,
    kModeTrue24 = 24,
    kModeTrue32 = 32,
};

// The 40-byte BITMAPINFOHEADER, laid out exactly as in a BMP file.
struct BitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 12000;
    int32_t biYPelsPerMeter = 12000;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

struct RgbQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;

    Color value() const {
        return static_cast<Color>(rgbBlue) | (static_cast<Color>(rgbGreen) << 8) |
               (static_cast<Color>(rgbRed) << 16) | (static_cast<Color>(rgbReserved) << 24);
    }
    static RgbQuad fromValue(Color c) {
        return {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16),
                static_cast<uint8_t>(c >> 24)};
    }
    bool operator==(const RgbQuad&) const = default;
};
static_assert(sizeof(RgbQuad) == 4);

// The largest row, in bytes before padding, that the 16-bit row arithmetic can describe.
inline constexpr int kMaxRowBytes = 32764;
inline constexpr int kMaxDimension = 32767;
// Every pixel buffer has this many spare bytes after its last row.
inline constexpr size_t kSpareBytes = 2048;

// An owned pixel buffer (content not cleared on allocation).
class PixelBuffer {
public:
    PixelBuffer() = default;
    static PixelBuffer allocate(size_t bytes);  // empty buffer when the allocation fails
    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }
    void reset() { data_.reset(); size_ = 0; }

private:
    struct Release { void operator()(uint8_t* p) const; size_t bytes; };
    std::unique_ptr<uint8_t[], Release> data_{nullptr, Release{0}};
    size_t size_ = 0;
};

struct Image {
    PixelBuffer pixels;
    int16_t mode = kMode2;
    Color leftColor = kNoColor;
    Color rightColor = kNoColor;
    int32_t stride = 0;
    // header and palette lie next to each other: together they are a bitmap-info block with 256 colours,
    // which BMP files read and write in one piece.
    BitmapInfoHeader header;
    RgbQuad palette[256];

    Image();  // the same as initImage: an empty 2-color record
    Image(Image&&) noexcept = default;
    Image& operator=(Image&&) noexcept = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int width() const { return header.biWidth; }
    int height() const { return header.biHeight; }
    int bitCount() const { return header.biBitCount; }
    bool hasPixels() const { return static_cast<bool>(pixels); }
    // Row y counted from the top (no bounds check: 0 <= y < height).
    uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(header.biHeight - y - 1) * stride; }
    const uint8_t* row(int y) const {
        return pixels.data() + static_cast<size_t>(header.biHeight - y - 1) * stride;
    }
    // The header and palette as one 1064-byte block.
    uint8_t* infoBytes() { return reinterpret_cast<uint8_t*>(&header); }
    const uint8_t* infoBytes() const { return reinterpret_cast<const uint8_t*>(&header); }
    size_t pixelBytes() const { return static_cast<size_t>(header.biHeight) * static_cast<size_t>(stride); }
};
inline constexpr size_t kInfoBlockBytes = sizeof(BitmapInfoHeader) + 256 * sizeof(RgbQuad);

extern const uint8_t defaultPalette16[16][3];  // (blue, green, red) triples

// Bytes per row before padding (may exceed kMaxRowBytes: callers check).
int32_t rowBytesUnpadded(int bits, int32_t width);
// Whether a picture of this depth and size fits the record's 16-bit row and size arithmetic.
bool sizeWithinLimits(int bits, int64_t width, int64_t height);

// Image creation takes (mode, bits, width, height) throughout; a mode of -1 means "the bit count".
void initImage(Image& image);
// As createImage, after clearing the palette.
uint8_t* initImageSized(Image& image, int mode, int bits, int width, int height);
// Re-creates the record in place; returns the new buffer, or nullptr when there is none (empty size,
// a size beyond the limits, or a failed allocation).
uint8_t* createImage(Image& image, int mode, int bits, int width, int height);
// The empty 2-color picture (0 x 0, one bit): what a record holds when it has no picture, and what a reader
// leaves after a failure.
void makeEmptyImage(Image& image);
// An empty record with no mode or depth: what a reader starts from.
void clearImage(Image& image);
void computeStride(Image& image);
bool sameFormat(const Image* a, const Image* b);
void adoptImage(Image& destination, Image& source);
// Copies every field but the pixels (the copy has no buffer).
void copyImageFields(Image& destination, const Image& source);
// A deep copy, pixels included.
Image cloneImage(const Image& source);
Color pixelColor(const Image& image, int x, int y, bool viaPalette);
uint8_t indexAt(const Image& image, int x, int16_t y);
std::vector<uint8_t*> rowTable(Image& image);
uint8_t* tileImage(Image& image, int width, int height);

// The one undo image, made on first use.
uint8_t* prepareUndo(std::unique_ptr<Image>& undo, const Image& source);
void saveUndo(std::unique_ptr<Image>& undo, const Image& source);

}  // namespace vyd
