#include <gtest/gtest.h>

#include "app/startup.h"
#include "platform/headless_platform.h"

using namespace vyd;

namespace {
struct Session {
    HeadlessPlatform ui;
    AppState app;
    Session() { EXPECT_TRUE(startApplication(app, ui, {})); }
    void command(int id) { ui.sendMessage(WM_COMMAND, static_cast<WPARAM>(id), 0); }
};
}  // namespace

TEST(MainWindow, CheckMarkFollowsTheCurrentLevelAndHiddenLevelsAreGreyed) {
    Session s;
    const int first = s.app.shell.workOnBackgroundPosition;
    s.command(1335);  // work on object 7
    EXPECT_TRUE(s.ui.menuItemChecked(1335));
    EXPECT_FALSE(s.ui.menuItemChecked(1328));
    s.command(1307);  // hide it; the repaint greys its item
    EXPECT_FALSE(s.ui.menuItemEnabledAt(3, first + 7));
    EXPECT_TRUE(s.ui.menuItemEnabledAt(3, first + 6));
    EXPECT_EQ(s.app.levels.currentIndex, 7);
}
