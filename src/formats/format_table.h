// The table of image formats: readers are chosen by a file's first bytes, writers by the name's extension.
// Reading and writing whole files goes through here, so that every codec's bytes pass through the one
// whole-file reader and the one atomic writer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "formats/codec.h"
#include "formats/file_settings.h"

namespace vyd {

struct ImageFormat {
    FileType type;  // the file type a file read in this format is
    bool (*probe)(std::span<const uint8_t> head);
    Decoded (*decode)(std::span<const uint8_t> bytes, const ModeSettings& modes);
    Encoded (*encode)(const Image& image, const EncodeOptions& options);
    CodecError cantCreate;  // the file to write cannot be created
    CodecError cantWrite;   // writing it failed part way
};

extern const ImageFormat kPcxFormat;
extern const ImageFormat kBmpFormat;  // also Poser bump maps (.BUM)
extern const ImageFormat kGifFormat;
extern const ImageFormat kJpegFormat;

// A writer: the last four characters of a name, compared without regard to case.
struct WriterExtension {
    const char* extension;
    FileType type;
    const ImageFormat* format;
};

// The format whose probe takes these first bytes (PCX, BMP, GIF, JPEG are asked in that order); nullptr if none.
const ImageFormat* formatOfHead(std::span<const uint8_t> head);
// The writer the name's extension names (.PCX, .BMP, .BUM, .GIF, .JPG); nullptr if none. Names of fewer than
// five characters name none.
const WriterExtension* writerOfName(const std::string& name);

struct DecodedFile {
    Decoded decoded;
    const ImageFormat* format = nullptr;  // the format the first bytes named, if any
};

// Reads the named file and decodes it in the format its first bytes name. The failures of the file itself
// are CantOpenFile (also for anything but a regular file), FileTooLong (over kMaxFileBytes) and UnknownFormat.
DecodedFile decodeImageFile(const std::string& path, const ModeSettings& modes);

// Encodes image in format and writes it to path atomically: a failed write leaves any existing file as it was
// and reports the format's cantCreate or cantWrite error. A target that cannot be written (see
// AtomicFileWriter::open) is refused with cantCreate before the picture is encoded, even one the format would
// refuse.
Encoded encodeImageFile(const ImageFormat& format, const Image& image, const EncodeOptions& options,
                        const std::string& path);

}  // namespace vyd
