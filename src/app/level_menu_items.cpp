#include "app/level_menu_items.h"

#include "app/command_table.h"

namespace vyd {

void enableLevelItems(AppState& app) {
    for (int i = 0; i < kLevelCount; ++i) {
        app.ui().enableMenuItemByPosition(kLevelsPopup, app.shell.workOnBackgroundPosition + i,
                                          app.levels[i].shown != 0);
    }
}

void checkCurrentLevelItem(AppState& app) {
    for (int i = 0; i < kLevelCount; ++i) {
        app.ui().checkMenuItem(kFirstLevelCommand + i, i == app.levels.currentIndex);
    }
}

}  // namespace vyd
