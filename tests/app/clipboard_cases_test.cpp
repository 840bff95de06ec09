// The clipboard commands through scripts: the depths read, the round trip, the contents page, the viewer.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "platform/headless_platform.h"
#include "support/picture_helpers.h"
#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t W = 0xFFFFFF, K = 0x000000, R = 0xFF0000, G = 0x00FF00;

std::string depthBox(const std::string& owner, int bits) {
    return "messagebox owner=" + owner + " icon=none buttons=ok caption=\"reading clipboard\" text=\"1 planes, bpp=" +
           std::to_string(bits) + "\" -> ok";
}
// Put FILE on the clipboard, read it into level 0 and save that.
ScriptCase pasted(const char* name, const Bytes& file, int bits, const std::string& held, std::vector<uint32_t> colours) {
    return {name, {{"p.bmp", file}}, "clipboard put \"$D/p.bmp\"\nmenu 1302\nprint state\nsave level 0 \"$D/o.bmp\"\n",
            {"title \"reading from clipboard\"", depthBox("main", bits),
             "level 0 current altered=1 name=\"<clipboard>\" " + held + " size=2x1 "},
            {{"o.bmp", std::move(colours)}}};
}
const std::vector<uint32_t> k16 = {K, R, G, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, W, 1, 2, 3, 4, 5, 6, 7, 8};

const ScriptCase kClipboard[] = {
    pasted("OneBitBecomesTwoColor", bmpFile(1, 2, 1, {1, 0}, {K, W}), 1, "mode=1 bpp=8", {W, K}),
    pasted("FourBitsBecomeSixteenColor", bmpFile(4, 2, 1, {1, 6}, k16), 4, "mode=4 bpp=8", {R, 0x00FFFF}),
    pasted("EightBitsStay", bmpFile(8, 2, 1, {1, 0}, {K, G}), 8, "mode=8 bpp=8", {G, K}),
    pasted("TwentyFourBitsStay", bmpFile(24, 2, 1, {R, 0x123456}), 24, "mode=24 bpp=24", {R, 0x123456}),
    pasted("SixteenBitWordsBecomeTruecolor", makeBmp({.width = 2, .bits = 16, .rows = {0, 0x7C, 0xE0, 3}}), 16,
           "mode=24 bpp=24", {R, G}),
    pasted("ThirtyTwoBitsBecomeTruecolor",
           makeBmp({.width = 2, .bits = 32, .rows = {0x56, 0x34, 0x12, 0, 0, 0, 0xFF, 0}}), 32, "mode=24 bpp=24",
           {0x123456, R}),
    // Saving a pasted level offers no name to write to.
    {"SavingAPastedLevelOffersNoName", {{"t.bmp", flat24(1, 1, W)}}, "clipboard put \"$D/t.bmp\"\nmenu 1302\nchoose cancel\nmenu 1320\n",
     {"chooser save title=\"name of file to write to?\" filter=0 initial=\"\" -> cancel"}},
    // Only text on the clipboard: both messages, and the level keeps its picture, name and flag.
    {"TextOnlyLeavesTheLevel",
     {{"t.bmp", flat24(2, 2, W)}},
     "drop \"$D/t.bmp\"\nclipboard text hello\nmenu 1302\nprint state\n",
     {warningBox("none", "", "There is no BITMAP in the clipboard"), warningBox("main", "", "no image found in clipboard"),
      "level 0 current altered=0 name=\"$D/t.bmp\" mode=24 bpp=24 size=2x2 "}},
    // A 2-color picture goes out as a 1-bit bitmap and comes back 2-color.
    {"WriteThenSaveAndRead",
     {{"t.bmp", bmpFile(1, 2, 1, {1, 0}, {K, W})}},
     "drop \"$D/t.bmp\"\nmenu 1303\nclipboard save \"$D/c.bmp\"\nmenu 1329\nmenu 1302\nprint state\n",
     {"title \"writing to clipboard\"", "clipboard bitmap 2x1 bpp=8", "title \"VYD:#0:$D/t.bmp,bpp=1:8,2*1\"",
      depthBox("main", 1), "level 1 current altered=1 name=\"<clipboard>\" mode=1 bpp=8 size=2x1 "},
     {{"c.bmp", {W, K}}}},
    // An empty level writes nothing, so the text stays; then an empty clipboard, then a bitmap.
    {"ContentsPage",
     {{"t.bmp", flat24(1, 1, W)}},
     "clipboard text x\nmenu 1303\nmenu 1311\nprint page\nkey ESCAPE\nclipboard clear\nmenu 1311\nprint page\n"
     "key ESCAPE\nclipboard put \"$D/t.bmp\"\nmenu 1311\nprint page\n",
     {"title \"VYD (contents of clipboard)\"", "text 10,30 \"text\"\ntext 10,45 \"oemtext\"\n"
      "text 0,0 \"CONTENTS OF CLIPBOARD\"", "text 10,15 \"the clipboard is empty\"\ntext 0,0 \"CONTENTS OF CLIPBOARD\"",
      "text 10,30 \"bitmap\"\ntext 10,45 \"dib\"\ntext 0,0 \"CONTENTS OF CLIPBOARD\"\n", "<end>"}},
    {"ViewerShowsDepthsOnEveryRepaint",
     {{"t.bmp", flat24(1, 1, W)}},
     "menu 1281\nprint viewer\nclipboard put \"$D/t.bmp\"\nmenu 1281\nmenu 1281\nprint viewer\n",
     {warningBox("none", "", "There is no BITMAP in the clipboard"), "viewer title=\"VYD: clipboard\"\n" + depthBox("viewer", 24), depthBox("viewer", 24), "viewer title=\"VYD (image in clipboard) 24:24\"\n", "<end>"}},
};

class Clipboard : public testing::TestWithParam<ScriptCase> {};
TEST_P(Clipboard, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Clipboard, testing::ValuesIn(kClipboard),
                         [](const auto& info) { return std::string(info.param.name); });

// The viewer's menu item brings the main window back; once closed, examining makes a new viewer. A smaller
// background pasted over a larger one leaves no trace of the old one around it.
TEST(ClipboardWindows, ViewerReopensAfterClosingAndANewBackgroundClearsTheWindow) {
    vyd::HeadlessPlatform ui;
    vyd::AppState app;
    app.platform = &ui;
    for (int round = 0; round < 2; ++round) {
        vyd::dispatchCommand(app, 1281);
        ASSERT_TRUE(ui.viewerExists());
        EXPECT_EQ(ui.viewerMenu().at(0).text, "Back to &main window");
        EXPECT_EQ(ui.topWindow(), vyd::Owner::Viewer);
        ui.sendViewerMessage(vyd::WM_COMMAND, 1538, 0);
        EXPECT_EQ(ui.topWindow(), vyd::Owner::Main);
        ui.sendViewerMessage(vyd::WM_CLOSE, 0, 0);
        EXPECT_FALSE(ui.viewerExists() || app.shell.clipboardViewer);
    }
    ui.setClientSize(100, 100);
    ui.deviceContext().fillRect(0, 0, 100, 100, 0);
    ASSERT_TRUE(ui.setClipboardImage(vyd::testing::truecolor(2, 2, [](int, int) { return 0xFF0000u; })));
    vyd::dispatchCommand(app, 1302);
    EXPECT_EQ(app.levels[0].image.width(), 2);
    EXPECT_EQ(ui.backBuffer().getPixel(50, 50), 0xFFFFFFu);
}

}  // namespace
