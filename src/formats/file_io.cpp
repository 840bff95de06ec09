#include "formats/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace vyd {

namespace {

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

std::optional<InputFile> InputFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return InputFile(fd, S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), regularSize_(other.regularSize_), head_(std::move(other.head_)) {}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::span<const uint8_t> InputFile::head(size_t n) {
    if (head_.size() < n) {
        const size_t had = head_.size();
        head_.resize(n);
        head_.resize(had + readFully(fd_, head_.data() + had, n - had));
    }
    return std::span<const uint8_t>(head_).first(std::min(n, head_.size()));
}

std::optional<FileBytes> InputFile::readAll(size_t maxBytes) {
    FileBytes result;
    // Regular files are read at their size (plus one byte, to notice one that grew); anything else in
    // growing pieces.
    size_t capacity = regularSize_ ? regularSize_ + 1 : 65536;
    capacity = std::min(std::max(capacity, head_.size()), maxBytes);
    result.size_ = std::min(head_.size(), capacity);
    for (;;) {
        PixelBuffer bigger = PixelBuffer::allocate(capacity ? capacity : 1);
        if (!bigger) return std::nullopt;
        const uint8_t* had = result.buffer_ ? result.buffer_.data() : head_.data();
        if (result.size_) std::memcpy(bigger.data(), had, result.size_);
        result.buffer_ = std::move(bigger);
        result.size_ += readFully(fd_, result.buffer_.data() + result.size_, capacity - result.size_);
        if (result.size_ < capacity || capacity >= maxBytes) break;
        capacity = std::min(maxBytes, capacity * 2);
    }
    return result;
}

std::optional<FileBytes> FileBytes::read(const std::string& path, size_t maxBytes) {
    std::optional<InputFile> file = InputFile::open(path);
    if (!file) return std::nullopt;
    return file->readAll(maxBytes);
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
    if (!writeAll(fd_, buffer_.data(), buffer_.size())) {
        failed_ = true;
        return false;
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
