#include "formats/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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
        const ssize_t r = ::read(fd, to + got, n - got);
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

WriteOutcome writeFileAtomically(const std::string& path, const EncodedFile& file) {
    AtomicFileWriter out(path);
    if (!out.open()) return WriteOutcome::NotCreated;
    file.forEachPiece([&out](std::span<const uint8_t> piece) { return out.write(piece.data(), piece.size()); });
    return out.commit() ? WriteOutcome::Written : WriteOutcome::NotWritten;
}

// ---- Encoded files -------------------------------------------------------------------------------------

void EncodedFile::append(const void* data, size_t n) {
    if (n == 0) return;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    if (!pieces_.empty() && !pieces_.back().borrowed && pieces_.back().offset + pieces_.back().size == owned_.size()) {
        pieces_.back().size += n;
    } else {
        pieces_.push_back({nullptr, owned_.size(), n});
    }
    owned_.insert(owned_.end(), p, p + n);
    size_ += n;
}

void EncodedFile::appendZeros(size_t n) {
    static constexpr uint8_t kZeros[16] = {};
    for (; n > sizeof kZeros; n -= sizeof kZeros) append(kZeros, sizeof kZeros);
    append(kZeros, n);
}

void EncodedFile::borrow(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return;
    pieces_.push_back({bytes.data(), 0, bytes.size()});
    size_ += bytes.size();
}

std::vector<uint8_t> EncodedFile::flatten() const {
    std::vector<uint8_t> all;
    all.reserve(size_);
    forEachPiece([&all](std::span<const uint8_t> piece) {
        all.insert(all.end(), piece.begin(), piece.end());
        return true;
    });
    return all;
}

}  // namespace vyd
