// PCX: header record, run-length lines, bit planes, then the reader and the writer.
#include "formats/pcx.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "formats/byte_reader.h"
#include "formats/data_floor.h"
#include "modes/imageconv.h"

namespace vyd {

// ---- Header -------------------------------------------------------------------------------------------

PcxHeader parsePcxHeader(std::span<const uint8_t, kPcxHeaderBytes> bytes) {
    ByteReader in{bytes};
    PcxHeader h;
    h.manufacturer = in.u8();
    h.version = in.u8();
    h.encoding = in.u8();
    h.bitsPerPixel = in.u8();
    h.xMin = in.u16le();
    h.yMin = in.u16le();
    h.xMax = in.u16le();
    h.yMax = in.u16le();
    h.hDpi = in.u16le();
    h.vDpi = in.u16le();
    in.read(h.colormap, sizeof h.colormap);
    h.reserved = in.u8();
    h.nPlanes = in.u8();
    h.bytesPerLine = in.u16le();
    h.paletteInfo = in.u16le();
    in.read(h.filler, sizeof h.filler);
    return h;
}

std::array<uint8_t, kPcxHeaderBytes> serializePcxHeader(const PcxHeader& h) {
    std::array<uint8_t, kPcxHeaderBytes> out{};
    uint8_t* p = out.data();
    auto put8 = [&p](uint8_t v) { *p++ = v; };
    auto put16 = [&p](uint16_t v) { *p++ = static_cast<uint8_t>(v); *p++ = static_cast<uint8_t>(v >> 8); };
    put8(h.manufacturer);
    put8(h.version);
    put8(h.encoding);
    put8(h.bitsPerPixel);
    put16(h.xMin);
    put16(h.yMin);
    put16(h.xMax);
    put16(h.yMax);
    put16(h.hDpi);
    put16(h.vDpi);
    std::memcpy(p, h.colormap, sizeof h.colormap);
    p += sizeof h.colormap;
    put8(h.reserved);
    put8(h.nPlanes);
    put16(h.bytesPerLine);
    put16(h.paletteInfo);
    std::memcpy(p, h.filler, sizeof h.filler);
    return out;
}

// ---- Run-length lines ---------------------------------------------------------------------------------

bool decodeRunLine(std::span<uint8_t> line, std::span<const uint8_t> data, size_t& position) {
    uint8_t* out = line.data();
    uint8_t* const end = out + line.size();
    const uint8_t* in = data.data() + std::min(position, data.size());
    const uint8_t* const inEnd = data.data() + data.size();
    // While a whole run of 63 still fits in the line and two bytes are left to read, take literal bytes and
    // runs alike without a branch on which they are: store eight copies, and finish longer runs apart.
    while (end - out >= 64 && inEnd - in >= 2) {
        const uint8_t b = in[0];
        const bool isCount = b >= 0xC0;
        const uint8_t value = isCount ? in[1] : b;
        const size_t count = isCount ? (b & 0x3Fu) : 1;
        in += 1 + isCount;
        const uint64_t eight = 0x0101010101010101ull * value;
        std::memcpy(out, &eight, 8);
        if (count > 8) std::memset(out + 8, value, count - 8);
        out += count;
    }
    while (out < end) {
        if (in == inEnd) break;
        const uint8_t b = *in++;
        if (b < 0xC0) {
            *out++ = b;
            continue;
        }
        if (in == inEnd) break;
        const uint8_t value = *in++;
        // A run never carries past the line: what does not fit is dropped.
        const size_t count = std::min<size_t>(b & 0x3F, static_cast<size_t>(end - out));
        std::memset(out, value, count);
        out += count;
    }
    position = static_cast<size_t>(in - data.data());
    if (out == end) return true;
    std::memset(out, 0, static_cast<size_t>(end - out));
    return false;
}

size_t encodeRunLine(std::span<const uint8_t> bytes, uint8_t* out) {
    const uint8_t* p = bytes.data();
    const uint8_t* const end = p + bytes.size();
    uint8_t* o = out;
    while (p < end) {
        const uint8_t b = *p;
        if (p + 1 == end || p[1] != b) {
            // A lone byte stands for itself, unless it would be taken for a count byte: then it is a run of 1.
            // Written without a branch, since on photographs lone bytes come in no predictable order.
            const int high = b >= 0xC0;
            o[0] = 0xC1;
            o[high] = b;
            o += 1 + high;
            ++p;
            continue;
        }
        const uint8_t* q = p + 2;
        const uint8_t* const limit = end - p > 63 ? p + 63 : end;
        while (q < limit && *q == b) ++q;
        o[0] = static_cast<uint8_t>(0xC0 | (q - p));
        o[1] = b;
        o += 2;
        p = q;
    }
    return static_cast<size_t>(o - out);
}

// ---- Bit planes ---------------------------------------------------------------------------------------

void packBitPlane(std::span<const uint8_t> pixels, int bit, uint8_t* out) {
    const size_t count = pixels.size();
    const size_t whole = count / 8;
    const uint8_t* p = pixels.data();
    for (size_t i = 0; i < whole; ++i, p += 8) {
        unsigned byte = 0;
        for (int k = 0; k < 8; ++k) byte = (byte << 1) | ((p[k] >> bit) & 1u);
        out[i] = static_cast<uint8_t>(byte);
    }
    const size_t rest = count % 8;
    if (rest || count == 0) {
        unsigned byte = 0;
        for (size_t k = 0; k < rest; ++k) byte |= ((p[k] >> bit) & 1u) << (7 - k);
        out[whole] = static_cast<uint8_t>(byte);
    }
}

void unpackBits(const uint8_t* packed, size_t count, uint8_t* out) {
    for (size_t i = 0; i < count; ++i) out[i] = (packed[i >> 3] >> (7 - (i & 7))) & 1u;
}

// ---- Reader -------------------------------------------------------------------------------------------

namespace {

// The fewest file bytes that can decode to a line of n bytes: runs of 63 take two bytes, one left-over
// byte takes one.
size_t fewestEncodedBytes(size_t n) { return 2 * (n / 63) + std::min<size_t>(n % 63, 2); }

RgbQuad quadFromRgb(const uint8_t* rgb) { return {rgb[2], rgb[1], rgb[0], 0}; }

// The scan-line decoders: each fills one picture row (y from the top) from the decoded line.
struct LineLayout {
    int width;
    size_t bytesPerLine;
};

void storeTwoColor(const uint8_t* line, uint8_t* row, uint8_t* bits, const LineLayout& l) {
    const size_t covered = std::min<size_t>(l.width, 8 * l.bytesPerLine);
    unpackBits(line, covered, bits);
    for (size_t x = 0; x < covered; ++x) row[x] = bits[x] ? 15 : 0;
    std::fill(row + covered, row + l.width, uint8_t{0});
}

// Four planes of one bit: only the columns the width covers are taken from each plane, however long the
// lines are.
void storeSixteenColor(const uint8_t* line, uint8_t* row, uint8_t*, const LineLayout& l) {
    const size_t covered = std::min<size_t>(l.width, 8 * l.bytesPerLine);
    const uint8_t *p0 = line, *p1 = line + l.bytesPerLine, *p2 = p1 + l.bytesPerLine, *p3 = p2 + l.bytesPerLine;
    for (size_t x = 0; x < covered; ++x) {
        const size_t at = x >> 3;
        const unsigned shift = 7 - (x & 7);
        row[x] = static_cast<uint8_t>(((p0[at] >> shift) & 1u) | (((p1[at] >> shift) & 1u) << 1) |
                                      (((p2[at] >> shift) & 1u) << 2) | (((p3[at] >> shift) & 1u) << 3));
    }
    std::fill(row + covered, row + l.width, uint8_t{0});
}

// Sixteen colours packed two to a byte in one plane, the left pixel in the high nibble.
void storePackedNibbles(const uint8_t* line, uint8_t* row, uint8_t*, const LineLayout& l) {
    const size_t covered = std::min<size_t>(l.width, 2 * l.bytesPerLine);
    for (size_t x = 0; x < covered; ++x) {
        row[x] = static_cast<uint8_t>((x & 1) ? line[x >> 1] & 15u : line[x >> 1] >> 4);
    }
    std::fill(row + covered, row + l.width, uint8_t{0});
}

void storeIndexed(const uint8_t* line, uint8_t* row, uint8_t*, const LineLayout& l) {
    const size_t covered = std::min<size_t>(l.width, l.bytesPerLine);
    std::memcpy(row, line, covered);
    std::fill(row + covered, row + l.width, uint8_t{0});
}

// 16-bit words are copied as they are (imageconv expands them afterwards); a word the line does not cover
// wholly is completed with zeros.
void storeWords(const uint8_t* line, uint8_t* row, uint8_t*, const LineLayout& l) {
    const size_t rowBytes = 2 * static_cast<size_t>(l.width);
    const size_t covered = std::min(rowBytes, l.bytesPerLine);
    std::memcpy(row, line, covered);
    std::fill(row + covered, row + rowBytes, uint8_t{0});
}

void storeTruecolor(const uint8_t* line, uint8_t* row, uint8_t*, const LineLayout& l) {
    const size_t covered = std::min<size_t>(l.width, l.bytesPerLine);
    const uint8_t* red = line;
    const uint8_t* green = line + l.bytesPerLine;
    const uint8_t* blue = green + l.bytesPerLine;
    uint8_t* out = row;
    for (size_t x = 0; x < covered; ++x, out += 3) {
        out[0] = blue[x];
        out[1] = green[x];
        out[2] = red[x];
    }
    std::fill(out, row + 3 * static_cast<size_t>(l.width), uint8_t{0});
}

using LineStore = void (*)(const uint8_t* line, uint8_t* row, uint8_t* bits, const LineLayout& l);

// One scan-line layout, known by its bits per pixel in a plane and its number of planes.
struct ModeEntry {
    uint8_t bitsPerPixel;
    uint8_t planes;     // bytes/line blocks in one decoded scan line
    int16_t mode;       // the picture's mode
    bool needsBits;     // whether the line is spread into one byte a bit first
    LineStore store;
};

constexpr ModeEntry kModes[] = {
    {1, 1, kMode2, true, storeTwoColor},          {1, 4, kMode16, false, storeSixteenColor},
    {4, 1, kMode16, false, storePackedNibbles},   {8, 1, kMode256, false, storeIndexed},
    {16, 1, kModeTrue16, false, storeWords},      {8, 3, kModeTrue24, false, storeTruecolor},
};

const ModeEntry* findMode(uint8_t bitsPerPixel, uint8_t planes) {
    for (const ModeEntry& e : kModes) {
        if (e.bitsPerPixel == bitsPerPixel && e.planes == planes) return &e;
    }
    return nullptr;
}

// Where the 256-colour palette starts: right after the 0x0C that follows the scan lines (at position), or in
// the file's last 768 bytes when the 0x0C before them lies further on, after padding. Fails with "eof" when
// the file ends at the scan lines or the marker has fewer than 768 bytes after it, otherwise with "ctrl-L
// after image not found" when there is no marker.
std::optional<CodecError> findPalette(std::span<const uint8_t> bytes, size_t& position) {
    constexpr size_t kTrailerBytes = 769;
    if (position < bytes.size() && bytes[position] == 0x0C) {
        ++position;
        if (bytes.size() - position < 768) return CodecError::PcxEof;
        return std::nullopt;
    }
    if (bytes.size() - position >= kTrailerBytes && bytes[bytes.size() - kTrailerBytes] == 0x0C) {
        position = bytes.size() - 768;
        return std::nullopt;
    }
    if (position >= bytes.size()) return CodecError::PcxEof;
    return CodecError::PcxNoPaletteMark;
}

}  // namespace

namespace {

// PCX 16-bit words hold blue in bits 0-4, green in 5-9 and red in 10-14; each five-bit value v becomes the
// byte v x 8 (low three bits 0), the way this format's pictures have always been widened.
bool expandPcxWords(const Image& words, Image& image) {
    if (!createImage(image, kModeTrue16, 24, words.width(), words.height())) return false;
    for (int y = 0; y < words.height(); ++y) {
        const uint8_t* from = words.row(y);
        uint8_t* to = image.row(y);
        for (int x = 0; x < words.width(); ++x, from += 2, to += 3) {
            const unsigned w = static_cast<unsigned>(from[0]) | (static_cast<unsigned>(from[1]) << 8);
            to[0] = static_cast<uint8_t>((w & 31) << 3);
            to[1] = static_cast<uint8_t>(((w >> 5) & 31) << 3);
            to[2] = static_cast<uint8_t>(((w >> 10) & 31) << 3);
        }
        std::fill(image.row(y) + 3 * words.width(), image.row(y) + image.stride, uint8_t{0});
    }
    return true;
}

}  // namespace

bool probePcx(std::span<const uint8_t> head) { return head.size() >= 4 && head[0] == 0x0A; }

Decoded decodePcx(std::span<const uint8_t> bytes, const ModeSettings& /*modes*/) {
    Decoded result;
    Image& image = result.picture;
    clearImage(image);
    auto fail = [&result](CodecError error, CodecDetail detail = {}) -> Decoded {
        return std::move(result.fail(error, std::move(detail)));
    };

    if (bytes.size() < kPcxHeaderBytes) return fail(CodecError::PcxBadFile);
    result.pcxHeader.emplace();
    std::copy_n(bytes.begin(), kPcxHeaderBytes, result.pcxHeader->begin());
    if (bytes[0] != 0x0A) return fail(CodecError::PcxBadFile);
    const PcxHeader h = parsePcxHeader(bytes.first<kPcxHeaderBytes>());

    // The sizes are 16-bit arithmetic on the header's fields, as the format's readers have always done it.
    const auto depth = static_cast<int16_t>(h.bitsPerPixel * h.nPlanes);
    const auto width = static_cast<int16_t>(h.xMax - h.xMin + 1);
    const auto height = static_cast<int16_t>(h.yMax - h.yMin + 1);
    const int bitCount = depth <= 8 ? 8 : 24;
    if (width <= 0 || height <= 0) return fail(CodecError::PcxNoImageArray);
    if (!sizeWithinLimits(bitCount, width, height)) return fail(CodecError::TooBig, {width, height, {}});
    const ModeEntry* entry = findMode(h.bitsPerPixel, h.nPlanes);
    // Packed nibbles take half a byte a pixel; every other layout below 8 bits one bit a plane.
    const int rowBits = entry && entry->bitsPerPixel == 4 ? 4 : 1;
    if (depth < 8 && static_cast<int32_t>(h.bytesPerLine) * 8 != ((rowBits * width + 7) & ~7)) {
        result.warn(CodecWarning::PcxHeaderMismatch);
    }
    if (!entry) return fail(CodecError::PcxUnknownMode, {depth, 0, {}});
    // Scan lines of no bytes hold no picture at all: a header saying so is broken, and would otherwise
    // conjure a picture of up to a gigabyte out of nothing.
    if (h.bytesPerLine == 0) return fail(CodecError::PcxBadFile);
    const int16_t mode = entry->mode;

    const LineLayout layout{width, h.bytesPerLine};
    const size_t lineBytes = static_cast<size_t>(entry->planes) * h.bytesPerLine;
    // A file too short to hold every scan line ends in "eof" whatever it holds: say so before allocating.
    if (bytes.size() - kPcxHeaderBytes < static_cast<size_t>(height) * fewestEncodedBytes(lineBytes)) {
        return fail(CodecError::PcxEof);
    }
    // A scan line fills no more columns than its bytes hold, whatever width the header claims.
    const uint64_t lineColumns = uint64_t{h.bytesPerLine} * 8 / entry->bitsPerPixel;
    const uint64_t claimed = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (beyondDataFloor(claimed, static_cast<uint64_t>(height) * std::min<uint64_t>(width, lineColumns))) {
        return fail(CodecError::BeyondData, {width, height, {}});
    }

    // 16-bit words are gathered in a 16-bit picture and then widened to truecolor.
    Image words;
    Image& target = mode == kModeTrue16 ? words : image;
    const int targetBits = mode == kModeTrue16 ? 16 : bitCount;
    if (&target == &image) result.paletteSet = 256;  // the sizing clears the whole palette
    if (!initImageSized(target, mode, targetBits, width, height)) return fail(CodecError::PcxNoImageArray);

    std::vector<uint8_t> line(std::max<size_t>(lineBytes, 1));
    std::vector<uint8_t> bits(entry->needsBits ? 8 * lineBytes + 1 : 0);
    size_t position = kPcxHeaderBytes;
    for (int y = 0; y < height; ++y) {
        if (!decodeRunLine(line, bytes, position)) return fail(CodecError::PcxEof);
        entry->store(line.data(), target.row(y), bits.data(), layout);
    }

    // A monochrome picture keeps the default black (entry 0) and white (entry 15) whatever its header
    // palette says, as monochrome PCX files are defined.
    if (mode == kMode16) {
        for (int i = 0; i < 16; ++i) image.palette[i] = quadFromRgb(h.colormap + 3 * i);
    } else if (mode == kMode256) {
        if (const auto error = findPalette(bytes, position)) return fail(*error);
        for (int i = 0; i < 256; ++i) image.palette[i] = quadFromRgb(bytes.data() + position + 3 * i);
    } else if (mode == kModeTrue16) {
        if (!expandPcxWords(words, image)) return fail(CodecError::PcxNoImageArray);
    }
    image.header.biXPelsPerMeter = static_cast<int32_t>(h.hDpi) * 40;
    image.header.biYPelsPerMeter = static_cast<int32_t>(h.vDpi) * 40;
    return result;
}

// ---- Writer -------------------------------------------------------------------------------------------

namespace {

struct WriteLayout {
    int16_t mode;
    int bitCount;      // the storage depth the image must have
    uint8_t version;
    uint8_t bitsPerPixel;
    uint8_t planes;
};

constexpr WriteLayout kWriteLayouts[] = {
    {kMode2, 8, 5, 1, 1}, {kMode16, 8, 3, 1, 4}, {kMode256, 8, 5, 8, 1},
    {kModeTrue16, 24, 5, 16, 1}, {kModeTrue24, 24, 5, 8, 3},
};

size_t bytesPerLineFor(int16_t mode, int width) {
    switch (mode) {
        case kMode2:
        case kMode16: return (static_cast<size_t>(width) + 7) / 8;
        case kModeTrue16: return 2 * static_cast<size_t>(width);
        default: return static_cast<size_t>(width);
    }
}

}  // namespace

Encoded encodePcx(const Image& image, const EncodeOptions& options) {
    Encoded out;
    const WriteLayout* layout = nullptr;
    for (const WriteLayout& l : kWriteLayouts) {
        if (l.mode == image.mode && l.bitCount == image.bitCount()) layout = &l;
    }
    if (!layout || !image.hasPixels() || image.width() <= 0 || image.height() <= 0) {
        return std::move(out.fail(CodecError::PcxModeNotWritable));
    }
    const int width = image.width();
    const int height = image.height();
    const size_t bytesPerLine = bytesPerLineFor(image.mode, width);

    // Truecolor marked 16-bit is written from its 5-5-5 words.
    Image words;
    const Image* source = &image;
    if (image.mode == kModeTrue16) {
        ConversionMessage message;
        if (!imageconv(image, words, kCodePack16, options.modes, &message)) {
            return std::move(out.fail(CodecError::ConversionFailed, {0, 0, std::move(message)}));
        }
        source = &words;
    }

    PcxHeader h;
    h.version = layout->version;
    h.bitsPerPixel = layout->bitsPerPixel;
    h.nPlanes = layout->planes;
    h.xMax = static_cast<uint16_t>(width - 1);
    h.yMax = static_cast<uint16_t>(height - 1);
    h.bytesPerLine = static_cast<uint16_t>(bytesPerLine);
    if (image.mode == kMode2 || image.mode == kMode16) {
        for (int i = 0; i < 16; ++i) {
            const RgbQuad& c = image.palette[i == 1 && image.mode == kMode2 ? 15 : i];
            h.colormap[3 * i] = c.rgbRed;
            h.colormap[3 * i + 1] = c.rgbGreen;
            h.colormap[3 * i + 2] = c.rgbBlue;
        }
    }

    EncodedFile& file = out.bytes;
    const auto head = serializePcxHeader(h);
    file.append(head.data(), head.size());

    const size_t lineBytes = bytesPerLine * layout->planes;
    std::vector<uint8_t> line(lineBytes);
    std::vector<uint8_t> encoded(2 * lineBytes);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = source->row(y);
        size_t n = 0;
        switch (image.mode) {
            case kMode2:
                packBitPlane({row, static_cast<size_t>(width)}, 0, line.data());
                n = encodeRunLine(line, encoded.data());
                break;
            case kMode16:
                // Each plane is a run sequence of its own.
                for (int k = 0; k < 4; ++k) {
                    packBitPlane({row, static_cast<size_t>(width)}, k, line.data());
                    n += encodeRunLine({line.data(), bytesPerLine}, encoded.data() + n);
                }
                break;
            case kModeTrue24: {
                uint8_t* red = line.data();
                uint8_t* green = red + width;
                uint8_t* blue = green + width;
                for (int x = 0; x < width; ++x, row += 3) {
                    blue[x] = row[0];
                    green[x] = row[1];
                    red[x] = row[2];
                }
                n = encodeRunLine(line, encoded.data());
                break;
            }
            default:  // indices, or 16-bit words already in file order
                n = encodeRunLine({row, lineBytes}, encoded.data());
                break;
        }
        file.append(encoded.data(), n);
    }
    if (image.mode == kMode256) {
        uint8_t trailer[769];
        trailer[0] = 0x0C;
        for (int i = 0; i < 256; ++i) {
            trailer[1 + 3 * i] = image.palette[i].rgbRed;
            trailer[2 + 3 * i] = image.palette[i].rgbGreen;
            trailer[3 + 3 * i] = image.palette[i].rgbBlue;
        }
        file.append(trailer, sizeof trailer);
    }
    return out;
}

}  // namespace vyd
