#include "formats/bmp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/file_io.h"
#include "formats/size_limits.h"
#include "modes/imageconv.h"
#include "util/text_format.h"

namespace vyd {

static_assert(std::endian::native == std::endian::little, "header and palette are read and written as stored");

namespace {

constexpr const char* kCantOpenFileText = "I can't open this file";
constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;      // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr uint32_t kSmallestInfoHeader = 16;   // OS/2 2.x headers may stop after the bit count
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr size_t kPaletteBytes = 256 * sizeof(RgbQuad);
constexpr uint32_t kLargestHeader = 65536;     // real ones have at most 124 bytes
// The most a file's headers and colour table can take before the pixels.
constexpr size_t kHeadBytes = kFileHeaderBytes + kLargestHeader + kPaletteBytes;

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

// Reads the 14-byte file header, the bitmap header and the colour table from bytes, the first
// min(fileLength, kHeadBytes) bytes of a file of fileLength bytes. False: "bad file BMP".
bool parseHeader(std::span<const uint8_t> bytes, uint64_t fileLength, BmpHeader& h) {
    ByteReader in(bytes);
    if (bytes.size() < kFileHeaderBytes || in.u8() != 'B' || in.u8() != 'M') return false;
    h.fileSize = in.u32le();
    in.skip(4);
    h.pixelOffset = in.u32le();
    // Everything between the file header and the pixels is the bitmap header and its colour table.
    const int64_t infoLength = static_cast<int64_t>(h.pixelOffset) - static_cast<int64_t>(kFileHeaderBytes);
    if (infoLength < 4 || h.pixelOffset > fileLength || h.pixelOffset > bytes.size()) return false;
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

// Reads up to n bytes at offset at of the file into to; returns how many there were.
using ReadAt = std::function<size_t(uint8_t* to, size_t n, uint64_t at)>;

// Reads the rows the file holds into image (of the file's depth), turning top-down files the right way
// up; what the file does not reach is cleared.
void readRows(const ReadAt& readAt, uint64_t pixelOffset, bool topDown, Image& image) {
    const size_t stride = static_cast<size_t>(image.stride);  // the file's row bytes too
    const int height = image.height();
    uint8_t* base = image.pixels.data();
    if (!topDown) {
        // Bottom-up rows lie in the file as in memory: one read.
        const size_t bytes = stride * static_cast<size_t>(height);
        const size_t got = readAt(base, bytes, pixelOffset);
        std::memset(base + got, 0, bytes - got);
        return;
    }
    for (int i = 0; i < height; ++i) {
        uint8_t* row = base + static_cast<size_t>(height - 1 - i) * stride;
        const size_t got = readAt(row, stride, pixelOffset + static_cast<uint64_t>(i) * stride);
        std::memset(row + got, 0, stride - got);
    }
}

std::string allocationText(const BmpHeader& h) {
    return formatText("image array allegedly should be %d bytes long: I can't create it: %x %x",
                      static_cast<int>(h.fileSize - h.pixelOffset), h.fileSize, h.pixelOffset);
}

// Reads a file whose first min(fileLength, kHeadBytes) bytes are head and whose rows readAt reads.
CodecResult readInto(std::span<const uint8_t> head, uint64_t fileLength, const ReadAt& readAt,
                     const std::string& name, Image& image, const ModeSettings& modes) {
    BmpHeader h;
    for (int i = 0; i < 16; ++i) {
        h.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
    if (!parseHeader(head, fileLength, h)) return CodecResult::failure(kBadBmpText, name);
    if (h.compression != 0) return CodecResult::failure(name, kCompressedBmpCaption);

    const int bits = h.bitCount;
    const bool topDown = h.height < 0;
    const int64_t width = h.width;
    const int64_t height = topDown ? -static_cast<int64_t>(h.height) : h.height;
    if (!knownBitCount(bits) || width <= 0 || height <= 0) return CodecResult::failure(kBadBmpText, name);
    if (!sizeWithinLimits(bits, width, height) || !sizeWithinLimits(memoryBitCount(bits), width, height)) {
        return CodecResult::failure(tooBigText(width, height), name);
    }

    // The rows as the file holds them, at the file's depth.
    Image file;
    if (!createImage(file, bits, bits, static_cast<int>(width), static_cast<int>(height))) {
        return CodecResult::failure(allocationText(h), name);
    }
    std::copy(std::begin(h.palette), std::end(h.palette), file.palette);
    readRows(readAt, h.pixelOffset, topDown, file);

    Image result;
    if (bits == 8 || bits == 24) {
        adoptImage(result, file);
    } else {
        // Packed and 16- or 32-bit pixels are unpacked by the one conversion routine.
        const int code = bits < 8 ? bits + 64 : kCodeTrue;
        ConversionMessage bug;
        if (!imageconv(file, result, code, modes, &bug)) {
            CodecResult outcome;
            if (!bug.text.empty()) outcome.warn(bug.text, bug.caption);
            return outcome.fail(allocationText(h), name);
        }
        // The unpacking keeps the file's colours: both of a 2-color file, all sixteen of a 16-color one.
        result.mode = static_cast<int16_t>(bits);
    }
    result.header.biXPelsPerMeter = h.xPelsPerMeter;
    result.header.biYPelsPerMeter = h.yPelsPerMeter;
    adoptImage(image, result);
    return CodecResult::success();
}

// Writes an image as it is held (no packing): file header, the 40-byte header, the palette, the rows.
CodecResult writeAsHeld(const std::string& name, const Image& image) {
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
        return CodecResult::failure("I can't write this file", name);
    }

    AtomicFileWriter out(name);
    if (!out.open()) return CodecResult::failure(kCantOpenFileText, name);
    const uint32_t offset = static_cast<uint32_t>(kFileHeaderBytes + sizeof(BitmapInfoHeader) + paletteBytes);
    const uint32_t fileSize = static_cast<uint32_t>(offset + pixelBytes);
    const uint8_t fileHeader[kFileHeaderBytes] = {
        'B', 'M',
        static_cast<uint8_t>(fileSize), static_cast<uint8_t>(fileSize >> 8),
        static_cast<uint8_t>(fileSize >> 16), static_cast<uint8_t>(fileSize >> 24),
        0, 0, 0, 0,
        static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
        static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24)};
    out.write(fileHeader, sizeof fileHeader);
    out.write(&image.header, sizeof(BitmapInfoHeader));
    out.write(image.palette, static_cast<size_t>(std::min<int64_t>(paletteBytes, kPaletteBytes)));
    // The padding at the end of each row is written as zeros, never as whatever the buffer held there.
    const int64_t used = (bits * width + 7) / 8;
    if (pixelBytes > 0 && used == rowBytes && rowBytes == stride) {
        out.write(image.pixels.data(), static_cast<size_t>(pixelBytes));
    } else if (pixelBytes > 0) {
        static constexpr uint8_t kZeros[4] = {};
        for (int64_t y = 0; y < height; ++y) {
            out.write(image.pixels.data() + y * stride, static_cast<size_t>(used));
            out.write(kZeros, static_cast<size_t>(rowBytes - used));
        }
    }
    if (!out.commit()) return CodecResult::failure("I can't write this file", name);
    return CodecResult::success();
}

}  // namespace

CodecResult decodeBmp(std::span<const uint8_t> bytes, const std::string& name, Image& image,
                      const ModeSettings& modes) {
    clearImage(image);
    const ReadAt fromMemory = [bytes](uint8_t* to, size_t n, uint64_t at) -> size_t {
        if (at >= bytes.size()) return 0;
        const size_t have = std::min<uint64_t>(n, bytes.size() - at);
        std::memcpy(to, bytes.data() + at, have);
        return have;
    };
    CodecResult outcome = readInto(bytes, bytes.size(), fromMemory, name, image, modes);
    if (!outcome.ok) makeEmptyImage(image);
    return outcome;
}

CodecResult readBmpFile(const std::string& path, Image& image, const ModeSettings& modes) {
    clearImage(image);
    CodecResult outcome;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        outcome = CodecResult::failure(kCantOpenFileText, path);
    } else {
        // The rows go from the file straight into the picture's buffer.
        const ReadAt fromFile = [fd](uint8_t* to, size_t n, uint64_t at) -> size_t {
            size_t got = 0;
            while (got < n) {
                const ssize_t r = ::pread(fd, to + got, n - got, static_cast<off_t>(at + got));
                if (r < 0 && errno == EINTR) continue;
                if (r <= 0) break;
                got += static_cast<size_t>(r);
            }
            return got;
        };
        const uint64_t fileLength = static_cast<uint64_t>(st.st_size);
        std::vector<uint8_t> head(std::min<uint64_t>(fileLength, kHeadBytes));
        head.resize(fromFile(head.data(), head.size(), 0));
        outcome = readInto(head, fileLength, fromFile, path, image, modes);
    }
    if (fd >= 0) ::close(fd);
    if (!outcome.ok) makeEmptyImage(image);
    return outcome;
}

CodecResult writeBmp(const std::string& name, const Image& image, const ModeSettings& modes) {
    const bool packed = image.bitCount() == 8 && (image.mode == kMode2 || image.mode == kMode16);
    if (!packed) return writeAsHeld(name, image);
    // The packing gives the file the picture's own colours: a 2-color picture's entries 0 and 15 become
    // file entries 0 and 1, a 16-color picture's entries 0..15 file entries 0..15.
    Image bitsImage;
    if (!imageconv(image, bitsImage, image.mode, modes)) return CodecResult{};
    return writeAsHeld(name, bitsImage);
}

}  // namespace vyd
