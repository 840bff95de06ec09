#include "app/file_chooser.h"

namespace vyd {

namespace {

constexpr size_t kTitleCapacity = 255;  // the last-file-title buffer holds 256 bytes

const std::vector<FileFilter> kReadingFilters = {
    {"BMP files", "*.bmp"},         {"JPG files", "*.jpg"}, {"GIF files", "*.gif"},
    {"PCX files", "*.pcx"},         {"Poser BUM files", "*.bum"}, {"VYD slide files", "*.sli"},
    {"all files", "*.*"},
};

const std::vector<FileFilter> kWritingFilters = {
    {"BMP files", "*.bmp"}, {"JPG files", "*.jpg"},       {"GIF files", "*.gif"},
    {"PCX files", "*.pcx"}, {"Poser BUM files", "*.bum"}, {"all files", "*.*"},
};

}  // namespace

const std::vector<FileFilter>& fileFilters(FilterList list) {
    return list == FilterList::Reading ? kReadingFilters : kWritingFilters;
}

std::string fileTitle(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool chooseFile(Platform& ui, FileSettings& files, const std::string& prompt, FilterList list,
                std::string& destination, bool forSaving) {
    return chooseFile(ui, files, prompt, fileFilters(list), destination, forSaving);
}

bool chooseFile(Platform& ui, FileSettings& files, const std::string& prompt, const std::vector<FileFilter>& filters,
                std::string& destination, bool forSaving) {
    destination = files.lastFileTitle;
    FileChooserRequest request;
    request.forSaving = forSaving;
    request.title = prompt;
    request.filters = filters;
    request.filterIndex = files.lastFileType;
    request.initialName = destination;
    request.flags = forSaving ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    std::optional<std::string> chosen = ui.chooseFile(request);
    if (!chosen) return false;
    destination = *chosen;
    files.lastFileTitle = fileTitle(*chosen).substr(0, kTitleCapacity);
    return true;
}

}  // namespace vyd
