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

// The writer's pixel source: an 8-bit picture's indices, rows from the top down, each row from the left.
class GifPixelSource {
public:
    explicit GifPixelSource(const Image& image);
    // The next pixel index, or -1 when all width x height pixels have been given.
    int nextPixel() {
        if (x_ == width_) {
            if (++y_ >= height_) return -1;
            row_ = image_.row(y_);
            x_ = 0;
        }
        return row_[x_++];
    }

private:
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

    void putCode(int code);
    void clearHash();
    void byteOut(uint8_t byte) {
        if (blockCount_ == 0) {
            blockStart_ = out_.size();
            out_.push_back(0);  // the count byte, set when the sub-block is closed
        }
        out_.push_back(byte);
        if (++blockCount_ == 254) closeBlock();
    }
    void closeBlock();  // sets the count of the sub-block being filled; hands full pieces to the sink

    Sink sink_;
    std::vector<uint8_t> out_;  // finished sub-blocks and the one being filled
    size_t blockStart_ = 0;     // position of the count byte of the sub-block being filled
    int blockCount_ = 0;
    int codeWidth_ = 9;
    int maxCode_ = 511;
    int nextFree_ = kClearCode + 2;
    bool clearPending_ = false;
    uint32_t accumulator_ = 0;
    int bitsHeld_ = 0;
    int32_t keys_[kHashSize];
    uint16_t codes_[kHashSize];
};

}  // namespace vyd
