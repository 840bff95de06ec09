#include "app/image_files.h"

#include <algorithm>
#include <iterator>

#include "app/title_status.h"
#include "formats/codec_messages.h"
#include "formats/format_table.h"

namespace vyd {

namespace {

constexpr const char* kExtensionText = "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'";

UINT boxFlags(CodecIcon icon) {
    switch (icon) {
        case CodecIcon::Exclamation: return MB_OK | MB_ICONEXCLAMATION;
    }
    return MB_OK | MB_ICONEXCLAMATION;
}

void show(Platform& ui, const std::vector<CodecBox>& boxes) {
    for (const CodecBox& box : boxes) ui.messageBox(Owner::None, box.text, box.caption, boxFlags(box.icon));
}

// Shows the warnings, then the failure (if any), as boxes without owner.
void showOutcome(Platform& ui, const std::vector<CodecNotice>& warnings, const std::optional<CodecFailure>& failure,
                 const std::string& name, const char* cantOpenText = nullptr) {
    for (const CodecNotice& warning : warnings) show(ui, codecBoxes(warning, name));
    if (!failure) return;
    std::vector<CodecBox> boxes = codecBoxes(*failure, name);
    if (failure->error == CodecError::CantOpenFile && cantOpenText) {
        for (CodecBox& box : boxes) box.caption = cantOpenText;
    }
    show(ui, boxes);
}

}  // namespace

bool readImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                   Image& image, const char* cantOpenText) {
    TitleStatus status(ui, "reading from file");
    clearImage(image);
    DecodedFile file = decodeImageFile(name, modes);
    if (file.format) files.lastFileType = file.format->type;
    if (file.decoded.pcxHeader) {
        files.lastPcxHeader = *file.decoded.pcxHeader;
        files.havePcxHeader = true;
    }
    // The entries the read did not set keep what the record held, as re-creating a record keeps them.
    Image& picture = file.decoded.picture;
    std::copy(std::begin(image.palette) + file.decoded.paletteSet, std::end(image.palette),
              std::begin(picture.palette) + file.decoded.paletteSet);
    adoptImage(image, picture);
    showOutcome(ui, file.decoded.warnings, file.decoded.failure, name, cantOpenText);
    return file.decoded.ok();
}

bool writeImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                    const Image& image) {
    TitleStatus status(ui, "writing to file");
    const WriterExtension* writer = writerOfName(name);
    if (!writer) {
        ui.messageBox(Owner::Main, kExtensionText, name, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    files.lastFileType = writer->type;
    const Encoded outcome = encodeImageFile(*writer->format, image, {modes, files.jpegQuality}, name);
    showOutcome(ui, outcome.warnings, outcome.failure, name);
    return outcome.ok();
}

}  // namespace vyd
