// The menu "VYD": every popup, item and separator with its command identifier and handler.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"

namespace vyd {

using CommandHandler = Ending (*)(AppState& app, int id);

struct CommandEntry {
    int id;                  // 0 for a separator
    const char* popup;       // "&Files", ... or nullptr for a top-level item
    const char* text;        // the item text, as it appears in the menu
    CommandHandler handler;  // nullptr: default processing
};

inline constexpr int kFirstLevelCommand = 1328;  // 1328 + i chooses level i
inline constexpr int kLevelsPopup = 3;
inline constexpr int kNullMenuItem = 1280;
extern const char* const kNullMenuText;

const std::vector<CommandEntry>& commandTable();
const CommandEntry* findCommand(int id);
// The menu description the platforms build their menu bars from (before the fourteen appended items).
std::vector<MenuItem> mainMenuDescription();
std::vector<MenuItem> nullMenuDescription();
Ending dispatchCommand(AppState& app, int id);

}  // namespace vyd
