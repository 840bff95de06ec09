#include "formats/bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "formats/byte_reader.h"
#include "formats/data_floor.h"
#include "modes/imageconv.h"

namespace vyd {

static_assert(std::endian::native == std::endian::little, "header and palette are read and written as stored");

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;      // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr uint32_t kSmallestInfoHeader = 16;   // OS/2 2.x headers may stop after the bit count
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr size_t kPaletteBytes = 256 * sizeof(RgbQuad);
constexpr uint32_t kLargestHeader = 65536;     // real ones have at most 124 bytes

// The fields of a file's header and colour table that the reader uses, whatever the header's version.
struct BmpHeader {
    uint32_t fileSize = 0;     // as the file claims it; only reported, never trusted
    uint32_t pixelOffset = 0;  // from the start of the file
    uint32_t headerSize = 0;   // 12, or 16 and more
    int32_t width = 0;
    int32_t height = 0;        // negative: rows stored top row first
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // 0 = none
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    RgbQuad palette[256];      // entries the file does not hold are the default ones of a new record
};

// Reads the 14-byte file header, the bitmap header and the colour table of the file. False: "bad file BMP".
bool parseHeader(std::span<const uint8_t> bytes, BmpHeader& h) {
    ByteReader in(bytes);
    if (bytes.size() < kFileHeaderBytes || in.u8() != 'B' || in.u8() != 'M') return false;
    h.fileSize = in.u32le();
    in.skip(4);
    h.pixelOffset = in.u32le();
    // Everything between the file header and the pixels is the bitmap header and its colour table.
    const int64_t infoLength = static_cast<int64_t>(h.pixelOffset) - static_cast<int64_t>(kFileHeaderBytes);
    if (infoLength < 4 || h.pixelOffset > bytes.size()) return false;
    h.headerSize = in.u32le();
    if (h.headerSize != kCoreHeaderBytes && h.headerSize < kSmallestInfoHeader) return false;
    if (h.headerSize > infoLength || h.headerSize > kLargestHeader) return false;
    // A colour table holds at most 256 entries: anything longer is not a file we know.
    if (infoLength > static_cast<int64_t>(std::max(h.headerSize, kInfoHeaderBytes) + kPaletteBytes)) return false;

    const size_t tableStart = kFileHeaderBytes + h.headerSize;
    const size_t tableLength = static_cast<size_t>(infoLength) - h.headerSize;
    if (h.headerSize == kCoreHeaderBytes) {
        h.width = in.u16le();
        h.height = in.u16le();
        in.skip(2);  // planes
        h.bitCount = in.u16le();
        for (size_t i = 0; i < 256 && 3 * i + 3 <= tableLength; ++i) {
            const uint8_t* entry = bytes.data() + tableStart + 3 * i;
            h.palette[i] = {entry[0], entry[1], entry[2], 0};
        }
        return true;
    }
    // Info headers of every version start with the 40-byte layout; shorter OS/2 2.x ones stop early and
    // the fields they lack are zero. Longer ones (versions 4 and 5) carry more after it, which is skipped.
    uint8_t fields[kInfoHeaderBytes] = {};
    std::memcpy(fields, bytes.data() + kFileHeaderBytes, std::min(h.headerSize, kInfoHeaderBytes));
    ByteReader info(fields);
    info.skip(4);
    h.width = info.s32le();
    h.height = info.s32le();
    info.skip(2);  // planes
    h.bitCount = info.u16le();
    h.compression = info.u32le();
    info.skip(4);  // image size: the rows are measured from the width instead
    h.xPelsPerMeter = info.s32le();
    h.yPelsPerMeter = info.s32le();
    const uint32_t coloursUsed = info.u32le();
    // A colour table shorter than the header announces means the pixel offset is wrong: the "pixels"
    // would be the table itself.
    if (h.bitCount <= 8 && coloursUsed > 0 &&
        tableLength / sizeof(RgbQuad) < std::min<uint64_t>(coloursUsed, uint64_t{1} << h.bitCount)) {
        return false;
    }
    std::memcpy(h.palette, bytes.data() + tableStart, std::min(tableLength, kPaletteBytes));
    return true;
}

bool knownBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The depth a file of this depth is held at in memory.
int memoryBitCount(int bits) { return bits <= 8 ? 8 : 24; }

// Copies the rows the file holds into image (of the file's depth), turning top-down files the right way up;
// what the file does not reach is cleared.
void copyRows(std::span<const uint8_t> file, size_t pixelOffset, bool topDown, Image& image) {
    const size_t stride = static_cast<size_t>(image.stride);  // the file's row bytes too
    const size_t height = static_cast<size_t>(image.height());
    const std::span<const uint8_t> pixels = file.subspan(std::min(pixelOffset, file.size()));
    uint8_t* base = image.pixels.data();
    if (!topDown) {
        // Bottom-up rows lie in the file as in memory: one copy.
        const size_t bytes = stride * height;
        const size_t have = std::min(bytes, pixels.size());
        std::memcpy(base, pixels.data(), have);
        std::memset(base + have, 0, bytes - have);
        return;
    }
    for (size_t i = 0; i < height; ++i) {
        uint8_t* row = base + (height - 1 - i) * stride;
        const size_t at = std::min(i * stride, pixels.size());
        const size_t have = std::min(stride, pixels.size() - at);
        std::memcpy(row, pixels.data() + at, have);
        std::memset(row + have, 0, stride - have);
    }
}

CodecDetail arraySize(const BmpHeader& h) { return {h.fileSize, h.pixelOffset, {}}; }

// Writes a picture as it is held (no packing): file header, the 40-byte header, the palette, the rows.
// borrowRows: the rows are borrowed from image rather than copied.
void writeAsHeld(const Image& image, bool borrowRows, Encoded& out) {
    const BitmapInfoHeader& info = image.header;
    const int64_t bits = info.biBitCount;
    const int64_t width = std::max<int64_t>(info.biWidth, 0);
    const int64_t height = std::max<int64_t>(info.biHeight, 0);
    const int64_t rowBytes = ((bits * width + 7) / 8 + 3) & ~int64_t{3};
    const int64_t paletteBytes = bits <= 8 ? int64_t{4} << bits : 0;
    const int64_t pixelBytes = rowBytes * height;
    const int64_t stride = image.stride;
    // The rows must lie inside the buffer; a record that does not hold them cannot be written.
    if (pixelBytes > 0 && (!image.hasPixels() || rowBytes > stride ||
                           static_cast<uint64_t>((height - 1) * stride + rowBytes) > image.pixels.size())) {
        out.fail(CodecError::CantWriteFile);
        return;
    }

    // The sizes are those of the file format: 32-bit fields, whatever they hold for a picture beyond them.
    const uint32_t offset = static_cast<uint32_t>(kFileHeaderBytes + sizeof(BitmapInfoHeader) +
                                                  static_cast<uint64_t>(paletteBytes));
    const uint32_t fileSize = static_cast<uint32_t>(offset + static_cast<uint64_t>(pixelBytes));
    const uint8_t fileHeader[kFileHeaderBytes] = {
        'B', 'M',
        static_cast<uint8_t>(fileSize), static_cast<uint8_t>(fileSize >> 8),
        static_cast<uint8_t>(fileSize >> 16), static_cast<uint8_t>(fileSize >> 24),
        0, 0, 0, 0,
        static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
        static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24)};
    EncodedFile& file = out.bytes;
    file.append(fileHeader, sizeof fileHeader);
    file.append(&image.header, sizeof(BitmapInfoHeader));
    file.append(image.palette, static_cast<size_t>(std::min<int64_t>(paletteBytes, kPaletteBytes)));
    if (pixelBytes <= 0) return;
    const auto add = [&file, borrowRows](const uint8_t* start, size_t n) {
        if (borrowRows) {
            file.borrow({start, n});
        } else {
            file.append(start, n);
        }
    };
    // The padding at the end of each row is written as zeros, never as whatever the buffer held there.
    const size_t used = static_cast<size_t>((bits * width + 7) / 8);
    const size_t padded = static_cast<size_t>(rowBytes);
    if (used == padded && rowBytes == stride) {
        add(image.pixels.data(), static_cast<size_t>(pixelBytes));
        return;
    }
    for (int64_t y = 0; y < height; ++y) {
        add(image.pixels.data() + y * stride, used);
        file.appendZeros(padded - used);
    }
}

}  // namespace

