// The level list and the read-only pages through scripts: what each page draws, what the list's keys do.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/image_pages.h"
#include "platform/headless_platform.h"
#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t W = 0xFFFFFF, K = 0x000000, C = 0x102030;
const Bytes kTrue = flat24(2, 1, W);

// Reads a file into a level (-1: the current one).
std::string in(int level, const std::string& file) {
    return (level < 0 ? "" : "menu " + std::to_string(1328 + level) + "\n") + "drop \"$D/" + file + "\"\n";
}
std::string page(int id) { return "menu " + std::to_string(id) + "\nprint page\nkey ESCAPE\n"; }
std::string drag(int from, int to, int via = -1) {
    const std::string y = " 0 " + std::to_string(to) + "\n";
    return "press right 0 " + std::to_string(from) + "\n" + (via < 0 ? "" : "move 0 " + std::to_string(via) + "\n") +
           "move" + y + "release right" + y;
}

const ScriptCase kPages[] = {
    // The D key opens the details box; 1309 shows the same placement.
    {"DetailsShowScaleOriginAndAngle", {{"a.bmp", kTrue}},
     in(1, "a.bmp") + "menu 1308\ndialog accept 3=2 4=2 7=90 21=5 22=-6.5\nkey D\nprint page\n"
     "dialog accept 4=3\nkey D\nprint page\nkey ESCAPE\nmenu 1309\n",
     {"text 0,32 red \" 1: $D/a.bmp, 24:24 bpp, 2*1, at{5,-6}, 90\\xB0, scale 2, bkgr=0xffffffff\"",
      "text 0,32 red \" 1: ... scale(2,3), bkgr=0xffffffff\"",
      "icon=none buttons=ok caption=\"info about current level\" text=\"origin = (5,-6), scale = (    2,    3), "
      "angle=   90 deg\" -> ok"}},
    {"EmptyListThenKeysChooseHideAndShortenNames", {{"a.bmp", kTrue}},
     page(1308) + "print state\n" + in(-1, "a.bmp") + "menu 1330\nmenu 1308\nkey LEFT\nprint state\nkey UP\nkey RIGHT\n"
     "key H\nkey F\nprint page\n",
     {"text 0,16 red \" 0: \"\ntext 0,32 \" 1: \"", "text 0,256 \"15: \"\ntext 0,0 \"CURRENT IMAGES (#0 is the background)\"",
      "text 0,272 \"(D = dialog box, F = on/off fullname, H = hide/show, right drag to move entries, left click "
      "to choose current)\"", "menu main", "view ... info=none ", "level 13 current", "text 0,16 \" 0: a.bmp, 24:24 bpp, ",
      "text 0,32 red \" 1: (hidden)\""}},
    // Level 3 goes down two rows, the current level with it; nothing moves from or onto level 0 or across two
    // rows at once; a record dragged past the current level leaves it where it is.
    {"RightDragMovesOneRecordARowAtATime",
     {{"a.bmp", kTrue}, {"b.bmp", kTrue}, {"c.bmp", kTrue}, {"d.bmp", kTrue}, {"e.bmp", kTrue}},
     in(-1, "d.bmp") + in(1, "e.bmp") + in(3, "a.bmp") + in(4, "b.bmp") + in(5, "c.bmp") + "menu 1331\nmenu 1308\n" +
         drag(70, 102, 86) + drag(20, 40) + drag(40, 20) + drag(40, 72) + "print state\nmove 0 40\npress left 0 40\n" +
         drag(86, 70) + "print state\n",
     {"level 0 ...d.bmp", "level 1 ...e.bmp", "level 3 ...b.bmp", "level 4 ...c.bmp", "level 5 current ...a.bmp",
      "level 1 current", "level 3 ...c.bmp", "level 4 ...b.bmp"}},
    // Two colours show entries 0 and 15, sixteen 0..15, 256 all, greys 0..15; red, green, blue in each.
    {"PaletteEntriesByMode",
     {{"2.bmp", bmpFile(1, 2, 1, {0, 1}, {C, W})}, {"16.bmp", bmpFile(4, 2, 1, {0, 1}, {K, C})},
      {"256.bmp", bmpFile(8, 1, 1, {0}, std::vector<uint32_t>(256, C))}, {"t.bmp", kTrue}},
     in(-1, "2.bmp") + page(1305) + in(-1, "16.bmp") + page(1305) + in(-1, "256.bmp") + page(1305) + in(-1, "t.bmp") +
         "menu 1545\n" + page(1305) + in(-1, "t.bmp") + page(1305) + page(1310),
     {"text 0,0 \"Palette of current image (order is `blue green red'):-\"\ntext 0,17 \"10,20,30\"\n"
      "text 420,32 \"ff,ff,ff\"\nmenu main", "text 60,17 \"10,20,30\"", "text 420,32 \"00,00,00\"\nmenu main",
      "text 420,482 \"10,20,30\"\nmenu main", "text 420,32 \"0f,0f,0f\"\nmenu main",
      "text 0,15 \"truecolor mode so no palette\"\nmenu main", "text 0,0 \"truecolor mode so no palette\"\nmenu main"}},
    {"PcxHeaderOfTheLastFileRead", {{"16.bmp", bmpFile(4, 3, 1, {0, 1, 2}, {K, C})}, {"t.bmp", kTrue}},
     page(1282) + in(-1, "16.bmp") + "save level 0 \"$D/x.pcx\"\n" + in(-1, "x.pcx") + page(1282) + in(-1, "t.bmp") +
         "save level 0 \"$D/t.pcx\"\n" + in(-1, "t.pcx") + page(1282),
     {"wrapped 0,0 \"Header of last PCX file read in:-\\nID=0, version=0, code=0, 0 bits/plane, 0 bytes/line\\n"
      "X 0 to 0, Y 0 to 0, pixels/inch 0 * 0, 0 planes\"\ntext 0,48 \"Palette (order is `blue green red'):-\"",
      "text 420,80 \"00,00,00\"\nmenu main", "\\nID=10, version=3, code=1, 1 bits/plane, 1 bytes/line\\n"
      "X 0 to 2, Y 0 to 0, pixels/inch 300 * 300, 4 planes\"", "text 60,65 \"10,20,30\"",
      "version=5, code=1, 8 bits/plane, 2 bytes/line\\nX 0 to 1, Y 0 to 0, pixels/inch 300 * 300, 3 planes\"\nmenu main"}},
};

