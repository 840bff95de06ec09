// The file layer under the codecs: one whole-file reader and one atomic writer. A write goes to a temporary
// file beside the target and is renamed over it only when everything was written, so a failed write never
// destroys an existing file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/codec.h"
#include "image/image.h"

namespace vyd {

// A whole file read into one uninitialised buffer (big ones 2 MiB-aligned, as pixel buffers are): no clearing
// pass before the read and no second copy.
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

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string target);
    ~AtomicFileWriter();  // removes the temporary file unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool open();  // false when the temporary file cannot be created
    bool write(const void* data, size_t n);
    bool commit();  // flush, close, rename over the target; false on any failure
    bool failed() const { return failed_; }

private:
    std::string target_, temp_;
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
    std::vector<uint8_t> buffer_;
    bool flushBuffer();
};

enum class WriteOutcome { Written, NotCreated, NotWritten };

// Writes an encoded file to path through an AtomicFileWriter.
WriteOutcome writeFileAtomically(const std::string& path, const EncodedFile& file);

}  // namespace vyd
