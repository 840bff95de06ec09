// The LZW compression of GIF image data: the decoder used by the reader and the encoder used by the writer.
// Codes are packed least-significant bit first; clear code = 2^min, end code = clear + 1, at most 4096 codes
// of up to 12 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "image/image.h"

namespace vyd {

// Bytes the decoder may write past the last pixel (it copies strings in 8-byte pieces).
inline constexpr size_t kGifLzwSlack = 8;

// Decodes the concatenated sub-block data of one image into out, the pixels in the order they arrive.
// out must hold total + kGifLzwSlack bytes. Decoding stops at the end code, when total pixels are written,
// when the data runs out, and at a code that cannot be in the table (corrupt data); an impossible minimum code
// size decodes nothing. Returns the number of pixels written; the caller clears the rest.
size_t decodeGifLzw(std::span<const uint8_t> data, int minCodeSize, uint8_t* out, size_t total);

// The number of pixels decodeGifLzw would write for the same arguments, found without writing any: it follows
// the codes and the lengths of their strings only, so it takes time in proportion to the codes, not the pixels.
size_t countGifLzw(std::span<const uint8_t> data, int minCodeSize, size_t total);

// The writer's pixel source: an 8-bit picture's indices, rows from the top down, each row from the left.
class GifPixelSource {
public:
    explicit GifPixelSource(const Image& image);
    // The next pixel index, or -1 when all width x height pixels have been given.
    int nextPixel() {
        if (x_ == width_ && !nextRow()) return -1;
        return row_[x_++];
    }
    // All pixels up to the end of the current row (the next row when it is used up); empty when all are given.
    std::span<const uint8_t> nextPixels() {
        if (x_ == width_ && !nextRow()) return {};
        std::span<const uint8_t> rest(row_ + x_, static_cast<size_t>(width_ - x_));
        x_ = width_;
        return rest;
    }

private:
    bool nextRow() {
        if (++y_ >= height_) return false;
        row_ = image_.row(y_);
        x_ = 0;
        return true;
    }

    const Image& image_;
    int width_, height_;
    int x_ = 0, y_ = 0;
    const uint8_t* row_ = nullptr;
};

// The writer's compressor for 8-bit data (minimum code size 8): codes of 9 to 12 bits, a hashed string table
// of 5003 slots, the whole table cleared when 4096 codes are used. Its output is the image's data sub-blocks of
// 254 bytes (the last one shorter), without the zero count that ends them; it goes to the sink in pieces.
class GifLzwEncoder {
public:
    using Sink = std::function<void(const uint8_t* bytes, size_t count)>;
    explicit GifLzwEncoder(Sink sink);
    void compress(GifPixelSource& source);  // the source must give at least one pixel

private:
    static constexpr int kHashSize = 5003;
    static constexpr int kClearCode = 256;
    static constexpr int kEndCode = 257;
    static constexpr int kMaxCodes = 4096;
    static constexpr int kBlockSize = 254;
    static constexpr size_t kPackedFlush = kBlockSize * 256;  // packed bytes framed and handed on at a time

    void frameBlocks(bool final);    // cuts the packed bytes into counted sub-blocks for the sink
    void clearHash();

    Sink sink_;
    uint8_t packed_[kPackedFlush + 8];  // code bytes not yet cut into sub-blocks
    size_t packedCount_ = 0;
    std::vector<uint8_t> framed_;
    int32_t keys_[kHashSize];
    uint16_t codes_[kHashSize];
};

}  // namespace vyd
