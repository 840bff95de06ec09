// The level-15 derivations and the write-over command through scripts: refusals, questions and results.
#include <gtest/gtest.h>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t W = 0xFFFFFF;
const std::string kAll = "menu 1348\nmenu 1349\nmenu 1350\nmenu 1355\n", kOn15 = "you can't do this with level 15",
                  kNotTrue = "must be truecolor", kEmpty15 = "level 15 altered=0 name=\"\" mode=0 bpp=0 size=0x0 ";
std::string box(const std::string& text) { return warningBox("none", "", text) + "\n"; }

// 8 x 8 white but a red (7, 7); after the write-over black from (5, 5) on, but over the red.
std::vector<uint32_t> writeOver(bool done) {
    std::vector<uint32_t> v(64);
    for (int i = 0; i < 64; ++i) v[i] = i == 63 ? 0xFF0000 : done && i % 8 >= 5 && i / 8 >= 5 ? 0 : W;
    return v;
}

const ScriptCase kCases[] = {
    // An empty level 15 ends three derivations quietly; the channel copy has no pixel check.
    {"OnLevel15EveryDerivationIsRefused", {{"g.bmp", flat24(4, 4, W)}},
     "menu 1343\n" + kAll + "drop \"$D/g.bmp\"\n" + kAll,
     {box(kOn15), "reading from file", box(kOn15), box(kOn15), box(kOn15), box(kOn15), "<end>"}},
    // Depth before size; a picture one pixel wide has no slope to measure and leaves level 15 empty; 3 x 10 is
    // too small for the rebuild only.
    {"DepthBeforeSizeAndTheSizeEachNeeds",
     {{"i.bmp", bmpFile(8, 3, 3, std::vector<uint32_t>(9, 1), {0, W})}, {"n.bmp", flat24(1, 3, W)},
      {"s.bmp", flat24(3, 10, 0x646464)}},
     "drop \"$D/i.bmp\"\n" + kAll + "drop \"$D/n.bmp\"\nmenu 1349\nprint state\ndrop \"$D/s.bmp\"\nmenu 1350\n"
     "menu 1349\nsave level 15 \"$D/bump.bmp\"\n",
     {box(kNotTrue), box(kNotTrue), box(kNotTrue), box(kNotTrue), "n.bmp", kEmpty15, "s.bmp",
      box("the image must be at least 4 by 4"), "<end>"},
     {{"bump.bmp", std::vector<uint32_t>(30, 0x7F7F00)}}},
    // Pivot (2, 0), distance 2: pixels sample the ray towards the pivot. 1 or less leaves level 15 alone.
    {"BarrelCorrectionAboutThePivot", {{"r.bmp", bmpFile(24, 5, 1, {0x10, 0x20, 0x30, 0x40, 0x50})}},
     "drop \"$D/r.bmp\"\ndialog accept 8=2 10=0\nmenu 1313\ndialog accept 11=1\nmenu 1348\ndialog accept 11=-5\n"
     "menu 1348\nprint state\ndialog accept 11=2\nmenu 1348\nsave level 15 \"$D/out.bmp\"\n",
     {"distance to viewpoint\" 11=\"1000\" -> accept", kEmpty15}, {{"out.bmp", {0x10, 0x20, 0x30, 0x30, 0x40}}}},
    {"CopyOneColourKeepsTheAnsweredChannel", {{"c.bmp", bmpFile(24, 2, 2, {0x123456, 0xABCDEF, 0x010203, 0xFEDCBA})}},
     "drop \"$D/c.bmp\"\nanswer yes\nmenu 1355\nsave level 15 \"$D/b.bmp\"\nanswer no\nmenu 1355\n"
     "save level 15 \"$D/g.bmp\"\n",
     {"messagebox owner=none icon=none buttons=yesnocancel caption=\"which color do you want me to keep?\" "
      "text=\"yes=blue, no=green, cancel=red\" -> yes"},
     {{"b.bmp", {0x56, 0xEF, 0x03, 0xBA}}, {"g.bmp", {0x3400, 0xCD00, 0x0200, 0xDC00}}}},
    // D paints (5, 5) over white and records the click.
    {"WriteOverStartsAtTheLastClickedPixel", {{"w.bmp", bmpFile(24, 8, 8, writeOver(false))}},
     "drop \"$D/w.bmp\"\nkeydown D\npress left 5 5\nrelease left 5 5\nkeyup D\nmenu 1364\nprint state\n"
     "save level 0 \"$D/out.bmp\"\n",
     {"level 0 current altered=1 "}, {{"out.bmp", writeOver(true)}}},
};

class Derivations : public testing::TestWithParam<ScriptCase> {};

TEST_P(Derivations, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Scripts, Derivations, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

}  // namespace
