#include <gtest/gtest.h>

#include <set>
#include <tuple>

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

// Each entry in order as "popup|id|text|separator|check mark": the description gives the same rows, each
// popup in one place.
TEST(CommandTable, MenuDescriptionIsTheTableGroupedByPopup) {
    const auto row = [](const std::string& popup, int id, const std::string& text, bool separator, bool checked) {
        return popup + "|" + std::to_string(id) + "|" + text + (separator ? "|-" : "|") + (checked ? "|v" : "|");
    };
    std::vector<std::string> table, shown;
    for (const CommandEntry& e : commandTable())
        table.push_back(row(e.popup ? e.popup : "", e.id, e.text ? e.text : "", e.id == 0, e.id == kFirstLevelCommand));
    std::set<std::string> popups;
    for (const MenuItem& top : mainMenuDescription()) {
        EXPECT_TRUE(popups.insert(top.text).second) << top.text << " appears in two places";
        if (top.items.empty()) shown.push_back(row("", top.id, top.text, top.separator, top.checked));
        for (const MenuItem& item : top.items) shown.push_back(row(top.text, item.id, item.text, item.separator, item.checked));
    }
    EXPECT_EQ(shown, table);
    EXPECT_EQ(mainMenuDescription().at(kLevelsPopup).text, "&Levels");
}

TEST(OpenFile, ExtensionsNeedMoreThanFourCharactersAndIgnoreCase) {
    EXPECT_TRUE(hasExtension("a.sli", ".SLI"));
    EXPECT_TRUE(hasExtension("show.Vyd", ".VYD"));
    EXPECT_FALSE(hasExtension(".SLI", ".SLI"));
    EXPECT_FALSE(hasExtension("x.sl", ".SLI"));
}

// Bytes of the 32 x 32 plane (four a row): a 3 x 2 outline has a full top and bottom row; one taller than the
// cursor has no bottom edge, its last row only the two sides; one wider has no right edge.
TEST(BrushCursor, OutlineIsAHollowRectangleClippedToTheCursor) {
    const std::tuple<int, int, int, int> bytes[] = {{3, 2, 0, 0xE0},    {3, 2, 4, 0xE0}, {3, 2, 8, 0}, {4, 40, 0, 0xF0},
                                                    {4, 40, 124, 0x90}, {40, 3, 3, 0xFF}, {40, 3, 4, 0x80}};
    for (auto [w, h, at, want] : bytes) EXPECT_EQ(brushOutline(w, h)[at], want) << w << "x" << h << " byte " << at;
}

TEST(SettingsFile, ReadsTheKeyOfItsSectionOnly) {
    const std::string text = "[other]\npbrush=no\n[VYD]\n; comment\n PBRUSH = gimp \n";
    EXPECT_EQ(iniValue(text, "VYD", "pbrush", "xdg-open"), "gimp");
    EXPECT_EQ(iniValue("[VYD]\n", "VYD", "pbrush", "xdg-open"), "xdg-open");
}
