#include "formats/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
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
    // Opened without waiting, so that a named pipe with no writer is refused at once instead of blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    const int flags = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? fcntl(fd, F_GETFL) : -1;
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return InputFile(fd, static_cast<uint64_t>(st.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), length_(other.length_), head_(std::move(other.head_)) {}

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

WholeFile InputFile::readAll(size_t maxBytes) {
    WholeFile result;
    if (length_ > maxBytes) {
        result.status = ReadStatus::TooLong;
        result.length = length_;
        return result;
    }
    // Read at the file's length plus one byte, to notice one that grew (files of /proc claim no length at
    // all), and in growing pieces after that; one byte past the cap shows a file that grew past it.
    const size_t limit = maxBytes + 1;
    FileBytes& data = result.data;
    size_t capacity = std::min(std::max(static_cast<size_t>(length_) + 1, head_.size()), limit);
    data.size_ = std::min(head_.size(), capacity);
    for (;;) {
        PixelBuffer bigger = PixelBuffer::allocate(capacity);
        if (!bigger) return result;
        const uint8_t* had = data.buffer_ ? data.buffer_.data() : head_.data();
        if (data.size_) std::memcpy(bigger.data(), had, data.size_);
        data.buffer_ = std::move(bigger);
        data.size_ += readFully(fd_, data.buffer_.data() + data.size_, capacity - data.size_);
        if (data.size_ < capacity || capacity >= limit) break;
        capacity = std::min(limit, std::max(capacity * 2, size_t{65536}));
    }
    if (data.size_ > maxBytes) {
        result.status = ReadStatus::TooLong;
        result.length = data.size_;
        result.data = FileBytes();
        return result;
    }
    result.status = ReadStatus::Read;
    return result;
}

WholeFile FileBytes::read(const std::string& path, size_t maxBytes) {
    std::optional<InputFile> file = InputFile::open(path);
    if (!file) return {};
    return file->readAll(maxBytes);
}

namespace {
constexpr size_t kWriteBuffer = size_t{1} << 20;
constexpr int kMaxLinks = 40;  // as the kernel allows in one path
constexpr int kNameTries = 100;

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

// A short hidden name for a temporary, so that a target name as long as the file system allows still has
// room beside it.
std::string temporaryName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name = ".vyd-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// The text of the symbolic link at path; nothing when it cannot be read.
std::optional<std::string> linkText(const std::string& path) {
    for (size_t size = 256;; size *= 2) {
        std::string text(size, '\0');
        const ssize_t n = ::readlink(path.c_str(), text.data(), size);
        if (n < 0) return std::nullopt;
        if (static_cast<size_t>(n) < size) {
            text.resize(static_cast<size_t>(n));
            return text;
        }
    }
}
}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string target) : target_(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temp_.empty()) ::unlinkat(folderFd_, temp_.c_str(), 0);
    if (folderFd_ >= 0) ::close(folderFd_);
}

// Follows the target's symbolic links to the file they end at, and checks that it can be written.
bool AtomicFileWriter::resolveTarget() {
    std::string path = target_;
    for (int hops = 0;; ++hops) {
        if (::lstat(path.c_str(), &old_) != 0) {
            if (errno != ENOENT) return false;
            break;  // a new file (or one a dangling link names)
        }
        if (!S_ISLNK(old_.st_mode)) {
            exists_ = true;
            break;
        }
        const std::optional<std::string> link = hops < kMaxLinks ? linkText(path) : std::nullopt;
        if (!link || link->empty()) return false;
        // A relative link is relative to the folder holding it.
        path = (*link)[0] == '/' ? *link : path.substr(0, path.rfind('/') + 1) + *link;
    }
    const size_t slash = path.rfind('/');
    folder_ = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name_ = path.substr(slash + 1);
    if (name_.empty()) return false;

    if (exists_) {
        if (!S_ISREG(old_.st_mode)) return false;
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return errno != EACCES && errno != EPERM && errno != EROFS;
        if (old_.st_nlink > 1) {
            const int flags = fcntl(fd, F_GETFL);
            if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
                ::close(fd);
                return false;
            }
            fd_ = fd;
            way_ = Way::InPlace;
        } else {
            ::close(fd);
        }
    }
    folderFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folderFd_ >= 0;
}

