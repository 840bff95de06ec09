// The door between image files and Image records: the codecs' warnings and errors are shown through the
// platform in the order they were raised, and the main window's title says "reading from file" or "writing
// to file" meanwhile.
#pragma once

#include <string>

#include "formats/file_settings.h"
#include "image/image.h"
#include "modes/mode_settings.h"
#include "platform_api/platform.h"

namespace vyd {

// Reads the named file into image. On failure the image is an empty 2-color image and the failure has been
// shown; cantOpenText replaces "I can't open this file" when given. Sets files.lastFileType to the type read
// and keeps the header of a PCX file in files.lastPcxHeader.
bool readImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                   Image& image, const char* cantOpenText = nullptr);

// Writes image to the named file in the format its extension names (.PCX, .BMP, .BUM, .GIF, .JPG, any case).
// Sets files.lastFileType to the type written. A refused or failed write leaves no file behind.
bool writeImageFile(Platform& ui, FileSettings& files, const ModeSettings& modes, const std::string& name,
                    const Image& image);

}  // namespace vyd
