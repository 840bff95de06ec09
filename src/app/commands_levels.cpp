#include "app/commands_levels.h"

#include "app/command_table.h"
#include "app/level_menu_items.h"

namespace vyd {

namespace {
void fillClientWhite(AppState& app) {
    app.ui().deviceContext().fillWhite();
    app.ui().flushDrawing();
}
}  // namespace

Ending commandHideShow(AppState& app, int) {
    Level& level = app.currentLevel();
    level.shown = static_cast<uint8_t>(1 - level.shown);
    return Ending::Redraw;
}

Ending commandDropCurrent(AppState& app, int) {
    Level& level = app.currentLevel();
    level.shown = 1;
    level.name.clear();
    emptyLevelImage(level);
    if (app.levels.currentIndex == 0) fillClientWhite(app);
    return Ending::Redraw;
}

Ending commandDropAll(AppState& app, int) {
    for (Level& level : app.levels.levels) {
        level.shown = 1;
        level.name.clear();
        emptyLevelImage(level);
    }
    app.levels.currentIndex = 0;
    checkCurrentLevelItem(app);  // the check mark follows the current level back to the background
    fillClientWhite(app);
    return Ending::Redraw;
}

Ending commandSortByPriority(AppState& app, int) {
    sortLevelsByPriority(app.levels);
    return Ending::Redraw;
}

Ending commandUndo(AppState& app, int) {
    if (undoExchange(app.levels)) return Ending::Redraw;
    app.ui().beep();
    return Ending::Plain;
}

Ending commandSelectLevel(AppState& app, int id) {
    app.levels.currentIndex = id - kFirstLevelCommand;
    checkCurrentLevelItem(app);
    return Ending::Refresh;
}

bool confirmAltered(AppState& app) {
    const Level& background = app.levels[0];
    if (!background.altered) return false;
    int answer = app.ui().messageBox(Owner::Main,
                                     "You have altered this or the previous image since you read it or saved it "
                                     "last: do you want to carry on with this operation?",
                                     background.name, MB_YESNO);
    return answer != IDYES;
}

}  // namespace vyd
