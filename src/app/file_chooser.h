// The file chooser: the platform's open or save dialog with VYD's two filter lists, offering the last
// file title as the initial name and preselecting the last file type.
#pragma once

#include <string>
#include <vector>

#include "formats/file_settings.h"
#include "platform_api/platform.h"

namespace vyd {

enum class FilterList { Reading, Writing };

// Reading: BMP, JPG, GIF, PCX, Poser BUM, VYD slide files, all files. Writing: the same five, all files.
// The positions (from 1) are the file-type numbers of FileSettings::lastFileType.
const std::vector<FileFilter>& fileFilters(FilterList list);

// Copies the last file title into destination as the initial name and runs the chooser with prompt as
// its title. When the user chose a file: destination is its path, the last file title its name without
// the folder, and the result true. Cancelled: false (destination keeps the initial name).
bool chooseFile(Platform& ui, FileSettings& files, const std::string& prompt, FilterList list,
                std::string& destination, bool forSaving);

// The same with a filter list of the caller's own.
bool chooseFile(Platform& ui, FileSettings& files, const std::string& prompt, const std::vector<FileFilter>& filters,
                std::string& destination, bool forSaving);

// The name without its folder (the part after the last '/').
std::string fileTitle(const std::string& path);

}  // namespace vyd
