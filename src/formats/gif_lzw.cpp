#include "formats/gif_lzw.h"

#include <algorithm>
#include <cstring>

namespace vyd {

namespace {

constexpr int kMaxCodeWidth = 12;
constexpr uint32_t kTableSize = 4096;

// Reads codes least-significant bit first from the data bytes, eight bytes at a time where it can.
class CodeReader {
public:
    explicit CodeReader(std::span<const uint8_t> data) : p_(data.data()), end_(data.data() + data.size()) {}

    // False when the data ends before a whole code of this width.
    bool next(int width, uint32_t mask, uint32_t& code) {
        if (bits_ < width) {
            if (end_ - p_ >= 8) {
                uint64_t chunk;
                std::memcpy(&chunk, p_, 8);
                accumulator_ |= chunk << bits_;
                p_ += (63 - bits_) >> 3;
                bits_ |= 56;
            } else {
                while (bits_ < width && p_ < end_) {
                    accumulator_ |= static_cast<uint64_t>(*p_++) << bits_;
                    bits_ += 8;
                }
                if (bits_ < width) return false;
            }
        }
        code = static_cast<uint32_t>(accumulator_) & mask;
        accumulator_ >>= width;
        bits_ -= width;
        return true;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
    uint64_t accumulator_ = 0;
    int bits_ = 0;
};

// Copies a string that occurred earlier in the output; source and destination may overlap when the string
// is the previous one followed by its own first character.
inline void copyString(uint8_t* dst, const uint8_t* src, size_t n) {
    if (dst - src >= 8) {
        for (size_t i = 0; i < n; i += 8) std::memcpy(dst + i, src + i, 8);
    } else {
        for (size_t i = 0; i < n; ++i) dst[i] = src[i];
    }
}

// The hash shift of the writer's string table: 8 less the doublings of its size needed to reach 65536.
constexpr int hashShift(int tableSize) {
    int doublings = 0;
    for (long size = tableSize; size < 65536; size *= 2) ++doublings;
    return 8 - doublings;
}

// Every string in the table also lies in the output already written: a code's entry records where its string
// starts there and how long it is, so a code is written by copying, not by walking its prefix chain. The entry
// added for a code is the previous string followed by the current string's first character, which is exactly
// the previous string's place in the output, one longer.
//
// kWrite false only counts: the same walk over the codes, tracking string lengths without touching out (which
// may be null), so it stops exactly where decoding would and costs one step per code, not per pixel.
template <bool kWrite>
size_t runGifLzw(std::span<const uint8_t> data, int minCodeSize, uint8_t* out, size_t total) {
    if (minCodeSize < 0 || minCodeSize >= kMaxCodeWidth || total == 0) return 0;
    const uint32_t clearCode = 1u << minCodeSize;
    const uint32_t endCode = clearCode + 1;
    int width = minCodeSize + 1;
    uint32_t mask = (1u << width) - 1;
    uint32_t nextFree = clearCode + 2;
    bool afterClear = true;

    uint32_t start[kWrite ? kTableSize : 1];
    uint16_t length[kTableSize];
    size_t previousStart = 0;
    uint32_t previousLength = 0;
    size_t pos = 0;
    CodeReader reader(data);
    uint32_t code;

    while (reader.next(width, mask, code)) {
        if (code == endCode) break;
        if (code == clearCode) {
            width = minCodeSize + 1;
            mask = (1u << width) - 1;
            nextFree = clearCode + 2;
            afterClear = true;
            continue;
        }
        if (afterClear) {
            if (code > clearCode) break;  // no string is defined yet: corrupt data
            if constexpr (kWrite) out[pos] = static_cast<uint8_t>(code);
            previousStart = pos++;
            previousLength = 1;
            afterClear = false;
            if (pos >= total) break;
            continue;
        }
        uint32_t stringLength;
        if (code < clearCode) {
            if constexpr (kWrite) out[pos] = static_cast<uint8_t>(code);
            stringLength = 1;
        } else {
            size_t from = previousStart;
            if (code < nextFree) {
                if constexpr (kWrite) from = start[code];
                stringLength = length[code];
            } else if (code == nextFree) {
                stringLength = previousLength + 1;
            } else {
                break;  // a code beyond the table: corrupt data
            }
            if constexpr (kWrite) copyString(out + pos, out + from, std::min<size_t>(stringLength, total - pos));
        }
        if (nextFree <= mask) {
            if constexpr (kWrite) start[nextFree] = static_cast<uint32_t>(previousStart);
            length[nextFree] = static_cast<uint16_t>(previousLength + 1);
            if (++nextFree > mask && width < kMaxCodeWidth) {
                ++width;
                mask = (1u << width) - 1;
            }
        }
        previousStart = pos;
        previousLength = stringLength;
        pos += stringLength;
        if (pos >= total) return total;
    }
    return pos;
}

}  // namespace

size_t decodeGifLzw(std::span<const uint8_t> data, int minCodeSize, uint8_t* out, size_t total) {
    return runGifLzw<true>(data, minCodeSize, out, total);
}

size_t countGifLzw(std::span<const uint8_t> data, int minCodeSize, size_t total) {
    return runGifLzw<false>(data, minCodeSize, nullptr, total);
}

GifPixelSource::GifPixelSource(const Image& image)
    : image_(image), width_(image.width()), height_(image.height()) {
    if (width_ > 0 && height_ > 0 && image.hasPixels()) {
        row_ = image.row(0);
    } else {
        width_ = 0;
        height_ = 0;
    }
}

GifLzwEncoder::GifLzwEncoder(Sink sink) : sink_(std::move(sink)) {}

void GifLzwEncoder::clearHash() { std::fill(std::begin(keys_), std::end(keys_), -1); }

void GifLzwEncoder::frameBlocks(bool final) {
    size_t blocks = final ? (packedCount_ + kBlockSize - 1) / kBlockSize : packedCount_ / kBlockSize;
    framed_.clear();
    size_t pos = 0;
    for (size_t b = 0; b < blocks; ++b) {
        size_t n = std::min<size_t>(kBlockSize, packedCount_ - pos);
        framed_.push_back(static_cast<uint8_t>(n));
        framed_.insert(framed_.end(), packed_ + pos, packed_ + pos + n);
        pos += n;
    }
    std::memmove(packed_, packed_ + pos, packedCount_ - pos);
    packedCount_ -= pos;
    if (!framed_.empty()) sink_(framed_.data(), framed_.size());
}

// The state lives in locals while compressing, so that it stays in registers although code bytes are stored
// through a byte pointer (which may alias anything).
void GifLzwEncoder::compress(GifPixelSource& source) {
    constexpr int kHashShift = hashShift(kHashSize);
    static_assert(kHashShift == 4);
    int codeWidth = 9;
    int maxCode = 511;
    int nextFree = kClearCode + 2;
    bool clearPending = false;
    uint64_t accumulator = 0;
    int bitsHeld = 0;
    size_t packedCount = 0;
    uint8_t* const packed = packed_;
    clearHash();

    // Packs a code least-significant bit first; then widens the codes when the table has outgrown them, or
    // returns to 9 bits after a clear code.
    auto putCode = [&](int code) {
        accumulator |= static_cast<uint64_t>(code) << bitsHeld;
        bitsHeld += codeWidth;
        if (bitsHeld >= 32) {
            for (int k = 0; k < 4; ++k) packed[packedCount + k] = static_cast<uint8_t>(accumulator >> (8 * k));
            packedCount += 4;
            accumulator >>= 32;
            bitsHeld -= 32;
            if (packedCount >= kPackedFlush) {
                packedCount_ = packedCount;
                frameBlocks(false);
                packedCount = packedCount_;
            }
        }
        if (nextFree > maxCode || clearPending) {
            if (clearPending) {
                codeWidth = 9;
                maxCode = 511;
                clearPending = false;
            } else {
                ++codeWidth;
                maxCode = codeWidth == kMaxCodeWidth ? kMaxCodes : (1 << codeWidth) - 1;
            }
        }
    };

    putCode(kClearCode);
    int prefix = source.nextPixel();
    for (auto pixels = source.nextPixels(); !pixels.empty(); pixels = source.nextPixels()) {
        for (const uint8_t c : pixels) {
            const int32_t key = (static_cast<int32_t>(c) << 12) + prefix;
            int i = (c << kHashShift) ^ prefix;
            if (keys_[i] == key) {
                prefix = codes_[i];
                continue;
            }
            if (keys_[i] >= 0) {
                const int step = i == 0 ? 1 : kHashSize - i;
                bool found = false;
                do {
                    i -= step;
                    if (i < 0) i += kHashSize;
                    if (keys_[i] == key) {
                        found = true;
                        break;
                    }
                } while (keys_[i] > 0);
                if (found) {
                    prefix = codes_[i];
                    continue;
                }
            }
            putCode(prefix);
            prefix = c;
            if (nextFree < kMaxCodes) {
                codes_[i] = static_cast<uint16_t>(nextFree++);
                keys_[i] = key;
            } else {
                clearHash();
                nextFree = kClearCode + 2;
                clearPending = true;
                putCode(kClearCode);
            }
        }
    }
    putCode(prefix);
    putCode(kEndCode);

    // The last bits as whole bytes, and the last sub-block.
    packedCount_ = packedCount;
    while (bitsHeld > 0) {
        packed_[packedCount_++] = static_cast<uint8_t>(accumulator);
        accumulator >>= 8;
        bitsHeld -= 8;
        if (packedCount_ >= kPackedFlush) frameBlocks(false);
    }
    frameBlocks(true);
}

}  // namespace vyd
