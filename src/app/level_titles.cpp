#include "app/level_titles.h"

#include "util/text_format.h"

namespace vyd {

std::string displayName(const FileSettings& files, const std::string& fileName) {
    if (files.showPaths || fileName.empty()) return fileName;
    size_t slash = fileName.find_last_of('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string levelDescription(const AppState& app, int level) {
    const Level& l = app.levels[level];
    return formatText("%s,bpp=%d:%d,%ld*%ld", displayName(app.files, l.name).c_str(), l.image.mode,
                      l.image.header.biBitCount, static_cast<long>(l.image.header.biWidth),
                      static_cast<long>(l.image.header.biHeight));
}

std::string windowTitle(const AppState& app, int level) {
    std::string title = formatText("VYD:#%ld:", static_cast<long>(level)) + levelDescription(app, level);
    if (!app.levels[level].shown) title += "(hidden)";
    if (app.view.rotationsSuppressed) title += ", editing colors";
    return title;
}

void setWindowTitle(AppState& app) { app.ui().setTitle(windowTitle(app, app.levels.currentIndex)); }

}  // namespace vyd