bool probeBmp(std::span<const uint8_t> head) { return head.size() >= 2 && head[0] == 'B' && head[1] == 'M'; }

Decoded decodeBmp(std::span<const uint8_t> bytes, const ModeSettings& modes) {
    Decoded out;
    clearImage(out.picture);
    BmpHeader h;
    for (size_t i = 0; i < 16; ++i) {
        h.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
    if (!parseHeader(bytes, h)) return std::move(out.fail(CodecError::BadBmp));
    if (h.compression != 0) return std::move(out.fail(CodecError::CompressedBmp));

    const int bits = h.bitCount;
    const bool topDown = h.height < 0;
    const int64_t width = h.width;
    const int64_t height = topDown ? -static_cast<int64_t>(h.height) : h.height;
    if (!knownBitCount(bits) || width <= 0 || height <= 0) return std::move(out.fail(CodecError::BadBmp));
    if (!sizeWithinLimits(bits, width, height) || !sizeWithinLimits(memoryBitCount(bits), width, height)) {
        return std::move(out.fail(CodecError::TooBig, {width, height, {}}));
    }

    // The rows are raw: a picture far larger than the rows the file's bytes reach is refused before it is made.
    const uint64_t rowBytes =
        (static_cast<uint64_t>(rowBytesUnpadded(bits, static_cast<int32_t>(width))) + 3) & ~uint64_t{3};
    const uint64_t available = bytes.size() - std::min<size_t>(h.pixelOffset, bytes.size());
    const auto columns = static_cast<uint64_t>(width), rows = static_cast<uint64_t>(height);
    const uint64_t rowsHeld = std::min((available + rowBytes - 1) / rowBytes, rows);
    if (beyondDataFloor(columns * rows, rowsHeld * columns)) {
        return std::move(out.fail(CodecError::BeyondData, {width, height, {}}));
    }

    // The rows as the file holds them, at the file's depth (the limits above keep the sizes in int range).
    Image file;
    if (!createImage(file, bits, bits, static_cast<int>(width), static_cast<int>(height))) {
        return std::move(out.fail(CodecError::BmpNoImageArray, arraySize(h)));
    }
    std::copy(std::begin(h.palette), std::end(h.palette), file.palette);
    copyRows(bytes, h.pixelOffset, topDown, file);

    Image& result = out.picture;
    if (bits == 8 || bits == 24) {
        adoptImage(result, file);
    } else {
        // Packed and 16- or 32-bit pixels are unpacked by the one conversion routine.
        const int code = bits < 8 ? bits + 64 : kCodeTrue;
        ConversionMessage bug;
        if (!imageconv(file, result, code, modes, &bug)) {
            if (!bug.text.empty()) out.warn(CodecWarning::Conversion, {0, 0, std::move(bug)});
            return std::move(out.fail(CodecError::BmpNoImageArray, arraySize(h)));
        }
        // The unpacking keeps the file's colours: both of a 2-color file, all sixteen of a 16-color one.
        result.mode = static_cast<int16_t>(bits);
    }
    result.header.biXPelsPerMeter = h.xPelsPerMeter;
    result.header.biYPelsPerMeter = h.yPelsPerMeter;
    out.paletteSet = 256;
    return out;
}

Encoded encodeBmp(const Image& image, const EncodeOptions& options) {
    Encoded out;
    const bool packed = image.bitCount() == 8 && (image.mode == kMode2 || image.mode == kMode16);
    if (!packed) {
        writeAsHeld(image, true, out);
        return out;
    }
    // The packing gives the file the picture's own colours: a 2-color picture's entries 0 and 15 become
    // file entries 0 and 1, a 16-color picture's entries 0..15 file entries 0..15.
    Image bitsImage;
    if (!imageconv(image, bitsImage, image.mode, options.modes)) return std::move(out.fail(CodecError::ConversionFailed));
    writeAsHeld(bitsImage, false, out);
    return out;
}

}  // namespace vyd
