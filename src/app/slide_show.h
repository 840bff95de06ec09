// Slide shows: reading a slide list, the slide keys, the status page and the recording of slide names.
#pragma once

#include "app/app_state.h"

namespace vyd {

// Reads the slide list named in the current level's name and shows the status page; no slide is opened yet.
Ending readSlideList(AppState& app);
// The right-arrow key: opens the list's next entry with its captions (folder entries change the current folder
// and step on); at the end of the list, the status page says so.
Ending nextSlide(AppState& app);
// The left-arrow key: opens the entry before the one on display.
Ending previousSlide(AppState& app);
// The apostrophe key: reads the list afresh from its first line.
Ending restartSlides(AppState& app);
// The full-stop key (withCaption false) and the slash key (true): writes the current level's name to the
// listing file, with a caption asked for when wanted.
void logSlideName(AppState& app, bool withCaption);

// "file to &read slide file names from", "file to &list slide files names on", "&stop listing slide file names".
Ending commandReadSlideList(AppState& app, int id);
Ending commandStartSlideListing(AppState& app, int id);
Ending commandStopSlideListing(AppState& app, int id);

// The status page painted in place of the picture while `slideScreen` is set; it frees the current level for
// the next slide.
void paintStatusScreen(AppState& app, DeviceContext& dc);

// Rule 8 of the keyboard: the slide and listing keys on a fresh key-down. False when the key is not one of
// them in the present state, so that the later rules handle it.
bool slideKey(AppState& app, int key, LPARAM lParam);

}  // namespace vyd
