#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace vyd {

// File types as the chooser numbers its filters.
enum FileType : int { kFileTypeNone = 0, kFileTypeBmp = 1, kFileTypeJpg = 2, kFileTypeGif = 3, kFileTypePcx = 4, kFileTypeBum = 5 };

// What the file commands remember between calls.
struct FileSettings {
    std::string lastFileTitle;       // initial name of every chooser (at most 255 characters)
    int lastFileType = kFileTypeNone;
    bool showPaths = true;           // show file names with their folders
    int32_t jpegQuality = 80;        // 1..100
    std::array<uint8_t, 128> lastPcxHeader{};  // header of the last PCX file read
    bool havePcxHeader = false;
};

}  // namespace vyd
