// Blurring and edge marking driven through scripts; at zoom 1 client pixel (x, y) is level pixel (x, y).
#include <gtest/gtest.h>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t W = 0xFFFFFF, K = 0x000000, R = 0xFF0000, B = 0x0000FF;
const uint32_t kDarkRed = 0xAA0000, kDarkCyan = 0x00AAAA, kLightGrey = 0xAAAAAA;

// The default sixteen colours; a 4-bit file stores their indices.
const std::vector<uint32_t> kPalette = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAAAA00, 0xAAAAAA,
                                        0x555555, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
uint32_t indexOf(uint32_t colour) { return uint32_t(std::find(kPalette.begin(), kPalette.end(), colour) - kPalette.begin()); }

Bytes picture16(int w, int h, std::vector<uint32_t> colours) {
    for (uint32_t& c : colours) c = indexOf(c);
    return bmpFile(4, w, h, colours, kPalette);
}

uint32_t grey(uint32_t v) { return v << 8 | v; }  // blue and green

// Level 1 gets `object` at the origin over the background `bg` with white as its transparent colour (B on
// a white pixel at `wx`, `wy`), then the edges are marked with `answer`.
std::string markOver(const std::string& answer, int wx, int wy) {
    const std::string at = " " + std::to_string(wx) + " " + std::to_string(wy) + "\n";
    return "drop \"$D/bg.bmp\"\nmenu 1329\ndrop \"$D/object.bmp\"\nkeydown B\npress left" + at + "release left" + at +
           "keyup B\nanswer " + answer + "\nmenu 1315\nsave level 15 \"$D/marks.bmp\"\n";
}

const ScriptCase kCases[] = {
    // Range 1: corners average 2 x 2 pixels, edges 2 x 3, the middle 3 x 3; the lone red 255 truncates to
    // 63, 42 and 28. The rows are counted down in the title, which comes back at the end. A 16-color
    // picture is refused.
    {"BlurRangeOneAveragesTheClippedSquare",
     {{"g.bmp", bmpFile(24, 3, 3, {R | grey(0), grey(30), grey(60), grey(90), grey(120), grey(150), grey(180),
                                   grey(210), grey(240)})},
      {"p.bmp", picture16(2, 1, {R, B})}},
     "drop \"$D/g.bmp\"\ndialog accept 11=-1.9\nmenu 1367\nsave level 0 \"$D/out.bmp\"\nprint state\nmenu 1329\n"
     "drop \"$D/p.bmp\"\nmenu 1367\n",
     {"dialog ASKDB 6=\"blurring range?\" 11=\"10\" -> accept", "title \"3 rows to go\"", "title \"2 rows to go\"",
      "title \"1 rows to go\"", "title \"...g.bmp...\"", "level 0 current altered=0 ",
      "messagebox owner=none icon=exclamation buttons=ok caption=\"\" text=\"must be truecolor\" -> ok\n", "<end>"},
     {{"out.bmp", {0x3F0000 | grey(60), 0x2A0000 | grey(75), grey(90), 0x2A0000 | grey(105), 0x1C0000 | grey(120),
                   grey(135), grey(150), grey(165), grey(180)}}}},
    // A red object on red: the object's pixels next to red background are marked (dark red for "similar"),
    // not its blue pixel, nor the background.
    {"RedObjectOnRedIsMarkedWhereItMeetsTheBackground",
     {{"bg.bmp", picture16(3, 2, std::vector<uint32_t>(6, R))}, {"object.bmp", picture16(3, 2, {W, W, R, W, R, B})}},
     markOver("yes", 0, 0) + "print state\n",
     {"title \"hang on while I calculate the edges\"",
      "messagebox owner=main icon=none buttons=yesnocancel caption=\"what colors do you want the edges to be?\" "
      "text=\"YES = similar colors, NO = complementary colors, CANCEL = black unless on black\" -> yes",
      "title \"don't interrupt me, I'm thinking\"",
      "messagebox owner=main icon=none buttons=ok caption=\"mark edges\" text=\"edges set up on image 15\" -> ok",
      "title \"hang on while I calculate the edges\"", "title \"VYD:#1:...object.bmp...\"",
      "level 15 altered=1 name=\"edges\" mode=4 bpp=8 size=3x2 ... left=00ffffff "},
     {{"marks.bmp", {W, W, kDarkRed, W, kDarkRed, W}}}},
    // Black on black with the Cancel answer: light grey.
    {"CancelMarksBlackOnBlackLightGrey",
     {{"bg.bmp", picture16(3, 2, std::vector<uint32_t>(6, K))}, {"object.bmp", picture16(2, 1, {K, W})}},
     markOver("cancel", 1, 0), {}, {{"marks.bmp", {kLightGrey, W, W, W, W, W}}}},
    // Two red objects on blue: level 2's pixels that touch level 1's red are marked (dark cyan for
    // "complementary"); level 1's border with blue is not.
    {"OfTwoSameColouredObjectsTheHigherOneIsMarked",
     {{"bg.bmp", picture16(4, 3, std::vector<uint32_t>(12, B))}, {"one.bmp", picture16(3, 3, std::vector<uint32_t>(9, R))},
      {"two.bmp", picture16(2, 2, {R, R, R, R})}},
     "drop \"$D/bg.bmp\"\nmenu 1329\ndrop \"$D/one.bmp\"\nmenu 1330\ndrop \"$D/two.bmp\"\nanswer no\nmenu 1315\n"
     "save level 15 \"$D/marks.bmp\"\n",
     {}, {{"marks.bmp", {W, kDarkCyan, W, W, kDarkCyan, kDarkCyan, W, W, W, W, W, W}}}},
    // Level 15 holding a picture is refused first, then a shown 256-color level; hidden, it lets marking run.
    {"RefusalsThenAHiddenDeepLevelLetsMarkingRun",
     {{"bg.bmp", picture16(2, 2, std::vector<uint32_t>(4, R))}, {"l.bmp", bmpFile(8, 2, 1, {1, 2})}},
     "drop \"$D/bg.bmp\"\nmenu 1330\ndrop \"$D/l.bmp\"\nmenu 1343\ndrop \"$D/bg.bmp\"\nmenu 1315\nmenu 1312\n"
     "menu 1315\nmenu 1330\nmenu 1307\nanswer cancel\nmenu 1315\nprint state\n",
     {"title \"hang on while I calculate the edges\"",
      "messagebox owner=main icon=exclamation buttons=ok caption=\"mark edges\" text=\"image 15 is not free\" -> ok",
      "title \"VYD:#15:...bg.bmp...\"",
      "caption=\"mark edges\" text=\"all images used must be 2- or 16-color mode\" -> ok",
      "caption=\"what colors do you want the edges to be?\" ... -> cancel", "level 15 altered=1 name=\"edges\" "}},
};

}  // namespace

class BlurEdgesCases : public ::testing::TestWithParam<ScriptCase> {};
TEST_P(BlurEdgesCases, Run) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Script, BlurEdgesCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });
