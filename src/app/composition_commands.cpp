#include "app/composition_commands.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include "app/dialogs.h"
#include "app/file_chooser.h"
#include "app/image_files.h"
#include "app/repaint.h"
#include "app/scroll_bars.h"
#include "app/side_files.h"
#include "sequences/composition.h"
#include "sequences/text_file.h"

namespace vyd {

namespace {

const std::vector<FileFilter>& compositionFilters() {
    static const std::vector<FileFilter> kFilters = {{"composition files", "*.vyd"}};
    return kFilters;
}

// Every level shown, nameless, empty and unaltered, each current in turn (so the top level ends current); a white
// window; rotations no longer suppressed (the saved rotations are not put back).
void clearAllLevels(AppState& app) {
    for (int i = 0; i < kLevelCount; ++i) {
        app.levels.currentIndex = i;
        Level& level = app.levels[i];
        level.shown = 1;
        level.name.clear();
        emptyLevelImage(level);
        // What the level held is given up for what the file names, so nothing is left to save.
        level.altered = 0;
    }
    clearWindow(app);
    app.view.rotationsSuppressed = false;
}

void placeLevel(Level& level, const CompositionEntry& entry) {
    level.originX = entry.originX;
    level.originY = entry.originY;
    level.scaleX = entry.scaleX;
    level.scaleY = entry.scaleY;
    const double radians = entry.angleDegrees * std::numbers::pi / 180;
    level.rotationCos = std::cos(radians);
    level.rotationSin = std::sin(radians);
    level.image.leftColor = entry.leftColor;
}

}  // namespace

Ending readComposition(AppState& app, const std::string* name) {
    std::string path;
    if (name) {
        path = *name;
    } else {
        app.files.lastFileTitle = "*.vyd";
        if (!chooseFile(app.ui(), app.files, "name of file to read composing info from?", compositionFilters(), path,
                        false)) {
            return Ending::Update;
        }
    }
    // A file that cannot be opened, or one too big to be a composition, changes nothing.
    const std::optional<std::string> text = readTextFile(path);
    if (!text) return Ending::Plain;

    clearAllLevels(app);
    for (std::string_view line : textLines(*text)) {
        const std::optional<CompositionEntry> entry = parseCompositionLine(line);
        if (!entry) continue;
        Level& level = app.levels[entry->level];
        setLevelName(level, entry->name);
        // A picture that came from no file ("<clipboard>", a new image) cannot be read back: its level stays
        // empty and the rest of the composition is still read.
        if (level.name.empty() || level.name.starts_with("<")) {
            level.name.clear();
            continue;
        }
        if (!readImageFile(app.ui(), app.files, app.modes, level.name, level.image)) {
            level.name.clear();
            return Ending::Redraw;
        }
        placeLevel(level, *entry);
        updateSlack(app);
        sanitizeLevel(app, app.levels.currentIndex);
    }
    return Ending::Redraw;
}

Ending commandReadComposition(AppState& app, int) { return readComposition(app, nullptr); }

Ending commandWriteComposition(AppState& app, int) {
    app.files.lastFileTitle = "*.vyd";
    std::string name;
    if (!chooseFile(app.ui(), app.files, "name of file to write composing info to?", compositionFilters(), name,
                    true)) {
        return Ending::Update;
    }
    std::string text;
    for (int i = 0; i < kLevelCount; ++i) {
        const Level& level = app.levels[i];
        if (level.image.hasPixels()) text += compositionLine(i, level, app.view.rotationsSuppressed);
    }
    if (!writeSideFile(app.ui(), name, text)) return Ending::Plain;
    return Ending::Update;
}

Ending commandWriteNumbers(AppState& app, int) {
    const Image& image = app.currentLevel().image;
    const char* refusal = !image.hasPixels() ? "no image" : image.bitCount() != 24 ? "the image must be truecolor" : nullptr;
    if (refusal) {
        app.ui().messageBox(Owner::None, refusal, "", MB_OK | MB_ICONEXCLAMATION);
        return Ending::Update;
    }
    const std::string previousTitle = app.files.lastFileTitle;
    app.files.lastFileTitle = "_.txt";
    std::string name;
    static const std::vector<FileFilter> kAllFiles = {{"all files", "*.*"}};
    const bool chosen = chooseFile(app.ui(), app.files, "name of file to write data to?", kAllFiles, name, true);
    app.files.lastFileTitle = previousTitle;
    if (!chosen) return Ending::Update;
    if (!writeSideFile(app.ui(), name, numbersText(image))) return Ending::Plain;
    app.ui().messageBox(Owner::None, "I wrote the file", name, MB_OK);
    return Ending::DefaultProcessing;
}

}  // namespace vyd
