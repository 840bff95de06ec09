#include "formats/image_files.h"

#include <array>
#include <cctype>
#include <optional>
#include <span>

#include "formats/bmp.h"
#include "formats/codec_result.h"
#include "formats/file_bytes.h"
#include "formats/gif.h"
#include "formats/jpeg.h"
#include "formats/pcx.h"

namespace vyd {

namespace {

using Decoder = CodecResult (*)(std::span<const uint8_t> bytes, const std::string& name, Image& image,
                                FileSettings& files, const ModeSettings& modes);
// Readers that take the file themselves (to read its pixels straight into the picture).
using FileDecoder = CodecResult (*)(const std::string& name, Image& image, FileSettings& files,
                                    const ModeSettings& modes);
using Encoder = CodecResult (*)(const std::string& name, const Image& image, const FileSettings& files,
                                const ModeSettings& modes);

// A reader is chosen by the first bytes: the first byte, and the second unless it is -1. A file shorter
// than minimumBytes is not taken for that format. A reader is handed the whole file's bytes (decode), or
// the name of the file (readFile).
struct ReaderEntry {
    std::array<int, 2> magic;
    size_t minimumBytes;
    FileType type;
    Decoder decode;
    FileDecoder readFile;
};

// A writer is chosen by the last four characters of the name, compared without regard to case.
struct WriterEntry {
    const char* extension;
    FileType type;
    Encoder encode;
};

CodecResult readBmpEntry(const std::string& name, Image& image, FileSettings&, const ModeSettings& modes) {
    return readBmpFile(name, image, modes);
}

CodecResult writeBmpEntry(const std::string& name, const Image& image, const FileSettings&,
                          const ModeSettings& modes) {
    return writeBmp(name, image, modes);
}

CodecResult writePcxEntry(const std::string& name, const Image& image, const FileSettings&,
                          const ModeSettings& modes) {
    return writePcx(name, image, modes);
}

CodecResult readGifEntry(std::span<const uint8_t> bytes, const std::string& name, Image& image, FileSettings&,
                         const ModeSettings& modes) {
    return decodeGif(bytes, name, image, modes);
}

CodecResult writeGifEntry(const std::string& name, const Image& image, const FileSettings&,
                          const ModeSettings& modes) {
    return writeGif(name, image, modes);
}

CodecResult readJpegEntry(std::span<const uint8_t> bytes, const std::string& name, Image& image, FileSettings&,
                          const ModeSettings&) {
    return decodeJpeg(bytes, name, image);
}

CodecResult writeJpegEntry(const std::string& name, const Image& image, const FileSettings& files,
                           const ModeSettings&) {
    return writeJpeg(name, image, files.jpegQuality);
}

// In the order they are tried.
const ReaderEntry kReaders[] = {
    {{0x0A, -1}, 4, kFileTypePcx, decodePcx, nullptr},
    {{'B', 'M'}, 2, kFileTypeBmp, nullptr, readBmpEntry},
    {{'G', 'I'}, 2, kFileTypeGif, readGifEntry, nullptr},
    {{0xFF, 0xD8}, 2, kFileTypeJpg, readJpegEntry, nullptr},
};

const WriterEntry kWriters[] = {
    {".PCX", kFileTypePcx, writePcxEntry},
    {".BMP", kFileTypeBmp, writeBmpEntry},
    {".BUM", kFileTypeBum, writeBmpEntry},
    {".GIF", kFileTypeGif, writeGifEntry},
    {".JPG", kFileTypeJpg, writeJpegEntry},
};

const ReaderEntry* findReader(std::span<const uint8_t> head) {
    for (const ReaderEntry& entry : kReaders) {
        if (head.size() < entry.minimumBytes || head[0] != entry.magic[0]) continue;
        if (entry.magic[1] >= 0 && head[1] != entry.magic[1]) continue;
        return &entry;
    }
    return nullptr;
}

const WriterEntry* findWriter(const std::string& name) {
    if (name.size() < 5) return nullptr;
    const std::string tail = name.substr(name.size() - 4);
    for (const WriterEntry& entry : kWriters) {
        bool same = true;
        for (size_t i = 0; i < 4 && same; ++i) {
            same = std::toupper(static_cast<unsigned char>(tail[i])) == entry.extension[i];
        }
        if (same) return &entry;
    }
    return nullptr;
}

// Shows the codec's messages (boxes without owner) in the order they were raised.
void showMessages(Platform& ui, const CodecResult& outcome) {
    for (const CodecMessage& message : outcome.messages) {
        ui.messageBox(Owner::None, message.text, message.caption, message.flags);
    }
}

// The window's title is the status line while a file is read or written; it is put back afterwards.
class TitleStatus {
public:
    TitleStatus(Platform& ui, const char* status) : ui_(ui), saved_(ui.title().substr(0, 127)) {
        ui_.setTitle(status);
    }
    ~TitleStatus() { ui_.setTitle(saved_); }
    TitleStatus(const TitleStatus&) = delete;
    TitleStatus& operator=(const TitleStatus&) = delete;

private:
    Platform& ui_;
    std::string saved_;
};

}  // namespace

bool readImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                   Image& image, const char* cantOpenText) {
    TitleStatus status(ui, "reading from file");
    clearImage(image);
    const char* failure = cantOpenText ? cantOpenText : kCantOpenText;
    if (std::optional<FileBytes> head = FileBytes::read(name, 4)) {
        failure = kUnknownFormatText;
        if (const ReaderEntry* reader = findReader(head->bytes())) {
            files.lastFileType = reader->type;
            std::optional<CodecResult> outcome;
            if (reader->readFile) {
                outcome = reader->readFile(name, image, files, modes);
            } else if (std::optional<FileBytes> whole = FileBytes::read(name)) {
                outcome = reader->decode(whole->bytes(), name, image, files, modes);
            }
            if (outcome) {
                showMessages(ui, *outcome);
                return outcome->ok;
            }
            failure = cantOpenText ? cantOpenText : kCantOpenText;
        }
    }
    makeEmptyImage(image);
    ui.messageBox(Owner::None, name, failure, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool writeImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                    const Image& image) {
    TitleStatus status(ui, "writing to file");
    const WriterEntry* writer = findWriter(name);
    if (!writer) {
        ui.messageBox(Owner::Main, kExtensionText, name, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    files.lastFileType = writer->type;
    CodecResult outcome = writer->encode(name, image, files, modes);
    showMessages(ui, outcome);
    return outcome.ok;
}

}  // namespace vyd
