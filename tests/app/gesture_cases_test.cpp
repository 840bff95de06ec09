// Mouse and keyboard gestures through scripts: the keys held decide what a click or a key does. Pictures go
// on the background unless a level is chosen first; at zoom 1 client pixel (x, y) is level pixel (x, y).
#include <gtest/gtest.h>

#include <sstream>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

Bytes row24(const std::vector<uint32_t>& colours) { return bmpFile(24, int(colours.size()), 1, colours); }

uint32_t grey(uint32_t v) { return v << 16 | v << 8 | v; }

const uint32_t W = 0xFFFFFF, K = 0x000000, R = 0xFF0000;

// ctrl+Alt+key chooses the brush size.
std::string brush(const std::string& key) {
    return "keydown CONTROL\nkeydown MENU\nkey " + key + "\nkeyup MENU\nkeyup CONTROL\n";
}
// Holds `keys` while the button is pressed at (x, y).
std::string click(const std::string& keys, const std::string& button, int x, int y) {
    std::string down, up, key;
    for (std::istringstream in(keys); in >> key;) down += "keydown " + key + "\n", up = "keyup " + key + "\n" + up;
    const std::string where = " " + std::to_string(x) + " " + std::to_string(y) + "\n";
    return down + "press " + button + where + "release " + button + where + up;
}

