#include "formats/gif.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "formats/byte_reader.h"
#include "formats/data_floor.h"
#include "formats/gif_lzw.h"

namespace vyd {

namespace {

constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kTableFlag = 0x80;      // screen and image flags: a colour table follows
constexpr uint8_t kInterlacedFlag = 0x40;  // image flags: rows are sent in four passes
constexpr uint8_t kTableSizeBits = 0x07;   // the table holds 2 << (flags & 7) colours
constexpr uint64_t kCountedAbove = 64;      // pixels per byte of image data: see readImageBlock

// The colour table in force: the global one, replaced by each local one for its image and the later ones.
struct ColourTable {
    uint8_t rgb[256 * 3] = {};  // (red, green, blue) triples
    int count = 0;
    bool present = false;

    void read(ByteReader& in, uint8_t flags) {
        count = 2 << (flags & kTableSizeBits);
        present = true;
        in.read(rgb, 3 * static_cast<size_t>(count));
    }
};

// The 9 bytes after the image separator.
struct ImageDescriptor {
    uint16_t left, top;  // placement on the screen: not used
    uint16_t width, height;
    uint8_t flags;
};

// Reads an image's data sub-blocks up to the zero count (or the end of the file), appending their bytes to
// data when it is given.
void readSubBlocks(ByteReader& in, std::vector<uint8_t>* data) {
    for (;;) {
        uint8_t count = in.u8();
        if (in.shortRead() || count == 0) return;
        auto bytes = in.take(count);
        if (data) data->insert(data->end(), bytes.begin(), bytes.end());
    }
}

using GifProblem = std::optional<CodecFailure>;

// Skips an extension block after its introducer; returns the failure, if any.
GifProblem skipExtension(ByteReader& in) {
    in.u8();  // the label: every kind of extension is skipped whole
    if (in.shortRead()) return CodecFailure{CodecError::GifBlockCodeNotRead, {}};
    for (;;) {
        const uint8_t count = in.u8();
        if (in.shortRead()) return CodecFailure{CodecError::GifBlockSizeNotRead, {}};
        if (count == 0) return std::nullopt;
        in.skip(count);
        if (in.shortRead()) return CodecFailure{CodecError::GifBlockNotRead, {}};
    }
}

// Moves decoded rows from the order they arrived in (row i at offset i x width, packed) to their places in the
// picture's bottom-up buffer, whose rows are stride bytes apart; order[i] is arrival i's row from the top.
void placeRows(uint8_t* pixels, int width, int height, int32_t stride, const std::vector<int>& order) {
    const size_t w = static_cast<size_t>(width);
    // First permute whole rows among the packed slots: slot j must end up holding buffer row j, which is the
    // picture row height - 1 - j. Each cycle of the permutation goes through one spare row.
    std::vector<int> source(height);
    for (int i = 0; i < height; ++i) source[height - 1 - order[i]] = i;
    std::vector<uint8_t> spare(w);
    std::vector<uint8_t> done(height, 0);
    for (int first = 0; first < height; ++first) {
        if (done[first] || source[first] == first) continue;
        std::memcpy(spare.data(), pixels + first * w, w);
        int slot = first;
        for (;;) {
            done[slot] = 1;
            int from = source[slot];
            if (from == first) {
                std::memcpy(pixels + slot * w, spare.data(), w);
                break;
            }
            std::memcpy(pixels + slot * w, pixels + from * w, w);
            slot = from;
        }
    }
    // Then spread the packed rows out to the stride, the top buffer row first, and clear the padding.
    if (static_cast<size_t>(stride) == w) return;
    for (int j = height - 1; j >= 0; --j) {
        uint8_t* row = pixels + static_cast<size_t>(j) * stride;
        std::memmove(row, pixels + j * w, w);
        std::memset(row + w, 0, stride - w);
    }
}

// Places the rows of a picture whose data ended early: only the rows that were reached are moved, through a
// copy of the decoded part, and everything else is cleared to index 0.
void placePartialRows(uint8_t* pixels, size_t written, int width, int height, int32_t stride,
                      const std::vector<int>& order) {
    const size_t w = static_cast<size_t>(width);
    const size_t reached = (written + w - 1) / w;
    std::vector<uint8_t> decoded(reached * w, 0);
    if (written > 0) std::memcpy(decoded.data(), pixels, written);
    std::memset(pixels, 0, static_cast<size_t>(height) * stride);
    for (size_t i = 0; i < reached; ++i) {
        std::memcpy(pixels + static_cast<size_t>(height - 1 - order[i]) * stride, decoded.data() + i * w, w);
    }
}

// Decodes the first image's data into its record: pixels the data did not reach are cleared to index 0.
void decodeFirstImage(std::span<const uint8_t> data, int minCodeSize, bool interlaced, Image& image) {
    const int width = image.width(), height = image.height();
    const size_t total = static_cast<size_t>(width) * height;
    uint8_t* pixels = image.pixels.data();
    size_t written = decodeGifLzw(data, minCodeSize, pixels, total);
    if (written == total) {
        placeRows(pixels, width, height, image.stride, gifRowOrder(height, interlaced));
    } else {
        placePartialRows(pixels, written, width, height, image.stride, gifRowOrder(height, interlaced));
    }
}

// Reads one image block after its separator. The first image is decoded into image; later ones are only
// read past (they are counted and discarded, so their pixels are never built). Returns the failure, if any.
GifProblem readImageBlock(ByteReader& in, ColourTable& table, Image* first) {
    const ImageDescriptor d{in.u16le(), in.u16le(), in.u16le(), in.u16le(), in.u8()};  // read left to right
    if (in.shortRead()) return CodecFailure{CodecError::GifImageHeaderNotRead, {}};
    if (d.flags & kTableFlag) table.read(in, d.flags);
    if (!table.present) return CodecFailure{CodecError::GifNoPalette, {}};
    if (!first) {
        in.u8();  // minimum code size
        readSubBlocks(in, nullptr);
        return std::nullopt;
    }
    // The data comes first, so that what it can fill decides whether the picture is made at all.
    int minCodeSize = in.u8();
    std::vector<uint8_t> data;
    data.reserve(std::min<size_t>(in.remaining(), static_cast<size_t>(d.width) * d.height * 2 + 1024));
    if (!in.shortRead()) readSubBlocks(in, &data);
    // Sizes of 0 and sizes beyond the record's limits get no buffer; so does a failed allocation. A picture far
    // larger than its codes can fill is refused before its buffer is made. Pictures the floor leaves alone are not
    // counted, nor are pictures with a byte of data for every kCountedAbove pixels or more: those are at most that
    // many times their file, and their codes are many (counting them would cost a third of the decode). Counting
    // stops as soon as the codes are known to fill enough.
    const uint64_t claimed = uint64_t{d.width} * d.height;
    if (sizeWithinLimits(8, d.width, d.height) && claimed > kFloorFreePixels &&
        claimed > kCountedAbove * data.size() && beyondDataFloor(claimed, countGifLzw(data, minCodeSize, claimed / kFloorSlack + 1))) {
        return CodecFailure{CodecError::BeyondData, {d.width, d.height, {}}};
    }
    if (!createImage(*first, kMode256, 8, d.width, d.height)) return CodecFailure{CodecError::GifNoImageArray, {}};
    decodeFirstImage(data, minCodeSize, (d.flags & kInterlacedFlag) != 0, *first);
    for (int i = 0; i < table.count; ++i) {
        first->palette[i] = {table.rgb[3 * i + 2], table.rgb[3 * i + 1], table.rgb[3 * i], 0};
    }
    return std::nullopt;
}

}  // namespace

std::vector<int> gifRowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(height > 0 ? height : 0);
    if (!interlaced) {
        for (int row = 0; row < height; ++row) order.push_back(row);
        return order;
    }
    static constexpr int kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};  // first row, step
    for (const auto& pass : kPasses) {
        for (int row = pass[0]; row < height; row += pass[1]) order.push_back(row);
    }
    return order;
}

