#include "formats/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vyd {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Reads until the buffer is full or the file ends; returns the bytes read.
size_t readFully(int fd, uint8_t* to, size_t n) {
    size_t got = 0;
    while (got < n) {
        ssize_t r = ::read(fd, to + got, n - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<size_t>(r);
    }
    return got;
}

}  // namespace

std::optional<FileBytes> FileBytes::read(const std::string& path, size_t maxBytes) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;

    FileBytes result;
    // Regular files are read at their size (plus one byte, to notice one that grew); anything else
    // (a pipe, a device) in growing pieces.
    size_t capacity = S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 65536;
    capacity = std::min(capacity, maxBytes);
    for (;;) {
        PixelBuffer bigger = PixelBuffer::allocate(capacity ? capacity : 1);
        if (!bigger) return std::nullopt;
        if (result.size_) std::memcpy(bigger.data(), result.buffer_.data(), result.size_);
        result.buffer_ = std::move(bigger);
        result.size_ += readFully(file.fd, result.buffer_.data() + result.size_, capacity - result.size_);
        if (result.size_ < capacity || capacity >= maxBytes) break;
        capacity = std::min(maxBytes, capacity * 2);
    }
    return result;
}

}  // namespace vyd