// Creates the file the bytes go to beside the target: unnamed where the file system offers it (and /proc is
// there to link it in by), else under a fresh short name. Created with 0666 so that the umask applies.
bool AtomicFileWriter::openTemporary() {
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            way_ = Way::Unnamed;
        } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return false;
        }
    }
    for (int tries = 0; fd_ < 0 && tries < kNameTries; ++tries) {
        const std::string name = temporaryName();
        fd_ = ::openat(folderFd_, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temp_ = name;
            way_ = Way::Named;
        } else if (errno != EEXIST) {
            return false;
        }
    }
    if (fd_ < 0) return false;
    if (exists_) {
        // The owner first: changing it clears the set-user and set-group bits that fchmod then restores.
        if (::fchown(fd_, old_.st_uid, old_.st_gid) != 0) {
            // Only a privileged user may give a file away; the file stays the writer's own.
        }
        if (::fchmod(fd_, old_.st_mode & 07777) != 0) return false;
    }
    return true;
}

bool AtomicFileWriter::open() {
    if (fd_ >= 0 || failed_) return !failed_;
    const bool ready = resolveTarget() && (way_ == Way::InPlace || openTemporary());
    if (!ready) {
        failed_ = true;
        return false;
    }
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

bool AtomicFileWriter::writeBytes(const uint8_t* p, size_t n) {
    if (buffer_.size() + n > kWriteBuffer && !flushBuffer()) return false;
    written_ += n;
    if (n >= kWriteBuffer) {
        // Big pieces (whole pictures) go straight to the file: copying them first would cost a fresh
        // buffer of their size and a pass over it.
        if (!writeAll(fd_, p, n)) failed_ = true;
        return !failed_;
    }
    buffer_.insert(buffer_.end(), p, p + n);
    return true;
}

bool AtomicFileWriter::write(const EncodedFile& file) {
    if (failed_ || fd_ < 0) return false;
    if (way_ == Way::InPlace && file.size() > 0) {
        // Reserve the whole length before the first old byte is overwritten: a full disc fails here, with the
        // file as it was (cut back to its length, should the reservation have grown it).
        if (::posix_fallocate(fd_, 0, static_cast<off_t>(file.size())) != 0) {
            if (::ftruncate(fd_, old_.st_size) != 0) {
                // Nothing more can be done: the file's bytes are as they were.
            }
            failed_ = true;
            return false;
        }
    }
    return file.forEachPiece([this](std::span<const uint8_t> piece) { return writeBytes(piece.data(), piece.size()); });
}

// Gives the unnamed temporary a name in the target's folder: the target's own when there is none yet, else a
// fresh short one that is then renamed over the target.
bool AtomicFileWriter::linkTemporary(bool replace) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (!replace) {
        if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name_.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;  // one that appeared meanwhile is replaced as any other
    }
    for (int tries = 0; tries < kNameTries; ++tries) {
        const std::string name = temporaryName();
        if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        if (::renameat(folderFd_, name.c_str(), folderFd_, name_.c_str()) == 0) return true;
        ::unlinkat(folderFd_, name.c_str(), 0);
        return false;
    }
    return false;
}

bool AtomicFileWriter::commit() {
    if (failed_ || fd_ < 0) return false;
    failed_ = true;  // until everything below succeeded
    if (!flushBuffer()) return false;
    if (way_ == Way::InPlace && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0) return false;
    if (::fsync(fd_) != 0) return false;
    bool placed = true;
    if (way_ == Way::Unnamed) placed = linkTemporary(exists_);
    const int closed = ::close(std::exchange(fd_, -1));
    if (!placed || closed != 0) return false;
    if (way_ == Way::Named) {
        if (::renameat(folderFd_, temp_.c_str(), folderFd_, name_.c_str()) != 0) return false;
        temp_.clear();
    }
    if (way_ != Way::InPlace) {
        // The new name is in place whatever this says; flushing the folder makes it survive a crash.
        ::fsync(folderFd_);
    }
    failed_ = false;
    committed_ = true;
    return true;
}

WriteOutcome writeFileAtomically(const std::string& path, const EncodedFile& file) {
    AtomicFileWriter out(path);
    if (!out.open()) return WriteOutcome::NotCreated;
    return out.write(file) && out.commit() ? WriteOutcome::Written : WriteOutcome::NotWritten;
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
