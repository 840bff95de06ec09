// Menu commands, drops and closing driven through scripts (see support/script_cases.h).
#include <gtest/gtest.h>

#include "modes/imageconv.h"
#include "support/files.h"
#include "support/image_files.h"
#include "support/run.h"
#include "support/script_cases.h"

using namespace vyd;
using namespace vydtest;

namespace {

// The Modes menu's conversion items are 1536 + the conversion's target code.
std::string convertTo(int code) { return "menu " + std::to_string(1536 + code) + "\n"; }

const uint32_t kWhite = 0xFFFFFF;

// The default sixteen colours, or with the two greys swapped.
std::vector<uint32_t> sixteenColours(bool greysSwapped = false) {
    std::vector<uint32_t> p = {0,        0xAA,     0xAA00,   0xAAAA,   0xAA0000, 0xAA00AA, 0xAAAA00, 0xAAAAAA,
                               0x555555, 0xFF,     0xFF00,   0xFFFF,   0xFF0000, 0xFF00FF, 0xFFFF00, kWhite};
    if (greysSwapped) std::swap(p[7], p[8]);
    return p;
}

std::string dataFile(const std::string& name) { return std::string(VYD_TEST_DATA) + "/" + name; }

// tests/data/compose: the ground (12 x 10) has pixel (x, y) = (20x, 20y, 100), the patch (4 x 3) (200 + 10u, 50v + 1, 7).
// Placed at (2, 8), stretched by 2 and turned by 90 degrees counter-clockwise, the patch's column u runs up the
// picture two rows a column and its row v runs right: pixel (x, y) shows u = (8 - y) / 2, v = x - 2.
std::vector<uint32_t> turnedPatchOnGround() {
    std::vector<uint32_t> c;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const int u = (8 - y) / 2, v = x - 2;
            const bool onPatch = y >= 1 && y <= 8 && v >= 0 && v < 3;
            c.push_back(onPatch ? uint32_t(200 + 10 * u) << 16 | uint32_t(50 * v + 1) << 8 | 7
                                : uint32_t(20 * x) << 16 | uint32_t(20 * y) << 8 | 100);
        }
    }
    return c;
}

// A 3 x 2 sixteen-colour picture with indices x + 3y tiled to width x height: rows and columns repeat from the
// top left.
std::vector<uint32_t> tiled(int width, int height) {
    const std::vector<uint32_t> colours = sixteenColours();
    std::vector<uint32_t> c;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) c.push_back(colours[x % 3 + 3 * (y % 2)]);
    return c;
}

// Level 2 (3 x 2 blue at (1, 1)) and level 15 (2 x 2 red at (3, 2)) assembled alone on an 8 x 6 black picture.
std::vector<uint32_t> levelTwoAndFifteen() {
    std::vector<uint32_t> c;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            c.push_back(x >= 3 && x <= 4 && y >= 2 && y <= 3 ? 0xFF0000 : x >= 1 && x <= 3 && y >= 1 && y <= 2 ? 0x0000FF : 0);
    return c;
}

