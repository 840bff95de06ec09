// The File-menu commands are driven by the script cases; a level pasted from the clipboard cannot be made by a
// script yet, so its save is checked here.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "support/box_platform.h"

using namespace vyd;

TEST(FileCommands, SaveOffersTheLevelsNameUnlessItCameFromNoFile) {
    vydtest::BoxPlatform ui;
    AppState app;
    app.platform = &ui;
    Level& level = app.currentLevel();
    createImage(level.image, -1, 24, 2, 2);
    for (const auto& [name, offered] : {std::pair{"/somewhere/old.bmp", "/somewhere/old.bmp"}, {"<clipboard>", ""}}) {
        setLevelName(level, name);
        ui.queueChooserAnswer(std::nullopt);
        dispatchCommand(app, 1320);
        EXPECT_EQ(ui.choosers.back().initialName, offered);
    }
}
