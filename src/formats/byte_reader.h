// A bounds-checked reader over a byte span: every read past the end yields zeros and remembers the short read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace vyd {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return pos_; }
    size_t size() const { return bytes_.size(); }
    size_t remaining() const { return pos_ < bytes_.size() ? bytes_.size() - pos_ : 0; }
    bool shortRead() const { return short_; }
    bool atEnd() const { return remaining() == 0; }
    void seek(size_t pos) {
        if (pos > bytes_.size()) { short_ = true; pos_ = bytes_.size(); } else { pos_ = pos; }
    }
    void skip(size_t n) {
        if (n > remaining()) { short_ = true; pos_ = bytes_.size(); } else { pos_ += n; }
    }

    uint8_t u8() {
        if (pos_ >= bytes_.size()) { short_ = true; return 0; }
        return bytes_[pos_++];
    }
    uint16_t u16le() { uint16_t lo = u8(); return static_cast<uint16_t>(lo | (u8() << 8)); }
    uint32_t u32le() { uint32_t lo = u16le(); return lo | (static_cast<uint32_t>(u16le()) << 16); }
    int16_t s16le() { return static_cast<int16_t>(u16le()); }
    int32_t s32le() { return static_cast<int32_t>(u32le()); }

    // Copies up to n bytes; returns how many were there (the rest of out is left as it was).
    size_t read(void* out, size_t n) {
        size_t take = n < remaining() ? n : remaining();
        if (take) std::memcpy(out, bytes_.data() + pos_, take);
        pos_ += take;
        if (take < n) short_ = true;
        return take;
    }
    // The next n bytes without copying (fewer when the data ends); advances past them.
    std::span<const uint8_t> take(size_t n) {
        size_t count = n < remaining() ? n : remaining();
        auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        if (count < n) short_ = true;
        return part;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool short_ = false;
};

}  // namespace vyd