const ScriptCase kGestures[] = {
    // The fill keeps to 4-connected pixels: (0, 0) touches the region only at a corner. Undo brings it back.
    {"FillKeepsToFourNeighboursAndCanBeUndone",
     {{"f.bmp", bmpFile(24, 3, 3, {W, K, W, K, W, W, W, W, W})}},
     "drop \"$D/f.bmp\"\n" + click("F", "left", 2, 2) + "save level 0 \"$D/filled.bmp\"\nprint state\nmenu 1319\n"
     "save level 0 \"$D/undone.bmp\"\n",
     {"level 0 current altered=1 "},
     {{"filled.bmp", {W, K, K, K, K, K, K, K, K}}, {"undone.bmp", {W, K, W, K, W, W, W, W, W}}}},
    // shift+F spreads through every colour but the clicked one; middle and right fill with their own colours.
    {"ShiftFillSpreadsThroughOtherColoursAndEachButtonFillsWithItsColour",
     {{"r.bmp", row24({W, R, W, R, K, W})}},
     "drop \"$D/r.bmp\"\n" + click("SHIFT F", "left", 0, 0) + click("F", "middle", 2, 0) + click("F", "right", 4, 0) +
         "save level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {K, K, 0x808080, R, W, W}}}},
    // B picks level 5's blue as its transparent colour; right clicks then select the topmost level that shows a
    // colour there: level 3 under the transparent blue, the background outside both.
    {"RightClickSelectsTheTopmostLevelShowingAColour",
     {{"red.bmp", flat24(4, 4, R)}, {"blue.bmp", flat24(2, 2, 0x0000FF)}},
     "menu 1331\ndrop \"$D/red.bmp\"\nmenu 1333\ndrop \"$D/blue.bmp\"\n" + click("B", "left", 0, 0) +
         "press right 0 0\nrelease right 0 0\nprint state\npress right 10 10\nrelease right 10 10\nprint state\n",
     {"level 3 current ", "level 5 ... left=000000ff ", "level 0 current ", "level 3 altered"}},
    {"DigitClicksZoomAndCtrlZoomsOut",
     {{"w.bmp", flat24(20, 10, W)}},
     "drop \"$D/w.bmp\"\n" + click("2", "left", 5, 5) + "print state\n" + click("CONTROL 4", "left", 0, 0) + "print state\n",
     {"view zoom=2,2 ", "view zoom=0.25,0.25 "}},
    // Brush 5: the arrow keys work on the four pixels from the pointer: a ramp between the ends (left arrow),
    // or each pixel snapped to the nearer end (right arrow).
    {"ArrowKeysRampAndSnapAlongTheBrush",
     {{"r.bmp", bmpFile(24, 5, 2, {0, W, W, W, grey(100), 0, grey(10), grey(90), grey(40), grey(100)})}},
     "drop \"$D/r.bmp\"\n" + brush("5") + click("LEFT", "left", 0, 0) + click("RIGHT", "left", 0, 1) +
         "save level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {0, grey(25), grey(50), grey(75), grey(100), 0, 0, grey(100), 0, grey(100)}}}},
    // A then Z: the pixel and its right neighbour take their mean, then the pixel and the one below.
    {"AveragingWithTheRightThenTheLowerNeighbour",
     {{"g.bmp", bmpFile(24, 2, 2, {grey(10), grey(20), grey(30), grey(40)})}},
     "drop \"$D/g.bmp\"\n" + click("A Z", "left", 0, 0) + "save level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {grey(22), grey(15), grey(22), grey(40)}}}},
    // D paints the brush square with the left colour, only over the right button's colour (white).
    {"DPaintsOnlyOverTheRightButtonsColour",
     {{"r.bmp", bmpFile(24, 3, 2, {W, R, W, R, W, R})}},
     "drop \"$D/r.bmp\"\n" + brush("2") + click("D", "left", 1, 0) + "save level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {W, R, K, R, K, R}}}},
    // F2+F3 draws every level unrotated and keeps the rotation; the auto-repeated F3 toggles back. F5 exchanges
    // the placement with level 15.
    {"RotationSuppressionKeepsAndRestoresEachRotationAndF5ExchangesThePlacement",
     {{"w.bmp", flat24(4, 4, W)}},
     "menu 1329\ndrop \"$D/w.bmp\"\ndialog accept 7=30 21=5 22=6 3=2\nmenu 1313\nkeydown F2\nkeydown F3\nprint state\n"
     "keydown F3 repeat\nprint state\nkeyup F3\nkeyup F2\nkey F5\nprint state\nkey SHIFT\n"
     "keydown SHIFT\nkey RIGHT\nkeyup SHIFT\nkey F5\nprint state\n",
     {", editing colors\"", "level 1 current ... rot=1,0 ", "level 1 current ... rot=0.866025,0.5 ",
      "level 15 current ... origin=5,6 scale=2,1 rot=0.866025,0.5 ", "level 1 current ... origin=6,6 "}},
    // With rotations suppressed a ctrl+click picks a pixel without painting it; the colour-value keys then step
    // its channels by 1, 4 (Alt), 16 (ctrl), 64 (shift) or 256 (Tab), within 0..255.
    {"ColourValueKeysStepTheLastClickedPixel",
     {{"k.bmp", row24({K, K})}},
     "drop \"$D/k.bmp\"\nkeydown F2\nkeydown F3\nkeyup F3\nkeyup F2\n" + click("CONTROL", "left", 1, 0) +
         "keydown SHIFT\nkey PRIOR\nkeyup SHIFT\nkey PRIOR\nkey DELETE\nkeydown TAB\nkey HOME\nkeyup TAB\n"
         "save level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {K, 0x41FF00}}}},
    // ctrl+Alt sets brush sizes without acting as the ctrl key as well (ctrl+Alt+Z leaves level 15 alone);
    // ctrl+Z assembles the picture into level 15, ctrl+K empties it.
    {"BrushSizesAndTheLevelFifteenKeys",
     {{"w.bmp", flat24(3, 2, W)}},
     "drop \"$D/w.bmp\"\n" + brush("C") + brush("Z") + "print state\nkeydown CONTROL\nkey Z\nkeyup CONTROL\nprint state\n"
     "keydown CONTROL\nkey K\nkeyup CONTROL\nprint state\n",
     {"level 0 current ... brush=35 ", "level 15 altered=0 ... size=0x0 ", "level 15 altered=0 ... size=3x2 ",
      "level 15 altered=1 name=\"\" ... size=0x0 "}},
    // F8 and F9 held: the arrow keys and Home adjust the preview values; auto-repeats do not.
    {"PreviewValuesFollowTheKeysButNotTheirRepeatsAndCtrlF9AsksForTheBwlimit", {},
     "keydown F8\nkey PRIOR\nkeydown SHIFT\nkey LEFT\nkeyup SHIFT\nkeydown RIGHT repeat\nprint state\nkey HOME\n"
     "keyup F8\nkeydown F9\nkey DOWN\nkey LEFT\nkeydown UP repeat\nkeyup F9\nprint state\n"
     "keydown CONTROL\nkeydown F9\ndialog accept 11=300\nkeyup F9\nkeyup CONTROL\nprint state\n",
     {"bwlimit=128 from0=100 from255=254", "bwlimit=117 from0=0 from255=255", "dialog ASKDB ... 11=\"    117\" -> accept",
      "bwlimit=44 "}},
    {"LWithArrowsChoosesLevels", {},
     "keydown L\nkey LEFT\nprint state\nkey DOWN\nkey RIGHT\nprint state\nkeyup L\n",
     {"level 11 current", "level 1 current "}},
    // T and F12 show the title and the pixel; with F3 the chooser opens on the colour under the pointer with the
    // button's name as title, and its answer fills.
    {"TAndF12ShowTheTitleAndThePixelAndF3ChoosesTheButtonColourFromTheScreen",
     {{"p.bmp", row24({0x1E140A, W})}},
     "drop \"$D/p.bmp\"\nkey T\n" + click("F12", "left", 0, 0) + "colour 123456\n" + click("F3", "left", 0, 0) +
         click("F", "left", 1, 0) + "save level 0 \"$D/out.bmp\"\n",
     {"messagebox owner=none icon=none buttons=ok caption=\"the current level's title is\" text=\"VYD:#0 $D/p.bmp ",
      "messagebox owner=main icon=none buttons=ok caption=\"this pixel is:-\" text=\"blue 10, green 20, red 30\"",
      "title \"left button\"\n", "colourchooser initial=1e140a -> 123456\n", "title \"VYD:#0:"},
     {{"out.bmp", {0x1E140A, 0x123456}}}},
    // The left button drags level 1 with the pointer; U smooths a checkerboard into its mean.
    {"DraggingMovesTheLevelAndUSmoothsAPattern",
     {{"c.bmp", bmpFile(24, 4, 2, {K, W, K, W, W, K, W, K})}},
     "drop \"$D/c.bmp\"\n" + click("U", "left", 1, 0) + "save level 0 \"$D/out.bmp\"\nmenu 1329\ndrop \"$D/c.bmp\"\n"
     "press left 0 0\nmove 5 3\nrelease left 5 3\nprint state\n",
     {"level 1 current ... origin=5,3 "}, {{"out.bmp", std::vector<uint32_t>(8, grey(127))}}},
    // Right+R sets the pivot; S and R drags scale and turn level 1 about it by the pointer's move (a quarter
    // turn clockwise on the screen is a negative angle).
    {"PivotThenScaleAndRotateByDragging",
     {{"w.bmp", flat24(10, 10, W)}},
     "menu 1329\ndrop \"$D/w.bmp\"\n" + click("R", "right", 0, 0) +
         "keydown S\npress left 4 0\nmove 8 0\nrelease left 8 0\nkeyup S\nkeydown R\npress left 4 0\nmove 0 4\n"
         "release left 0 4\nkeyup R\nprint state\n",
     {"level 1 current ... scale=2,2 rot=0,-1 pivot=0,0 "}},
    // Page Down, Delete (a line), End and Home move the view down the tall picture and back to its top.
    {"ScrollKeysMoveTheViewAlongTheVerticalBar",
     {{"t.bmp", flat24(30, 3000, W)}},
     "drop \"$D/t.bmp\"\nkey NEXT\nkey DELETE\nprint state\nkey END\nprint state\nkey HOME\nprint state\n",
     {"view zoom=1,1 move=0,-986 ", "view zoom=1,1 move=0,-2022 ", "view zoom=1,1 move=0,0 "}},
    // The wash refuses while level 15 is no truecolor picture, and on level 15 itself. Order 0 paints the mean of
    // level 15; with level 15's only colour picked as its key colour nothing is fitted.
    {"WashRefusesWithoutTruecolorAndOnLevelFifteenPaintsTheMeanAtOrderZeroAndAllKeysCannotBeSolved",
     {{"w.bmp", flat24(2, 1, W)}, {"g.bmp", row24({grey(10), grey(21)})}},
     "drop \"$D/w.bmp\"\n" + click("ESCAPE", "left", 0, 0) + "menu 1343\ndrop \"$D/w.bmp\"\n" + click("ESCAPE", "left", 0, 0) +
         "drop \"$D/g.bmp\"\nmenu 1328\ndialog accept 4=0\n" + click("ESCAPE", "left", 0, 0) +
         "save level 0 \"$D/out.bmp\"\nmenu 1343\ndrop \"$D/w.bmp\"\n" + click("B", "left", 0, 0) +
         "menu 1328\ndialog accept\n" + click("ESCAPE", "left", 0, 0),
     {warningBox("main", "wash failed", "this image & 15 must be truecolor"),
      warningBox("main", "wash failed", "I can't make a wash on image 15"),
      "dialog VYDCOLORWASH ... 4=\"4\" 3=\"0%\" -> accept\n", "title \"searching row 0\"\n", "title \"painting row 0\"\n",
      warningBox("none", "", "eqnsolve failed")},
     {{"out.bmp", {grey(15), grey(15)}}}},
};

class Gestures : public testing::TestWithParam<ScriptCase> {};

TEST_P(Gestures, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Scripts, Gestures, testing::ValuesIn(kGestures),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

// F1 with a click writes the 162-byte colour file with the picked colour in its last entry.
TEST(ColourFile, HoldsThePickedColourLast) {
    ScratchDir dir;
    writeBytes(dir / "p.bmp", row24({R}));
    const Outcome r = script("drop \"" + dir / "p.bmp" + "\"\nchoose \"" + dir / "c.pal" + "\"\n" + click("F1", "left", 0, 0));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "chooser save title=\"name of file to write palette to?\" filter=1 initial=\"_.pal\"")) << r.out;
    const Bytes file = readBytes(dir / "c.pal");
    ASSERT_EQ(file.size(), 162u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 2), (Bytes{0x43, 0x1C}));
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0x00, 0x00, 0xFF, 0x00}));
}

}  // namespace
