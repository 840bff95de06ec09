#include <gtest/gtest.h>

#include <set>

#include "app/command_table.h"
#include "app/brush_cursor.h"
#include "app/open_file.h"
#include "app/settings_file.h"

using namespace vyd;

// Properties of the menu table that any slip in it would break, checked without copying it.
TEST(CommandTable, IdentifiersAreUniqueAndReachTheirHandlerOrDefaultProcessing) {
    AppState app;
    std::set<int> seen;
    for (const CommandEntry& entry : commandTable()) {
        if (entry.id == 0) {  // a separator: inside a popup, no text, no handler
            EXPECT_NE(entry.popup, nullptr);
            EXPECT_EQ(entry.text, nullptr);
            EXPECT_EQ(entry.handler, nullptr);
            continue;
        }
        EXPECT_TRUE(seen.insert(entry.id).second) << "identifier " << entry.id << " twice";
        ASSERT_NE(entry.text, nullptr) << entry.id;
        EXPECT_EQ(findCommand(entry.id), &entry) << entry.id;
        if (!entry.handler && (entry.id < kFirstLevelCommand || entry.id >= kFirstLevelCommand + 16)) {
            EXPECT_EQ(dispatchCommand(app, entry.id), Ending::DefaultProcessing) << entry.id;
        }
    }
    EXPECT_EQ(findCommand(4242), nullptr);
    EXPECT_EQ(dispatchCommand(app, 4242), Ending::DefaultProcessing);
}

TEST(CommandTable, MenuDescriptionIsTheTableGroupedByPopup) {
    const auto bar = mainMenuDescription();
    size_t popup = 0, item = 0;
    std::set<std::string> closed;
    for (const CommandEntry& entry : commandTable()) {
        if (!entry.popup) {  // an item on the bar itself, after the popup before it
            popup += item > 0;
            item = 0;
            ASSERT_LT(popup, bar.size());
            EXPECT_EQ(bar[popup].id, entry.id);
            EXPECT_EQ(bar[popup].text, entry.text);
            EXPECT_TRUE(bar[popup++].items.empty());
            continue;
        }
        if (item == 0 || bar[popup].text != entry.popup) {
            popup += item > 0;
            item = 0;
            EXPECT_TRUE(closed.insert(entry.popup).second) << entry.popup << " appears in two places";
        }
        ASSERT_LT(popup, bar.size());
        EXPECT_EQ(bar[popup].text, entry.popup);
        ASSERT_LT(item, bar[popup].items.size()) << entry.popup;
        const MenuItem& shown = bar[popup].items[item++];
        EXPECT_EQ(shown.separator, entry.id == 0);
        EXPECT_EQ(shown.id, entry.id);
        EXPECT_EQ(shown.text, entry.text ? entry.text : "");
        EXPECT_EQ(shown.checked, entry.id == kFirstLevelCommand) << entry.id;  // only the background's check mark
    }
    EXPECT_EQ(popup + (item > 0), bar.size());
    EXPECT_EQ(bar.at(kLevelsPopup).text, "&Levels");
}

TEST(OpenFile, ExtensionsNeedMoreThanFourCharactersAndIgnoreCase) {
    EXPECT_TRUE(hasExtension("a.sli", ".SLI"));
    EXPECT_TRUE(hasExtension("show.Vyd", ".VYD"));
    EXPECT_FALSE(hasExtension(".SLI", ".SLI"));
    EXPECT_FALSE(hasExtension("x.sl", ".SLI"));
}

TEST(BrushCursor, OutlineIsAHollowRectangleClippedToTheCursor) {
    auto plane = brushOutline(3, 2);
    EXPECT_EQ(plane[0], 0xE0);  // row 0: three pixels
    EXPECT_EQ(plane[4], 0xE0);  // row 1 is the bottom row: three pixels
    EXPECT_EQ(plane[8], 0x00);
    auto tall = brushOutline(4, 40);  // taller than the cursor: no bottom edge
    EXPECT_EQ(tall[0], 0xF0);
    EXPECT_EQ(tall[31 * 4], 0x90);  // last row: only the two sides
    auto wide = brushOutline(40, 3);
    EXPECT_EQ(wide[4], 0x80);  // no right edge inside the cursor
    EXPECT_EQ(wide[3], 0xFF);
}

TEST(SettingsFile, ReadsTheKeyOfItsSectionOnly) {
    const std::string text = "[other]\npbrush=no\n[VYD]\n; comment\n PBRUSH = gimp \n";
    EXPECT_EQ(iniValue(text, "VYD", "pbrush", "xdg-open"), "gimp");
    EXPECT_EQ(iniValue("[VYD]\n", "VYD", "pbrush", "xdg-open"), "xdg-open");
}
