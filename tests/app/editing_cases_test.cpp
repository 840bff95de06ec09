// The Editing menu's pixel and geometry commands through scripts: questions, refusals, colours, flags, placement.
#include <gtest/gtest.h>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t W = 0xFFFFFF, K = 0x000000, R = 0xFF0000;

std::string clickWith(const std::string& key, const std::string& button, int x, int y) {
    const std::string at = " " + std::to_string(x) + " " + std::to_string(y) + "\n";
    return "keydown " + key + "\npress " + button + at + "release " + button + at + "keyup " + key + "\n";
}
std::string question(const std::string& owner, const std::string& buttons, const std::string& caption,
                     const std::string& text, const std::string& answer) {
    return "messagebox owner=" + owner + " icon=none buttons=" + buttons + " caption=\"" + caption +
           "\" text=\"" + text + "\" -> " + answer;
}
// A 5 x 5 two-colour picture: white, a black bar three rows thick, white.
const Bytes kBar =
    bmpFile(1, 5, 5, {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}, {K, W});

const ScriptCase kEditing[] = {
    {"RefusalsOfModesTheCommandsDoNotHandle",
     {{"t.bmp", flat24(2, 2, W)}, {"p.bmp", bmpFile(8, 2, 2, {1, 1, 1, 1}, {K, 0x102030})}},
     "drop \"$D/t.bmp\"\nmenu 1622\nmenu 1623\nmenu 1621\nmenu 1347\ndrop \"$D/p.bmp\"\nmenu 1352\nmenu 1347\n"
     "answer yes\nmenu 1316\nmenu 1329\nmenu 1286\nprint state\n",
     {warningBox("main", "error", "I can't do this to a truecolor image"),
      warningBox("main", "", "image is not 2-color"), warningBox("main", "$D/t.bmp", "I can't do this to truecolor"),
      warningBox("none", "error", "I can't do this with truecolor yet"), warningBox("none", "", "must be truecolor"),
      warningBox("none", "error", "I can't find a white palette"),
      question("main", "yesno", "", "white (yes) or black (no)?", "yes"),
      warningBox("none", "", "I can't do this to 2-color or 256-color images"),
      warningBox("none", "BUG FOUND", "not bpp==8 or bpp==24"), "level 0 altered=1 ", "level 1 current altered=1 "}},
    // No picks green, Yes blue, Cancel red; the truecolor edits leave the altered flag alone.
    {"InvertAnswersPickTheChannel",
     {{"t.bmp", flat24(1, 1, 0x102030)}},
     "drop \"$D/t.bmp\"\nanswer no\nmenu 1354\nanswer yes\nmenu 1354\nanswer cancel\nmenu 1354\nprint state\n"
     "save level 0 \"$D/out.bmp\"\n",
     {question("none", "yesnocancel", "which color do you want me to invert?", "yes=blue, no=green, cancel=red", "no"),
      "level 0 current altered=0 "},
     {{"out.bmp", {0xF0E0D0}}}},
    {"MultiplyByTheLeftButtonsColour",
     {{"t.bmp", flat24(2, 1, W)}},
     "drop \"$D/t.bmp\"\ncolour 80FF40\n" + clickWith("F3", "left", 0, 0) + "menu 1353\nsave level 0 \"$D/out.bmp\"\n",
     {}, {{"out.bmp", {0x7FFE3F, 0x7FFE3F}}}},
    {"NonBackgroundWithoutAPickedColourKeepsWhite",
     {{"t.bmp", bmpFile(24, 3, 1, {W, R, 0x123456})}},
     "answer no\ndrop \"$D/t.bmp\"\nmenu 1316\nsave level 0 \"$D/out.bmp\"\n", {}, {{"out.bmp", {W, K, K}}}},
    // The background (picked with B) shrinks round the red dot, then the transparent edges are cut off.
    {"ShrinkBackgroundThenTrim",
     {{"t.bmp", bmpFile(24, 4, 4, {W, W, W, W, W, R, W, W, W, W, W, W, W, W, W, W})}},
     "drop \"$D/t.bmp\"\n" + clickWith("B", "left", 3, 3) + "menu 1352\nprint state\nmenu 1288\nprint state\n"
     "save level 0 \"$D/out.bmp\"\n",
     {"level 0 current altered=0 ", "level 0 current altered=1 ... size=3x3 "},
     {{"out.bmp", std::vector<uint32_t>(9, R)}}},
    {"RotationResetsThePivotAndMarksAltered",
     {{"t.bmp", bmpFile(24, 3, 2, {R, W, W, K, W, W})}},
     "drop \"$D/t.bmp\"\n" + clickWith("R", "right", 1, 1) + "print state\nmenu 1287\nprint state\n"
     "save level 0 \"$D/out.bmp\"\n",
     {"level 0 current ... pivot=1,1 ", "level 0 current altered=1 ... size=2x3 ... pivot=0,0 "},
     {{"out.bmp", {K, R, W, W, W, W}}}},
    // A 256-colour picture whose entries 0 and 15 are not black and white still saves black lines on white.
    {"LineDrawingSavesBlackOnWhite",
     {{"p.bmp", bmpFile(8, 3, 3, std::vector<uint32_t>(9, 15), {R, 0x00FF00, 0x0000FF, W, W, W, W, W, W, W, W, W,
                                                                W, W, W, 0x00FF00})}},
     "drop \"$D/p.bmp\"\nmenu 1621\nprint state\nsave level 0 \"$D/out.bmp\"\n",
     {"level 0 current altered=1 ... mode=1 "},
     {{"out.bmp", {W, K, K, K, W, W, K, W, W}}}},
    // The bar's upper two rows are removed (red) inside the border; halving a one-row picture is refused.
    {"ThinningShowsRemovedPixelsRedAndHalvingNeedsTwoRows",
     {{"b.bmp", kBar}, {"l.bmp", bmpFile(1, 4, 1, {0, 1, 0, 1}, {K, W})}},
     "drop \"$D/b.bmp\"\nmenu 1623\nsave level 0 \"$D/out.bmp\"\ndrop \"$D/l.bmp\"\nmenu 1622\nprint state\n",
     {warningBox("main", "", "can't make bitmap body"), "level 0 current altered=0 ... size=4x1 "},
     {{"out.bmp", {W, W, W, W, W, K, R, R, R, K, K, R, R, R, K, K, K, K, K, K, W, W, W, W, W}}}},
};

class Editing : public testing::TestWithParam<ScriptCase> {};
TEST_P(Editing, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Editing, testing::ValuesIn(kEditing),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
