// A whole file read into one uninitialised buffer (big ones 2 MiB-aligned, as pixel buffers are), for the
// readers: no clearing pass before the read and no second copy.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image/image.h"

namespace vyd {

class FileBytes {
public:
    std::span<const uint8_t> bytes() const { return {buffer_.data(), size_}; }
    size_t size() const { return size_; }

    // Nothing when the file cannot be opened or is a folder. Files longer than maxBytes are read up to it.
    static std::optional<FileBytes> read(const std::string& path, size_t maxBytes = size_t{1} << 31);

private:
    PixelBuffer buffer_;
    size_t size_ = 0;
};

}  // namespace vyd
