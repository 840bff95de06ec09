// Movies: numbered frame files played one after the other in the current level, and copied frame by frame to
// a second numbered sequence (which converts a movie from one file format to another).
#pragma once

#include "app/app_state.h"

namespace vyd {

Ending showMovie(AppState& app, int id);  // 1365 "show images as movie"
Ending copyMovie(AppState& app, int id);  // 1366 "copy movie images"

}  // namespace vyd
