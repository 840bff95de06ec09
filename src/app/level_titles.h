// The names and titles by which levels are shown: the window title, the one-line level description.
#pragma once

#include <string>

#include "app/app_state.h"

namespace vyd {

std::string displayName(const FileSettings& files, const std::string& fileName);
std::string levelDescription(const AppState& app, int level);
std::string windowTitle(const AppState& app, int level);
void setWindowTitle(AppState& app);

}  // namespace vyd
