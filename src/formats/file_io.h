// Whole-file reading and atomic writing. A write goes to a temporary file beside the target and is renamed
// over it only when everything was written, so a failed write never destroys an existing file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyd {

// Reads a whole file; nothing when it cannot be opened. Files larger than maxBytes are read up to it.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, size_t maxBytes = size_t{1} << 31);
// Reads at most n bytes from the start; nothing when the file cannot be opened.
std::optional<std::vector<uint8_t>> readFileHead(const std::string& path, size_t n);

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

}  // namespace vyd
