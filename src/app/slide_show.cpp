#include "app/slide_show.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/dialogs.h"
#include "app/endings.h"
#include "app/file_chooser.h"
#include "app/key_state.h"
#include "app/open_file.h"
#include "app/side_files.h"
#include "sequences/text_file.h"

namespace vyd {

namespace {

constexpr size_t kListNameLimit = 1023;
const char* const kSlideKeysHelp = "right arrow = next slide, left arrow = previous slide, apostrophe key = restart";
const std::vector<FileFilter> kSlideFilter = {{"SLI files", "*.sli"}};

// The status page with a first line of its own, the list's name and the help for the slide keys.
void showListStatus(AppState& app, const char* first) {
    app.slides.statusLines = {first, app.slides.listName, kSlideKeysHelp};
    app.slideScreen = 3;
}

// Where a name has a folder part (a '/' after its first character), that folder becomes the current one and
// the name is given back absolute, resolved against the folder that was current before, so that the file is
// not looked for in its folder a second time.
std::string enterFolderOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    if (slash == std::string::npos || slash == 0) return name;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    if (error) return name;
    std::filesystem::current_path(absolute.parent_path(), error);
    return absolute.string();
}

// Takes entries from the list's index on until one is opened or the list ends; folder entries change the
// current folder on the way.
Ending showNextEntry(AppState& app) {
    SlideList& list = app.slides.list;
    int loops = 0;
    for (;;) {
        SlideStep step = list.next(loops);
        if (step.kind == SlideStep::Nothing) return Ending::Plain;
        app.view.captionCount = 0;
        if (step.kind == SlideStep::End) {
            showListStatus(app, "end of list of slide names");
            return Ending::Redraw;
        }
        std::error_code notAFolder;
        std::filesystem::current_path(step.name, notAFolder);
        if (!notAFolder) continue;

        setLevelName(app.currentLevel(), enterFolderOf(step.name));
        app.slideScreen = 0;
        const Ending ending = openNamedFile(app);
        // Opening drops the captions of what was shown before; the new slide's own go with it.
        const size_t captions = std::min(step.captions.size(), app.view.captionLines.size());
        for (size_t i = 0; i < captions; ++i) app.view.captionLines[i] = step.captions[i];
        app.view.captionCount = static_cast<int>(captions);
        return ending;
    }
}

}  // namespace

Ending readSlideList(AppState& app) {
    Level& level = app.currentLevel();
    SlideState& slides = app.slides;
    setLevelName(level, enterFolderOf(level.name));
    const std::string name = level.name;
    const std::optional<std::string> text = readTextFile(name);
    if (!text) {
        reportCantOpen(app.ui(), name);
        slides.active = false;
        level.name.clear();
        resetLevel(level, app.buttons);
        return Ending::Redraw;
    }
    slides.listName = name.substr(0, kListNameLimit);
    std::error_code error;
    slides.listPath = std::filesystem::absolute(name, error).string();
    slides.list = parseSlideList(*text);
    slides.active = true;
    showListStatus(app, "reading from list of slide names");
    return Ending::Refresh;
}

Ending nextSlide(AppState& app) {
    if (!app.slides.active) return Ending::Plain;
    return showNextEntry(app);
}

Ending previousSlide(AppState& app) {
    if (!app.slides.active) return Ending::Plain;
    app.slides.list.stepBack();
    return showNextEntry(app);
}

Ending restartSlides(AppState& app) {
    if (!app.slides.active) return Ending::Plain;
    // Folder entries may have changed the current folder since the list was read by a name without one.
    setLevelName(app.currentLevel(), app.slides.listPath.empty() ? app.slides.listName : app.slides.listPath);
    return openNamedFile(app);
}

void logSlideName(AppState& app, bool withCaption) {
    std::FILE* log = app.slides.log.get();
    if (!log) return;
    const std::string name = app.currentLevel().name;
    const std::string caption = withCaption ? askText(app, "caption for this slide?", "") : std::string();
    if (caption.empty()) std::fprintf(log, "%s\n", name.c_str());
    else std::fprintf(log, "%s#\n%s\n", name.c_str(), caption.c_str());
    std::fflush(log);
}

Ending commandReadSlideList(AppState& app, int) {
    SlideState& slides = app.slides;
    Level& level = app.currentLevel();
    std::string name = slides.listName;
    if (!chooseFile(app.ui(), app.files, "name of file to read slides from?", kSlideFilter, name, false)) {
        slides.active = false;
        slides.listName.clear();
        slides.listPath.clear();
        level.name.clear();
        return openNamedFile(app);
    }
    slides.listName = name.substr(0, kListNameLimit);
    setLevelName(level, name);
    return openNamedFile(app);
}

Ending commandStartSlideListing(AppState& app, int) {
    std::string name;
    if (!chooseFile(app.ui(), app.files, "name of file to write slide names to?", kSlideFilter, name, true)) {
        return Ending::Update;
    }
    app.slides.log.reset();
    app.slides.log.reset(std::fopen(name.c_str(), "w"));
    if (!app.slides.log) {
        reportCantOpen(app.ui(), name);
        return Ending::Update;
    }
    app.slides.statusLines[0] = "I am starting to save slide names on file";
    app.slides.statusLines[1] = app.slides.listName;
    app.slideScreen = 2;
    return Ending::Refresh;
}

Ending commandStopSlideListing(AppState& app, int) {
    app.slides.statusLines[0] = "I am now not saving slide names.";
    app.slides.log.reset();
    app.slideScreen = 1;
    return Ending::Refresh;
}

void paintStatusScreen(AppState& app, DeviceContext& dc) {
    dc.fillWhite();
    const FontSpec statusFont{"Arial", -12};
    const int lines = std::clamp(app.slideScreen, 0, static_cast<int>(app.slides.statusLines.size()));
    for (int k = 0; k < lines; ++k) dc.textOut(10, 40 + 40 * k, app.slides.statusLines[k], statusFont);
    Level& level = app.currentLevel();
    level.name.clear();
    resetLevel(level, app.buttons);
}

bool slideKey(AppState& app, int key, LPARAM lParam) {
    if (!freshPress(lParam)) return false;
    const SlideState& slides = app.slides;
    Ending ending;
    if (slides.active && key == VK_RIGHT) {
        ending = nextSlide(app);
    } else if (slides.active && key == VK_LEFT) {
        ending = previousSlide(app);
    } else if (slides.active && key == VK_OEM_3) {
        ending = restartSlides(app);
    } else if (slides.log && (key == VK_OEM_PERIOD || key == VK_OEM_2)) {
        logSlideName(app, key == VK_OEM_2);
        return true;
    } else {
        return false;
    }
    finishCommand(app, ending, WM_KEYDOWN, static_cast<WPARAM>(key), lParam);
    return true;
}

}  // namespace vyd