class Pages : public testing::TestWithParam<ScriptCase> {};
TEST_P(Pages, Transcript) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Pages, testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

// Rows of 1 and 4 bits a pixel hold fewer bytes than pixels: only those bytes count, never the padding after.
TEST(BytePage, CountsOnlyTheBytesEachRowHolds) {
    const std::vector<std::pair<std::vector<uint8_t>, int>> rows = {{{0xFF, 0x80}, 1}, {{0x12, 0x30}, 4}, {{1, 3, 1}, 8}};
    for (const auto& [row, bits] : rows) {
        vyd::HeadlessPlatform ui;
        vyd::AppState app;
        app.platform = &ui;
        vyd::Image& image = app.currentLevel().image;
        ASSERT_TRUE(vyd::createImage(image, bits, bits, bits == 1 ? 9 : 3, 2));
        std::fill_n(image.pixels.data(), image.pixels.size(), 0xAB);
        std::string want = "\nImage byte distribution of current image:-";
        for (int b = 0; b < 256; ++b) want += " " + std::to_string(2 * std::count(row.begin(), row.end(), b));
        for (int y = 0; y < 2; ++y) std::copy(row.begin(), row.end(), image.row(y));
        vyd::paintByteFrequencyPage(app);
        EXPECT_EQ(ui.backBuffer().drawnTexts().at(0).text, want) << bits;
    }
}

}  // namespace
