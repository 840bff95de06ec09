// The file layer under the codecs: one whole-file reader and one safe writer. Only regular files are read. A
// write goes to a temporary file beside the target that replaces it only when everything was written and
// flushed, so a failed write never destroys an existing file; a file with several names is rewritten in place
// instead, so that every name shows the new bytes.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/codec.h"
#include "image/image.h"

namespace vyd {

inline constexpr size_t kMaxFileBytes = size_t{1} << 31;

struct WholeFile;

// A whole file read into one uninitialised buffer (big ones 2 MiB-aligned, as pixel buffers are): no clearing
// pass before the read and no second copy.
class FileBytes {
public:
    std::span<const uint8_t> bytes() const { return {buffer_.data(), size_}; }
    size_t size() const { return size_; }

    // Reads the whole regular file at path (see WholeFile): a file longer than maxBytes is not read at all.
    static WholeFile read(const std::string& path, size_t maxBytes = kMaxFileBytes);

private:
    friend class InputFile;
    PixelBuffer buffer_;
    size_t size_ = 0;
};

enum class ReadStatus {
    Read,
    CantOpen,  // missing, unreadable, not a regular file (a folder, a pipe, a device), or no memory for it
    TooLong,   // longer than the reader's cap
};

// What reading a whole file gave: its bytes, or why not.
struct WholeFile {
    ReadStatus status = ReadStatus::CantOpen;
    uint64_t length = 0;  // TooLong: the file's length in bytes (at least this long)
    FileBytes data;       // Read: the bytes

    explicit operator bool() const { return status == ReadStatus::Read; }
};

// A regular file opened once for reading, whose first bytes can be looked at before the whole of it is read
// (so that a file of no known format is never read whole, and nothing is opened twice).
class InputFile {
public:
    // Nothing when the file cannot be opened or is not a regular file. A named pipe is refused without
    // waiting for a writer.
    static std::optional<InputFile> open(const std::string& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&&) = delete;
    ~InputFile();

    // The file's length when it was opened.
    uint64_t length() const { return length_; }
    // The first n bytes, fewer for a shorter file; read once and kept.
    std::span<const uint8_t> head(size_t n);
    // The whole file, the head included. TooLong (nothing read) when it is longer than maxBytes, or grows
    // past it while read; CantOpen when memory for it cannot be had.
    WholeFile readAll(size_t maxBytes = kMaxFileBytes);

private:
    InputFile(int fd, uint64_t length) : fd_(fd), length_(length) {}
    int fd_;
    uint64_t length_;
    std::vector<uint8_t> head_;
};

// Writes a file safely. open() decides where the bytes go and refuses a target that cannot be written before
// anything is encoded; write() then takes the bytes and commit() puts them in place.
//
// The target's symbolic links are followed (the link stays a link, its final target gets the bytes; a dangling
// link creates the file it names). A target with several hard links is rewritten in place, its space reserved
// first so that a full disc fails before any old byte is touched. Otherwise the bytes go to a temporary in the
// target's folder (unnamed where the file system offers it, so that a killed process leaves nothing behind)
// that is flushed and renamed over the target. The new file keeps the replaced one's permission bits and,
// where allowed, its owner; a new file gets 0666 less the umask.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string target);
    ~AtomicFileWriter();  // removes a named temporary unless committed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False, with the target untouched, when it cannot be written: not a regular file (a folder, a pipe, a
    // device), not writable by the user, or its folder missing or not writable.
    bool open();
    // The whole file, in one call (a file rewritten in place reserves its length first).
    bool write(const EncodedFile& file);
    bool commit();  // flush, put in place, flush the folder; false on any failure
    bool failed() const { return failed_; }

private:
    enum class Way { Unnamed, Named, InPlace };
    std::string target_;  // the path given
    std::string folder_;  // the folder of the final target (after links)
    std::string name_;    // the final target's name in it
    std::string temp_;    // a named temporary's name in folder_
    int folderFd_ = -1;
    int fd_ = -1;
    Way way_ = Way::Named;
    bool exists_ = false;  // the final target exists
    struct stat old_ {};   // and is this
    uint64_t written_ = 0;
    bool failed_ = false;
    bool committed_ = false;
    std::vector<uint8_t> buffer_;

    bool resolveTarget();
    bool openTemporary();
    bool writeBytes(const uint8_t* p, size_t n);
    bool flushBuffer();
    bool linkTemporary(bool replace);
};

enum class WriteOutcome { Written, NotCreated, NotWritten };

// Writes an encoded file to path through an AtomicFileWriter.
WriteOutcome writeFileAtomically(const std::string& path, const EncodedFile& file);

}  // namespace vyd
