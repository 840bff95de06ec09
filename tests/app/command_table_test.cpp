#include <gtest/gtest.h>

#include <set>

#include "app/command_table.h"
#include "app/brush_cursor.h"
#include "app/open_file.h"
#include "app/settings_file.h"

using namespace vyd;

TEST(CommandTable, HoldsEveryIdentifierOnceUnderItsPopupInMenuOrder) {
    // (id, popup) pairs in menu order, written out independently of the table.
    const std::vector<std::pair<int, const char*>> expected = {
        {1321, "&Files"}, {1297, "&Files"}, {1320, "&Files"}, {1298, "&Files"}, {1301, "&Files"}, {1299, "&Files"},
        {1300, "&Files"}, {1311, "&Files"}, {1281, "&Files"}, {1302, "&Files"}, {1303, "&Files"}, {1317, "&Files"},
        {1318, "&Files"}, {1325, "&Files"}, {1365, "&Files"}, {1366, "&Files"}, {1296, "&Files"},
        {1601, "&Modes"}, {1604, "&Modes"}, {1636, "&Modes"}, {1544, "&Modes"}, {1561, "&Modes"}, {1545, "&Modes"},
        {1560, "&Modes"}, {1324, "&Modes"}, {1562, "&Modes"}, {1540, "&Modes"}, {0, "&Modes"}, {1282, "&Modes"},
        {1305, "&Modes"}, {1310, "&Modes"}, {1357, "&Modes"},
        {1319, "&Editing"}, {1616, "&Editing"}, {1617, "&Editing"}, {1618, "&Editing"}, {1620, "&Editing"},
        {1621, "&Editing"}, {1622, "&Editing"}, {1623, "&Editing"}, {1316, "&Editing"}, {1288, "&Editing"},
        {1347, "&Editing"}, {1351, "&Editing"}, {1352, "&Editing"}, {1353, "&Editing"}, {1354, "&Editing"},
        {1361, "&Editing"}, {1362, "&Editing"}, {0, "&Editing"}, {1285, "&Editing"}, {1286, "&Editing"},
        {1287, "&Editing"}, {1348, "&Editing"}, {1349, "&Editing"}, {1350, "&Editing"}, {1355, "&Editing"},
        {1364, "&Editing"}, {1367, "&Editing"}, {1363, "&Editing"},
        {1306, "&Levels"}, {1323, "&Levels"}, {1307, "&Levels"}, {1312, "&Levels"}, {1322, "&Levels"},
        {1308, "&Levels"}, {1309, "&Levels"}, {1313, "&Levels"}, {1314, "&Levels"}, {1315, "&Levels"},
        {0, "&Levels"}, {1328, "&Levels"}, {1329, "&Levels"},
        {1358, "&Slides"}, {1359, "&Slides"}, {1360, "&Slides"}, {1537, nullptr}, {1284, nullptr},
    };
    const auto& table = commandTable();
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].id, expected[i].first) << "row " << i;
        EXPECT_STREQ(table[i].popup ? table[i].popup : "", expected[i].second ? expected[i].second : "") << "row " << i;
    }
}

TEST(CommandTable, MenuTextsAreExact) {
    const std::pair<int, const char*> samples[] = {
        {1636, "ditto with pixel &chequering (slow)"},
        {1562, "truecolor by the from&0 and from255 values"},
        {1364, "write left button's selecte&d color on all pixels whose color is right button's selected color"},
        {1353, "multiply screen colors by left mouse button's color as in &Poser rendering"},
        {1307, "&hide/show current level\tctrl-H"},
        {1308, "&list && handle levels\tctrl-L"},
        {1359, "file to &list slide files names on"},
        {1349, "copy to level 15 changing into Poser .B&UM file mode"},
        {1537, "P&aintbrush"},
    };
    for (const auto& [id, text] : samples) {
        const CommandEntry* entry = findCommand(id);
        ASSERT_NE(entry, nullptr) << id;
        EXPECT_STREQ(entry->text, text);
    }
}

TEST(CommandTable, MenuDescriptionHasSevenEntriesWithLevelsFourth) {
    auto bar = mainMenuDescription();
    ASSERT_EQ(bar.size(), 7u);
    EXPECT_EQ(bar[kLevelsPopup].text, "&Levels");
    const auto& levels = bar[kLevelsPopup].items;
    ASSERT_GE(levels.size(), 2u);
    EXPECT_EQ(levels[levels.size() - 2].id, 1328);
    EXPECT_TRUE(levels[levels.size() - 2].checked);
    EXPECT_TRUE(levels[levels.size() - 3].separator);
    EXPECT_EQ(bar[5].id, 1537);
    EXPECT_TRUE(bar[5].items.empty());
    EXPECT_EQ(nullMenuDescription().at(0).text, "(The menu is inactive; press ESC to get the image display back)");
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
