#include "formats/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vyd {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) { ::close(fd); return std::nullopt; }
    std::vector<uint8_t> bytes;
    size_t expected = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    if (expected > maxBytes) expected = maxBytes;
    bytes.resize(expected ? expected : 65536);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (bytes.size() >= maxBytes) break;
            bytes.resize(std::min(maxBytes, bytes.size() * 2));
        }
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

std::optional<std::vector<uint8_t>> readFileHead(const std::string& path, size_t n) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<uint8_t> bytes(n);
    size_t got = std::fread(bytes.data(), 1, n, f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
}

namespace {
constexpr size_t kWriteBuffer = size_t{1} << 20;

// Writes all n bytes (retrying after interruptions); false on any failure.
bool writeAll(int fd, const uint8_t* p, size_t n) {
    size_t done = 0;
    while (done < n) {
        ssize_t written = ::write(fd, p + done, n - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}
}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicFileWriter::open() {
    std::string pattern = target_ + ".vydtmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkstemp(name.data());
    if (fd_ < 0) { failed_ = true; return false; }
    temp_ = name.data();
    // mkstemp makes the file private; give it the usual permissions for a user's picture.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
    buffer_.reserve(kWriteBuffer);
    return true;
}

bool AtomicFileWriter::flushBuffer() {
    size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) { failed_ = true; return false; }
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::write(const void* data, size_t n) {
    if (failed_ || fd_ < 0) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (buffer_.size() + n > kWriteBuffer && !flushBuffer()) return false;
    if (n >= kWriteBuffer) {
        // Big pieces (whole pictures) go straight to the file: copying them first would cost a fresh
        // buffer of their size and a pass over it.
        if (!writeAll(fd_, p, n)) failed_ = true;
        return !failed_;
    }
    buffer_.insert(buffer_.end(), p, p + n);
    return true;
}

bool AtomicFileWriter::commit() {
    if (failed_ || fd_ < 0) return false;
    if (!flushBuffer()) return false;
    if (::close(fd_) != 0) { fd_ = -1; failed_ = true; return false; }
    fd_ = -1;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) { failed_ = true; return false; }
    committed_ = true;
    return true;
}

}  // namespace vyd
