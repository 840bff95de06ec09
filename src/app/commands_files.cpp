#include "app/commands_files.h"

#include <cstdio>

#include "app/open_file.h"
#include "app/file_chooser.h"
#include "app/image_files.h"
#include "util/text_format.h"

namespace vyd {

namespace {
constexpr size_t kTitleCapacity = 255;
}

Ending commandReadFromFile(AppState& app, int) {
    Level& level = app.currentLevel();
    std::string name = level.name;
    const bool chosen = chooseFile(app.ui(), app.files, "name of file to read in?", FilterList::Reading, name, false);
    if (!chosen) {
        level.name.clear();
        return Ending::Update;
    }
    setLevelName(level, name);
    return openNamedFile(app);
}

Ending commandSave(AppState& app, int id) {
    // The level's own name is offered first; a picture that came from no file ("<clipboard>") offers none.
    const std::string& name = app.currentLevel().name;
    app.files.lastFileTitle = name.starts_with("<") ? std::string() : name.substr(0, kTitleCapacity);
    return commandSaveAs(app, id);
}

Ending commandSaveAs(AppState& app, int) {
    std::string name;
    if (!chooseFile(app.ui(), app.files, "name of file to write to?", FilterList::Writing, name, true)) {
        return Ending::Update;
    }
    Level& level = app.currentLevel();
    if (writeImageFile(app.ui(), app.files, app.modes, name, level.image)) {
        // Only a picture that is really on disc counts as saved.
        level.altered = 0;
    } else {
        app.ui().messageBox(Owner::Main, name, "write failed", MB_OK | MB_ICONEXCLAMATION);
    }
    return Ending::Update;
}

Ending commandRenameFile(AppState& app, int) {
    const std::string oldName = app.levels[0].name;
    std::string newName;
    const std::string prompt = formatText("new name for file %s?", oldName.c_str());
    if (chooseFile(app.ui(), app.files, prompt, FilterList::Reading, newName, true)) {
        if (std::rename(oldName.c_str(), newName.c_str()) != 0) {
            app.ui().messageBox(Owner::Main, "error", "rename", MB_OK | MB_ICONEXCLAMATION);
        }
    }
    return Ending::Update;
}

Ending commandDeleteFile(AppState& app, int) {
    Level& background = app.levels[0];
    std::string name = background.name;
    const bool chosen = chooseFile(app.ui(), app.files, "name of file to delete?", FilterList::Reading, name, false);
    setLevelName(background, name);
    if (chosen && app.ui().messageBox(Owner::Main, "do you want to delete this file?", name, MB_YESNO) == IDYES) {
        std::remove(name.c_str());
    }
    return Ending::Update;
}

Ending commandShowPaths(AppState& app, int) {
    app.files.showPaths = !app.files.showPaths;
    return Ending::Redraw;
}

}  // namespace vyd