const ScriptCase kCases[] = {
    {"StartUpShowsAnEmptyBackgroundThatChoosingALevelMakesABlankPicture", {}, "print state\nmenu 1329\nprint state\n",
     {"title \"VYD\"\nmenu main\ntitle \"VYD:#0:,bpp=0:0,0*0\"\n",
      "level 0 current altered=0 name=\"\" mode=0 bpp=0 size=0x0 origin=0,0 scale=1,1 rot=1,0 pivot=0,0 priority=0 brush=1 "
      "left=ffffffff right=ffffffff\n",
      "level 15 altered=0 name=\"\" mode=0 ... priority=15 brush=1 ", "view zoom=1,1 move=0,0 client=1272x978 info=none slide=0 bwlimit=128 from0=0 from255=255\n",
      "title \"VYD:#1:,bpp=0:0,0*0\"", "level 0 altered=0 name=\"\" mode=4 bpp=8 size=640x480", "level 1 current"}},
    {"DroppingTwoFilesOrNoneAsksForOneAtATime", {}, "drop a.bmp b.bmp\ndrop\nprint state\n",
     {warningBox("main", "dragdrop", "one file at a time please"), warningBox("main", "dragdrop", "one file at a time please"),
      "level 0 current altered=0 name=\"\" mode=0"}},
    // While the page is shown "read from file" asks for no file (an unanswered chooser would stop the script)
    // and other keys do nothing; Escape brings the main menu back. Closing from a page still asks.
    {"InformationScreensIgnoreCommandsUntilEscapeAndClosingFromOneStillAsks", {},
     "menu 1282\nmenu 1297\nkey A\nprint state\nkey ESCAPE\nprint state\nmenu 1328\n" + convertTo(kCode2Color) +
         "menu 1305\nanswer no\nclose\nanswer yes\nclose\nprint state\n",
     {"menu main\n", "menu null\n", "view ... info=P ", "menu main\n", "view ... info=none ", "messagebox owner=none icon=none buttons=yesno caption=\"0 \" text=\"these image levels have been altered and not "
      "saved: do you want me to exit?\" -> no\n",
      "messagebox owner=none icon=none buttons=yesno caption=\"0 \" ", "quit 0\n", "<end>"}},
    {"UndoWithNothingSavedBeepsHelpAndPaintbrushReachTheShellAndExitWithNothingAlteredQuits", {},
     "menu 1319\nmenu 1284\nmenu 1537\nmenu 1296\nmenu 1363\n",
     {"beep\n", "help \"VYD.HLP\"\n", "shell open ...\nquit 0\n", "<end>"}},
    {"ClosingListsTheAlteredLevelsInAscendingOrder",
     {{"a.bmp", flat24(2, 2, 0x090909)}},
     "menu 1339\ndrop \"$D/a.bmp\"\n" + convertTo(kCode2Color) + "menu 1330\ndrop \"$D/a.bmp\"\n" + convertTo(kCode16Color) +
         "answer no\nclose\n",
     {"messagebox owner=none icon=none buttons=yesno caption=\"2 11 \" "}},
    {"ReadingAPictureShowsWhatIsOddInItsPalette",
     {{"p.bmp", bmpFile(4, 2, 1, {0, 7}, sixteenColours(true))}},
     "drop \"$D/p.bmp\"\n",
     {warningBox("none", "This image's palette is nonstandard and may upset mode-conversions etc.", "the greys are swopped")}},
    {"SortMovesPlacementWithTheRecordAndKeepsTiesInOrder",
     {{"a.bmp", flat24(1, 1, 0x030201)}, {"b.bmp", flat24(2, 1, 0x030201)}},
     "menu 1329\ndrop \"$D/a.bmp\"\ndialog accept 21=7 11=3\nmenu 1313\nmenu 1330\ndrop \"$D/b.bmp\"\nmenu 1329\nmenu 1314\n"
     "print state\n",
     {"level 1 current altered=0 name=\"$D/b.bmp\"... priority=1 ",
      "level 2 altered=0 name=\"$D/a.bmp\" mode=24 bpp=24 size=1x1 origin=7,0 ... priority=2 ", "level 3 altered=0 name=\"\""}},
    {"HidingKeepsTheLevelCurrentAndDroppingShowsItAgain",
     {{"a.bmp", flat24(3, 2, 0x090909)}},
     "menu 1331\ndrop \"$D/a.bmp\"\ndialog accept 21=4 22=5 11=9\nmenu 1313\nmenu 1307\nprint state\nmenu 1307\nprint state\n"
     "menu 1307\nmenu 1312\nprint state\nmenu 1307\nmenu 1322\nprint state\n",
     {"(hidden)", "level 3 current hidden altered=0 name=\"$D/a.bmp\"", "level 3 current altered=0 name=\"$D/a.bmp\"",
      "level 3 current altered=0 name=\"\" mode=0 bpp=0 size=0x0 origin=4,5 ... priority=9 ", "level 0 current",
      "level 3 altered"}},
    // Grey (blue + green + red) / 3 against bwlimit 128: 127 is black, 128 is white. The truecolor threshold
    // leaves the level unaltered, the conversion does not.
    {"TwoColorConversionAndTruecolorThresholdSplitAtTheBwlimit",
     {{"in.bmp", bmpFile(24, 4, 1, {0x807F7F, 0x808080, 0xFF0000, 0x81FFFF})}},
     "drop \"$D/in.bmp\"\nmenu 1324\nsave level 0 \"$D/t.bmp\"\nprint state\ndrop \"$D/in.bmp\"\n" +
         convertTo(kCode2Color) + "save level 0 \"$D/out.bmp\"\nprint state\n",
     {"level 0 current altered=0 name=\"$D/in.bmp\" mode=24 ", "level 0 current altered=1 name=\"$D/in.bmp\" mode=1 "},
     {{"t.bmp", {0, kWhite, 0, kWhite}}, {"out.bmp", {0, kWhite, 0, kWhite}}}},
    {"ReadersAreChosenByTheFirstBytesAndSayWhyTheyRefuse",
     {{"three", {'B', 'M', 0}}, {"pcx3", {0x0A, 5, 1}}, {"one", {'B'}},
      {"ok.bmp", bmpFile(24, 2, 1, {1, 2}, {}, 1024)}, {"bad.bmp", bmpFile(24, 2, 1, {1, 2}, {}, 1025)},
      {"rle.bmp", bmpFile(8, 2, 1, {1, 2}, {}, 0, 1)}},
     "drop \"$D/three\"\ndrop \"$D/pcx3\"\ndrop \"$D/one\"\ndrop \"$D/missing.bmp\"\nprint state\n"
     "drop \"$D/ok.bmp\"\nprint state\ndrop \"$D/bad.bmp\"\ndrop \"$D/rle.bmp\"\nprint state\n",
     {"title \"reading from file\"", warningBox("none", "$D/three", "bad file BMP"),
      warningBox("none", "this file is no graphics mode that I know of", "$D/pcx3"),
      warningBox("none", "this file is no graphics mode that I know of", "$D/one"),
      warningBox("none", "I can't open this file", "$D/missing.bmp"), "level 0 current altered=0 name=\"\" mode=1 ",
      "level 0 current ... size=2x1 ", warningBox("none", "$D/bad.bmp", "bad file BMP"),
      warningBox("none", "this BMP file is compressed: I can't read it", "$D/rle.bmp"), "level 0 current ... size=0x0 "}},
    {"JpegQualityAnswersAreClamped",
     {},
     "dialog accept 11=150\nmenu 1357\ndialog accept 11=0\nmenu 1357\ndialog cancel 11=5\nmenu 1357\n"
     "dialog accept 11=12abc\nmenu 1357\ndialog accept 11=abc\ndialog accept 11=\ndialog accept 11=55\nmenu 1357\n"
     "dialog cancel\nmenu 1357\n",
     {"dialog ASKDB ...6=\"quality for writing .jpg (from 0 to 100)?\" 11=\"80\"", "dialog ASKDB ...11=\"100\"",
      "dialog ASKDB ...11=\"1\"", "dialog ASKDB ...11=\"1\"", "dialog ASKDB ...11=\"12\"", "dialog ASKDB ...11=\"55\""}},
    {"AJpegReadSetsNoTransparentColour",
     {{"p.jpg", readBytes(std::string(VYD_TEST_DATA) + "/interop/pil-rgb.jpg")}},
     "drop \"$D/p.jpg\"\nprint state\n",
     {"level 0 current altered=0 name=\"$D/p.jpg\" mode=24 bpp=24 size=48x32 ... left=ffffffff right=00000000"}},
    {"ATurnedStretchedLevelIsPlacedInTheDisplayAndTheAssembly",
     {{"g.bmp", readBytes(dataFile("compose/ground12x10.bmp"))}, {"p.bmp", readBytes(dataFile("compose/patch4x3.bmp"))}},
     "drop \"$D/g.bmp\"\nmenu 1329\ndrop \"$D/p.bmp\"\ndialog accept 21=2 22=8 3=2 4=1 7=90\nmenu 1313\n"
     "save display \"$D/display.bmp\"\nchoose \"$D/assembly.bmp\"\nmenu 1306\n",
     {"title \"writing to file\""},
     {{"display.bmp", turnedPatchOnGround()}, {"assembly.bmp", turnedPatchOnGround()}}},
    // Theta, brush, scales and zoom are stored clamped and shown again; text without a number leaves a value alone.
    {"LevelDetailsAreClampedAndShownAgain", {},
     "menu 1331\ndialog accept 7=\"90\\xB0\" 16=0.5 3=0 12=-3 21=12.5 11=2.5\nmenu 1313\n"
     "dialog accept 16=100 \"21=not a number\" 7=sideways\nmenu 1313\nprint state\n"
     "dialog accept 16=7.9\nmenu 1313\ndialog cancel 16=3 21=99\nmenu 1313\nprint state\n",
     {"dialog VYDLEVEL 6=\"level 3\" 5=\" \" 21=\"12.5\" 22=\"0\" 3=\"0.01\" ... 7=\"90\\xB0\" 11=\"2.5\" 12=\"0.01\" ... 16=\"1\" -> accept",
      "level 3 current altered=0 name=\"\" ... origin=12.5,0 scale=0.01,... rot=...,1 pivot=0,0 priority=2.5 brush=64 ",
      "view zoom=0.01,", "level 3 current ... origin=12.5,0 ... brush=7 "}},
    // The background stays unplaced; the move is at least 0 and at most the slack, client height + 1 - 100 = 17.
    {"TheBackgroundKeepsItsPlacementAndTheMoveStaysWithinTheSlack",
     {{"sky.bmp", flat24(200, 100, 0x8080FF)}},
     "drop \"$D/sky.bmp\"\ndialog accept 21=40 22=-3 3=2 7=45 11=9 14=-50 15=30\nmenu 1313\nprint state\n",
     {"dialog VYDLEVEL 6=\"level 0\" 5=\", loaded from $D/sky.bmp,bpp=24:24,200*100\"",
      "level 0 current altered=0 name=\"$D/sky.bmp\" mode=24 bpp=24 size=200x100 origin=0,0 scale=1,1 rot=1,0 pivot=0,0 priority=0 ",
      "view zoom=1,1 move=0,17 client=367x116 "}},
    // Sides below 1 become 1, above 4094 4094, of 70000 its low 16 bits; text without a number keeps the side shown.
    {"NewImageSidesAreClampedAndTheLevelKeepsItsNameAndAlteredFlag",
     {{"a.bmp", flat24(2, 2, 0)}},
     "drop \"$D/a.bmp\"\n" + convertTo(kCode2Color) + "dialog accept 3=0 4=5000\nmenu 1321\nprint state\n"
     "dialog accept 3=-20 4=3.9\nmenu 1321\nsave level 0 \"$D/out.bmp\"\ndialog accept 3=70000 4=junk\nmenu 1321\nprint state\n"
     "dialog cancel 3=10\nmenu 1321\nprint state\n",
     {"level 0 current altered=1 name=\"$D/a.bmp\" mode=4 bpp=8 size=1x4094 ", "dialog VYDNEWIMAGE ...3=\"1\" ...4=\"4094\"",
      "level 0 current altered=1 name=\"$D/a.bmp\" mode=4 bpp=8 size=4094x3 ", "level 0 current ... size=4094x3 "},
     {{"out.bmp", {kWhite, kWhite, kWhite}}}},
    // Tiling keeps the low 16 bits of a side, signed; sides it cannot make are refused and the picture stays.
    {"TilingKeepsTheLowSixteenBitsAndRefusesSizesItCannotHold",
     {{"t.bmp", bmpFile(4, 3, 2, {0, 1, 2, 3, 4, 5}, sixteenColours())}},
     "drop \"$D/t.bmp\"\ndialog accept 3=70000 4=5\nmenu 1351\nsave level 0 \"$D/tiled.bmp\"\n"
     "answer ok\ndialog accept 3=65536 4=5\nmenu 1351\nanswer ok\ndialog accept 3=40000 4=1\nmenu 1351\nprint state\n"
     "save level 0 \"$D/kept.bmp\"\ndialog accept 3=-5 4=0.5\nmenu 1351\nsave level 0 \"$D/out.bmp\"\n",
     {warningBox("main", "error", "I can't make an image 0 pixels wide and 5 high"),
      warningBox("main", "error", "I can't make an image -25536 pixels wide and 1 high"), "level 0 current ... size=4464x5 "},
     {{"tiled.bmp", tiled(4464, 5)}, {"kept.bmp", tiled(4464, 5)}, {"out.bmp", {0}}}},
    // Saving offers the level's name and clears the altered flag only when the write succeeded.
    {"ReadFromFileFillsTheCurrentLevelCancellingDropsOnlyTheNameAndSaveClearsTheAlteredFlagOnlyWhenItSucceeded",
     {{"pic.bmp", flat24(3, 2, 0x303030)}, {"a.bmp", flat24(2, 1, 0x303030)}},
     "menu 1331\nchoose \"$D/pic.bmp\"\nmenu 1297\nprint state\nchoose cancel\nmenu 1297\nprint state\nmenu 1328\n"
     "drop \"$D/a.bmp\"\n" + convertTo(kCode2Color) + "choose cancel\nmenu 1320\nchoose \"$D/out.txt\"\nmenu 1298\nprint state\n"
     "choose \"$D/out.bmp\"\nmenu 1298\nprint state\n",
     {"chooser open title=\"name of file to read in?\" ", "level 3 current altered=0 name=\"$D/pic.bmp\" mode=24 bpp=24 size=3x2 ",
      "level 3 current altered=0 name=\"\" mode=24 bpp=24 size=3x2 ",
      "chooser save title=\"name of file to write to?\" filter=1 initial=\"$D/a.bmp\" -> cancel",
      warningBox("main", "write failed", "$D/out.txt"), "level 0 current altered=1 name=\"$D/a.bmp\"",
      "level 0 current altered=0 name=\"$D/a.bmp\""},
     {{"out.bmp", {0, 0}}}},
    {"DeleteAsksFirstAndRenameReportsFailure",
     {{"victim.bmp", flat24(1, 1, 0)}, {"first.bmp", flat24(1, 1, 0)}},
     "choose \"$D/victim.bmp\"\nanswer no\nmenu 1299\nprint state\ndrop \"$D/victim.bmp\"\nprint state\n"
     "choose \"$D/victim.bmp\"\nanswer yes\nmenu 1299\n"
     "drop \"$D/victim.bmp\"\ndrop \"$D/first.bmp\"\nchoose \"$D/second.bmp\"\nmenu 1301\nchoose \"$D/third.bmp\"\nmenu 1301\n"
     "print state\ndrop \"$D/second.bmp\"\nprint state\n",
     {"messagebox owner=main icon=none buttons=yesno caption=\"$D/victim.bmp\" text=\"do you want to delete this file?\" -> no",
      "level 0 current altered=0 name=\"$D/victim.bmp\" mode=0 ", "level 0 current altered=0 name=\"$D/victim.bmp\" mode=24 ",
      "-> yes", warningBox("none", "I can't open this file", "$D/victim.bmp"),
      "chooser save title=\"new name for file $D/first.bmp?\" ", "caption=\"rename\" text=\"error\"",
      "level 0 current altered=0 name=\"$D/first.bmp\"", "level 0 current altered=0 name=\"$D/second.bmp\" mode=24 "}},
    // "Assemble current level & level 15" takes the background's size and only those two levels, hidden or not;
    // answered No it offers a file instead. With level 15 current neither assembly asks anything.
    {"AssemblingTheCurrentLevelAndLevelFifteen",
     {{"bg.bmp", flat24(8, 6, 0x101010)}, {"blue.bmp", flat24(3, 2, 0x0000FF)}, {"green.bmp", flat24(8, 6, 0x00FF00)},
      {"red.bmp", flat24(2, 2, 0xFF0000)}},
     "drop \"$D/bg.bmp\"\nmenu 1330\ndrop \"$D/blue.bmp\"\ndialog accept 21=1 22=1\nmenu 1313\nmenu 1332\n"
     "drop \"$D/green.bmp\"\nmenu 1343\ndrop \"$D/red.bmp\"\ndialog accept 21=3 22=2\nmenu 1313\nmenu 1307\nmenu 1330\n"
     "answer yes\nmenu 1323\nprint state\nsave level 2 \"$D/out.bmp\"\nanswer no\nchoose cancel\nmenu 1323\nmenu 1343\n"
     "menu 1323\nmenu 1306\nmenu 1328\n" + convertTo(kCode2Color) + "choose \"$D/assembled.xyz\"\nmenu 1306\nprint state\n",
     {"messagebox owner=main icon=none buttons=yesno caption=\"$D/bg.bmp\" text=\"copy result to current image?\" -> yes",
      "level 2 current altered=1 name=\"$D/blue.bmp\" mode=24 bpp=24 size=8x6 origin=0,0 ", "level 4 altered=0 ",
      "level 15 hidden ", "text=\"copy result to current image?\" -> no", "chooser save ... -> cancel",
      warningBox("main", "$D/assembled.xyz", "write failed"), "level 0 current altered=1 "},
     {{"out.bmp", levelTwoAndFifteen()}}},
    // At least 375 wide and the picture + 62 high, the client being the outer size less 8 and 46; 2020 wide
    // does not fit the 1280 screen: 1280 wide, and the horizontal bar takes 16 of 162 + 16.
    {"TheWindowFitsThePictureWithinTheScreen",
     {{"small.bmp", flat24(4, 3, 0x010101)}, {"wide.bmp", flat24(2000, 100, 0x010101)}},
     "drop \"$D/small.bmp\"\nprint state\ndrop \"$D/wide.bmp\"\nprint state\n",
     {"view ... client=367x19 ", "view ... client=1272x116 "}},
    // A failed conversion names its case in hex and marks the level; an empty background is then given a blank
    // picture, another level stays empty.
    {"AFailedConversionNamesItsCase", {}, "menu 1601\nprint state\nmenu 1331\nmenu 1545\nprint state\n",
     {warningBox("main", "", "out of memory in case 0x641, or no image"),
      "level 0 current altered=1 name=\"\" mode=4 bpp=8 size=640x480 ",
      warningBox("main", "", "out of memory in case 0x9, or no image"), "level 3 current altered=1 ... size=0x0 "}},
    // The repairs refuse anything but 2-color and 16-color under the background's name, and leave an empty
    // background empty. Standardizing leaves the level unaltered; each swop (7 -> 8 the greys, then 1 -> 4 red
    // for blue) marks it.
    {"PaletteRepairsRefuseOtherModesAndStandardizingAndSwoppingTheColours",
     {{"a.bmp", flat24(1, 1, 0)}, {"p.bmp", bmpFile(4, 2, 1, {1, 7}, sixteenColours(true))}},
     "menu 1616\nprint state\ndrop \"$D/a.bmp\"\nmenu 1618\nmenu 1331\nmenu 1617\nprint state\nmenu 1328\n"
     "drop \"$D/p.bmp\"\nmenu 1618\nprint state\nmenu 1616\nprint state\nchoose \"$D/greys.bmp\"\nmenu 1298\nmenu 1617\n"
     "print state\nsave level 0 \"$D/out.bmp\"\n",
     {warningBox("main", "", "this image is not 2-color or 16-color"), "level 0 current altered=0 name=\"\" mode=0 ",
      warningBox("main", "$D/a.bmp", "this image is not 2-color or 16-color"),
      warningBox("main", "$D/a.bmp", "this image is not 2-color or 16-color"), "level 0 altered=0 ",
      "level 3 current altered=0 ", "level 0 current altered=0 name=\"$D/p.bmp\" mode=4 ", "level 0 current altered=1 ",
      "level 0 current altered=1 "},
     {{"greys.bmp", {0x0000AA, 0x555555}}, {"out.bmp", {0xAA0000, 0x555555}}}},
};

class ScriptCases : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptCases, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

}  // namespace
