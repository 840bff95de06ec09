// The door between image files and Image records: readers are chosen by a file's first bytes, writers by
// the name's extension. The codecs' messages are shown through the platform in the order they were raised,
// and the main window's title says "reading from file" or "writing to file" meanwhile.
#pragma once

#include <string>

#include "formats/file_settings.h"
#include "image/image.h"
#include "modes/mode_settings.h"
#include "platform_api/platform.h"

namespace vyd {

inline constexpr const char* kCantOpenText = "I can't open this file";
inline constexpr const char* kUnknownFormatText = "this file is no graphics mode that I know of";
inline constexpr const char* kExtensionText = "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'";

// Reads the named file into image. On failure the image is an empty 2-color image and the failure has been
// shown; cantOpenText replaces "I can't open this file" when given. Sets files.lastFileType to the type read.
bool readImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                   Image& image, const char* cantOpenText = nullptr);

// Writes image to the named file in the format its extension names (.PCX, .BMP, .BUM, .GIF, .JPG, any case).
// Sets files.lastFileType to the type written. A refused or failed write leaves no file behind.
bool writeImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                    const Image& image);

}  // namespace vyd
