// The one shape every image codec has. A codec never talks to the user: decode turns a file's bytes into a
// picture plus warnings, or a typed error (after any warnings raised before it); encode turns a picture into
// the bytes of a file plus warnings, or a typed error. What each error and warning says to the user, and how,
// is in codec_messages.h; format_table.h holds the table of codecs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/image.h"
#include "modes/imageconv.h"
#include "modes/mode_settings.h"

namespace vyd {

// Why a file could not be read or written.
enum class CodecError {
    CantOpenFile,       // the file to read cannot be opened
    UnknownFormat,      // its first bytes name no format we read
    TooBig,             // width x height beyond the record's limits (first, second)
    CantCreateFile,     // the file to write cannot be created
    CantWriteFile,      // writing it failed part way, or the record does not hold the rows it claims
    CantWriteToFile,    // the same, in the words of the PCX and GIF writers ("I can't write to this file")
    ConversionFailed,   // a conversion the codec needed failed; its own message (if any) says why
    BadBmp,
    CompressedBmp,
    BmpNoImageArray,    // file size (first) and pixel offset (second) as the file claims them
    PcxBadFile,
    PcxNoImageArray,
    PcxUnknownMode,     // bits per pixel times planes (first)
    PcxEof,
    PcxNoPaletteMark,
    PcxModeNotWritable,
    GifHeaderNotRead,
    GifNotGif,
    GifBlockCodeNotRead,
    GifBlockSizeNotRead,
    GifBlockNotRead,
    GifSeparatorNotRead,
    GifImageHeaderNotRead,
    GifNoPalette,
    GifNoImageArray,
    GifBadSeparator,    // the byte found (first)
    GifNoImage,
    GifTruecolor,
    GifNothingToWrite,
    GifCantCreateFile,
    GifCantWriteToFile,
    JpegUnreadable,
    JpegNotEncoded,     // the picture could not be compressed
    JpegNotWritten,     // the file could not be created or written
    FileTooLong,        // the file to read is longer than any reader takes (first: its bytes)
    BeyondData,         // the picture (first x second) is far larger than the file's data can fill
};

// Something the user is told about a file that was read or written all the same.
enum class CodecWarning {
    Conversion,         // a conversion the codec used reported something (its message)
    PcxHeaderMismatch,  // the bytes per line do not match the width
    GifImageCount,      // the file holds several images (first: how many); the first is read
    JpegDamaged,        // the decoder completed the picture from damaged data
};

// The numbers and texts a message needs besides the file's name.
struct CodecDetail {
    int64_t first = 0;
    int64_t second = 0;
    ConversionMessage conversion;
};

struct CodecFailure {
    CodecError error;
    CodecDetail detail;
};

struct CodecNotice {
    CodecWarning warning;
    CodecDetail detail;
};

// The bytes of an encoded file: pieces to be written one after another. A piece either lies in the record's
// own buffer or is borrowed from the picture (and is valid as long as the picture is), so that writing a big
// picture makes no copy of its rows.
class EncodedFile {
public:
    void append(const void* data, size_t n);
    void append(std::span<const uint8_t> bytes) { append(bytes.data(), bytes.size()); }
    void appendZeros(size_t n);
    void borrow(std::span<const uint8_t> bytes);

    size_t size() const { return size_; }
    // Calls write(bytes) for each piece in order; stops and returns false when write does.
    template <typename Write>
    bool forEachPiece(Write&& write) const {
        for (const Piece& piece : pieces_) {
            const uint8_t* start = piece.borrowed ? piece.borrowed : owned_.data() + piece.offset;
            if (!write(std::span<const uint8_t>(start, piece.size))) return false;
        }
        return true;
    }
    std::vector<uint8_t> flatten() const;

private:
    struct Piece {
        const uint8_t* borrowed;  // nullptr: the bytes are owned_[offset, offset + size)
        size_t offset;
        size_t size;
    };
    std::vector<uint8_t> owned_;
    std::vector<Piece> pieces_;
    size_t size_ = 0;
};

// What every codec run reports besides its result: the warnings raised, in order, and the failure, if any.
struct CodecOutcome {
    std::vector<CodecNotice> warnings;
    std::optional<CodecFailure> failure;

    bool ok() const { return !failure; }
    void warn(CodecWarning warning, CodecDetail detail = {}) { warnings.push_back({warning, std::move(detail)}); }
};

struct Decoded : CodecOutcome {
    Image picture;  // the empty 2-color picture after a failure
    // The header of a PCX file of at least 128 bytes, whether or not the rest could be read.
    std::optional<std::array<uint8_t, 128>> pcxHeader;
    // How many leading palette entries the read gave the picture. Creating a record sets entries 0-15 and keeps
    // what the others held, so a record read into keeps its own entries from this one on.
    int paletteSet = 16;

    Decoded& fail(CodecError error, CodecDetail detail = {}) {
        failure = CodecFailure{error, std::move(detail)};
        makeEmptyImage(picture);
        return *this;
    }
};

struct Encoded : CodecOutcome {
    EncodedFile bytes;

    Encoded& fail(CodecError error, CodecDetail detail = {}) {
        failure = CodecFailure{error, std::move(detail)};
        return *this;
    }
};

inline constexpr int kDefaultJpegQuality = 80;

// What an encoder may take into account besides the picture.
struct EncodeOptions {
    ModeSettings modes;
    int jpegQuality = kDefaultJpegQuality;  // 1..100 (clamped)
};

}  // namespace vyd
