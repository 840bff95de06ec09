#include "formats/format_table.h"

#include <cctype>
#include <optional>

#include "formats/bmp.h"
#include "formats/file_io.h"
#include "formats/gif.h"
#include "formats/jpeg.h"
#include "formats/pcx.h"

namespace vyd {

const ImageFormat kPcxFormat{kFileTypePcx, probePcx, decodePcx, encodePcx, CodecError::CantCreateFile,
                             CodecError::CantWriteToFile};
const ImageFormat kBmpFormat{kFileTypeBmp, probeBmp, decodeBmp, encodeBmp, CodecError::CantCreateFile,
                             CodecError::CantWriteFile};
const ImageFormat kGifFormat{kFileTypeGif, probeGif, decodeGif, encodeGif, CodecError::GifCantCreateFile,
                             CodecError::GifCantWriteToFile};
// The JPEG writer's failures are reported by every caller ("write failed"); its own error shows no box.
const ImageFormat kJpegFormat{kFileTypeJpg, probeJpeg, decodeJpeg, encodeJpeg, CodecError::JpegNotWritten,
                              CodecError::JpegNotWritten};

namespace {

// In the order they are asked.
const ImageFormat* const kReaders[] = {&kPcxFormat, &kBmpFormat, &kGifFormat, &kJpegFormat};

const WriterExtension kWriters[] = {
    {".PCX", kFileTypePcx, &kPcxFormat}, {".BMP", kFileTypeBmp, &kBmpFormat}, {".BUM", kFileTypeBum, &kBmpFormat},
    {".GIF", kFileTypeGif, &kGifFormat}, {".JPG", kFileTypeJpg, &kJpegFormat},
};

// The probes look at no more than this.
constexpr size_t kHeadBytes = 4;

}  // namespace

const ImageFormat* formatOfHead(std::span<const uint8_t> head) {
    for (const ImageFormat* format : kReaders) {
        if (format->probe(head)) return format;
    }
    return nullptr;
}

const WriterExtension* writerOfName(const std::string& name) {
    if (name.size() < 5) return nullptr;
    const std::string tail = name.substr(name.size() - 4);
    for (const WriterExtension& entry : kWriters) {
        bool same = true;
        for (size_t i = 0; i < 4 && same; ++i) {
            same = std::toupper(static_cast<unsigned char>(tail[i])) == entry.extension[i];
        }
        if (same) return &entry;
    }
    return nullptr;
}

DecodedFile decodeImageFile(const std::string& path, const ModeSettings& modes) {
    DecodedFile result;
    std::optional<InputFile> file = InputFile::open(path);
    if (!file) {
        result.decoded.fail(CodecError::CantOpenFile);
        return result;
    }
    // Too long a file is refused before any of it is read.
    if (file->length() > kMaxFileBytes) {
        result.decoded.fail(CodecError::FileTooLong, {static_cast<int64_t>(file->length()), 0, {}});
        return result;
    }
    result.format = formatOfHead(file->head(kHeadBytes));
    if (!result.format) {
        result.decoded.fail(CodecError::UnknownFormat);
        return result;
    }
    const WholeFile whole = file->readAll();
    if (whole.status == ReadStatus::TooLong) {  // it grew while read
        result.decoded.fail(CodecError::FileTooLong, {static_cast<int64_t>(whole.length), 0, {}});
        return result;
    }
    if (!whole) {
        result.decoded.fail(CodecError::CantOpenFile);
        return result;
    }
    result.decoded = result.format->decode(whole.data.bytes(), modes);
    return result;
}

Encoded encodeImageFile(const ImageFormat& format, const Image& image, const EncodeOptions& options,
                        const std::string& path) {
    // A target that cannot be written is refused before any work is spent on encoding, and is left as it was.
    AtomicFileWriter out(path);
    if (!out.open()) {
        Encoded refused;
        refused.fail(format.cantCreate);
        return refused;
    }
    Encoded result = format.encode(image, options);
    if (!result.ok()) return result;
    if (!out.write(result.bytes) || !out.commit()) result.fail(format.cantWrite);
    return result;
}

}  // namespace vyd
