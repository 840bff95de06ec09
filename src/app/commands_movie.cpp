#include "app/commands_movie.h"

#include <algorithm>
#include <iterator>

#include "app/composition_commands.h"
#include "app/endings.h"
#include "app/file_chooser.h"
#include "app/image_files.h"
#include "app/open_file.h"
#include "app/repaint.h"
#include "sequences/frame_names.h"

namespace vyd {

namespace {

constexpr uint32_t kFramePeriodMs = 50;  // at most twenty frames a second
constexpr size_t kShortestFrameName = 10;
const char* const kFirstFramePrompt = "name of first frame file of movie?";
const char* const kFirstCopyFramePrompt = "name of first frame file of copy of movie?";
const char* const kMovieFinishedText = "movie finished: next frame after the last frame would have been";

// Chooses the first frame into the current level's name; false (the name emptied) when cancelled.
bool chooseFirstFrame(AppState& app) {
    Level& level = app.currentLevel();
    std::string name = level.name;
    if (!chooseFile(app.ui(), app.files, kFirstFramePrompt, FilterList::Reading, name, false)) {
        level.name.clear();
        return false;
    }
    setLevelName(level, name);
    return true;
}

// Slide mode off, the level reset (and a background's window cleared), then either a composition file read in
// its place (the ending is then in *composition) or the first frame read into the level.
bool startMovie(AppState& app, Ending* composition) {
    Level& level = app.currentLevel();
    app.slideScreen = 0;
    resetLevel(level, app.buttons);
    if (app.levels.currentIndex == 0) clearWindow(app);
    if (hasExtension(level.name, ".VYD")) {
        const std::string name = level.name;
        *composition = readComposition(app, &name);
        return false;
    }
    // The reading's own redraw comes with the first pass of the frame loop.
    readLevelImage(app);
    return true;
}

// A sequence that cannot go on past its first frame still shows that frame.
Ending stopBeforeTheLoop(AppState& app) {
    redrawNow(app);
    return Ending::DefaultProcessing;
}

// Reads the frame into a scratch picture and moves it into the level only when the read succeeded, so a
// movie that ends at a missing or unreadable frame leaves its last frame in the level.
bool readNextFrame(AppState& app, const std::string& frame, const char* cantOpenText) {
    Image& image = app.currentLevel().image;
    Image scratch;
    // Palette entries a file does not set keep what the level's picture held, as a read into it would.
    std::copy(std::begin(image.palette), std::end(image.palette), std::begin(scratch.palette));
    if (!readImageFile(app.ui(), app.files, app.modes, frame, scratch, cantOpenText)) return false;
    adoptImage(image, scratch);
    return true;
}

// Sleeps until a frame period has passed since `shownAt` (the clock may wrap: unsigned difference).
void waitForFramePeriod(AppState& app, uint32_t shownAt) {
    const uint32_t elapsed = app.ui().tickCount() - shownAt;
    if (elapsed < kFramePeriodMs) app.ui().sleepMs(kFramePeriodMs - elapsed);
}

}  // namespace

Ending showMovie(AppState& app, int) {
    if (!chooseFirstFrame(app)) return Ending::Update;
    Ending composition = Ending::DefaultProcessing;
    if (!startMovie(app, &composition)) return composition;
    // The level keeps the first frame's name; only its picture follows the frames.
    std::string frame = app.currentLevel().name;
    if (frame.size() < kShortestFrameName) return stopBeforeTheLoop(app);
    for (;;) {
        const uint32_t shownAt = app.ui().tickCount();
        redrawNow(app);
        const std::optional<std::string> next = nextFrameName(frame);
        if (!next) break;
        frame = *next;
        if (!readNextFrame(app, frame, kMovieFinishedText)) break;
        waitForFramePeriod(app, shownAt);
    }
    return Ending::DefaultProcessing;
}

Ending copyMovie(AppState& app, int) {
    if (!chooseFirstFrame(app)) return Ending::Update;
    std::string copy;
    if (!chooseFile(app.ui(), app.files, kFirstCopyFramePrompt, FilterList::Reading, copy, true)) {
        app.currentLevel().name.clear();
        return Ending::Update;
    }
    Ending composition = Ending::DefaultProcessing;
    if (!startMovie(app, &composition)) return composition;
    std::string frame = app.currentLevel().name;
    if (frame.size() < kShortestFrameName || copy.size() < kShortestFrameName) return stopBeforeTheLoop(app);
    for (;;) {
        const uint32_t shownAt = app.ui().tickCount();
        redrawNow(app);
        // A frame that cannot be written (no such folder, a mode the format cannot hold) has shown its message;
        // every later frame would fail the same way, so the copy ends at the first failed write.
        if (!writeImageFile(app.ui(), app.files, app.modes, copy, app.currentLevel().image)) break;
        const std::optional<std::string> next = nextFrameName(frame);
        if (!next) break;
        const std::optional<std::string> nextCopy = nextFrameName(copy);
        if (!nextCopy) break;
        frame = *next;
        copy = *nextCopy;
        if (!readNextFrame(app, frame, nullptr)) break;
        waitForFramePeriod(app, shownAt);
    }
    return Ending::DefaultProcessing;
}

}  // namespace vyd