bool probeGif(std::span<const uint8_t> head) { return head.size() >= 2 && head[0] == 'G' && head[1] == 'I'; }

Decoded decodeGif(std::span<const uint8_t> bytes, const ModeSettings& /*modes*/) {
    Decoded result;
    Image& image = result.picture;
    clearImage(image);
    ByteReader in(bytes);
    GifProblem problem;
    int images = 0;
    ColourTable table;

    uint8_t header[13];
    if (in.read(header, sizeof header) < sizeof header) {
        problem = CodecFailure{CodecError::GifHeaderNotRead, {}};
    } else if (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0) {
        problem = CodecFailure{CodecError::GifNotGif, {}};
    } else {
        if (header[10] & kTableFlag) table.read(in, header[10]);
        // Blocks follow until the trailer, an error, or the end of the file.
        while (!problem && !in.shortRead()) {
            const uint8_t separator = in.u8();
            if (in.shortRead()) {
                problem = CodecFailure{CodecError::GifSeparatorNotRead, {}};
            } else if (separator == kExtensionIntroducer) {
                problem = skipExtension(in);
            } else if (separator == kImageSeparator) {
                problem = readImageBlock(in, table, images == 0 ? &image : nullptr);
                if (images == 0 && !problem) result.paletteSet = std::max(16, table.count);
                ++images;
            } else if (separator == kTrailer) {
                break;
            } else {
                problem = CodecFailure{CodecError::GifBadSeparator, {separator, 0, {}}};
            }
        }
    }
    if (!problem && images == 0) problem = CodecFailure{CodecError::GifNoImage, {}};

    if (problem) return std::move(result.fail(problem->error, std::move(problem->detail)));
    if (images > 1) result.warn(CodecWarning::GifImageCount, {images, 0, {}});
    return result;
}

Encoded encodeGif(const Image& image, const EncodeOptions& /*options*/) {
    Encoded out;
    if (image.bitCount() != 8) return std::move(out.fail(CodecError::GifTruecolor));
    if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) {
        return std::move(out.fail(CodecError::GifNothingToWrite));
    }
    EncodedFile& file = out.bytes;

    const uint16_t width = static_cast<uint16_t>(image.width());
    const uint16_t height = static_cast<uint16_t>(image.height());
    const uint8_t w0 = static_cast<uint8_t>(width), w1 = static_cast<uint8_t>(width >> 8);
    const uint8_t h0 = static_cast<uint8_t>(height), h1 = static_cast<uint8_t>(height >> 8);
    std::vector<uint8_t> head = {'G', 'I', 'F', '8', '7', 'a', w0, w1, h0, h1,
                                 0xF7,  // global table of 256 colours, colour resolution 8 bits
                                 0, 0};
    for (const RgbQuad& entry : image.palette) {
        head.insert(head.end(), {entry.rgbRed, entry.rgbGreen, entry.rgbBlue});
    }
    head.insert(head.end(), {kImageSeparator, 0, 0, 0, 0, w0, w1, h0, h1, 0, 8});
    file.append(head);

    auto encoder = std::make_unique<GifLzwEncoder>(
        [&file](const uint8_t* bytes, size_t count) { file.append(bytes, count); });
    GifPixelSource source(image);
    encoder->compress(source);
    const uint8_t tail[] = {0, kTrailer};
    file.append(tail, sizeof tail);
    return out;
}

}  // namespace vyd
