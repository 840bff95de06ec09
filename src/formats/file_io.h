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

inline constexpr size_t kMaxFileBytes = size_t{1} << 31;

// A whole file read into one uninitialised buffer (big ones 2 MiB-aligned, as pixel buffers are): no clearing
// pass before the read and no second copy.
class FileBytes {
public:
    std::span<const uint8_t> bytes() const { return {buffer_.data(), size_}; }
    size_t size() const { return size_; }

    // Nothing when the file cannot be opened or is a folder. Files longer than maxBytes are read up to it.
    static std::optional<FileBytes> read(const std::string& path, size_t maxBytes = kMaxFileBytes);

private:
    friend class InputFile;
    PixelBuffer buffer_;
    size_t size_ = 0;
};

// A file opened once for reading, whose first bytes can be looked at before the whole of it is read (so that
// a file of no known format is never read whole, and nothing is opened twice).
class InputFile {
public:
    // Nothing when the file cannot be opened or is a folder.
    static std::optional<InputFile> open(const std::string& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&&) = delete;
    ~InputFile();

    // The first n bytes, fewer for a shorter file; read once and kept.
    std::span<const uint8_t> head(size_t n);
    // The whole file, the head included; nothing when memory for it cannot be had. Files longer than maxBytes
    // are read up to it.
    std::optional<FileBytes> readAll(size_t maxBytes = kMaxFileBytes);

private:
    InputFile(int fd, size_t regularSize) : fd_(fd), regularSize_(regularSize) {}
    int fd_;
    size_t regularSize_;  // a regular file's size, 0 for anything else (a pipe, a device)
    std::vector<uint8_t> head_;
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
