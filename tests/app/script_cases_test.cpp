// Whole commands driven through scripts: files in, script run, transcript lines out (in order), and where a
// level was saved, the colours of the saved picture. $D stands for the case's scratch folder.
#include <gtest/gtest.h>

#include <regex>

#include "modes/imageconv.h"
#include "support/box_platform.h"
#include "support/files.h"
#include "support/image_files.h"
#include "support/run.h"

using namespace vyd;
using namespace vydtest;

namespace {

// The Modes menu's conversion items are 1536 + the conversion's target code.
std::string convertTo(int code) { return "menu " + std::to_string(1536 + code) + "\n"; }

struct Case {
    const char* name;
    std::vector<std::pair<std::string, Bytes>> files;
    std::string script;
    std::vector<std::string> lines;  // found one after the other in the transcript; ... is any text within a line,
                                     // and "<end>" the end of the transcript
    std::vector<uint32_t> saved = {};  // colours of $D/out.bmp from the top, when the script saved it
};

std::string withDir(std::string text, const std::string& dir) {
    for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir);
    return text;
}

std::regex pattern(const std::string& line) {
    std::string re;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 3, "...") == 0) {
            re += "[^\\n]*";
            i += 2;
        } else {
            if (std::string("\\^$.|?*+()[]{}").find(line[i]) != std::string::npos) re += '\\';
            re += line[i];
        }
    }
    return std::regex(re);
}

Bytes flat24(int w, int h, uint32_t color) { return bmpFile(24, w, h, std::vector<uint32_t>(size_t(w) * h, color)); }

const uint32_t kWhite = 0xFFFFFF;

// The default sixteen colours (index bits: blue 1, green 2, red 4, bright 8) with the two greys swapped.
std::vector<uint32_t> sixteenGreysSwapped() {
    std::vector<uint32_t> p(16);
    for (uint32_t i = 0; i < 16; ++i) {
        const uint32_t on = i & 8 ? 255 : 170;
        p[i] = (i & 4 ? on << 16 : 0) | (i & 2 ? on << 8 : 0) | (i & 1 ? on : 0);
    }
    p[0] = 0, p[7] = 0x555555, p[8] = 0xAAAAAA, p[15] = kWhite;
    return p;
}

const Case kCases[] = {
    {"StartUpShowsTheTitleTheMenuAndAnEmptyBackground", {}, "print state\n",
     {"title \"VYD\"\nmenu main\ntitle \"VYD:#0:,bpp=0:0,0*0\"\n",
      "level 0 current altered=0 name=\"\" mode=0 bpp=0 size=0x0 origin=0,0 scale=1,1 rot=1,0 pivot=0,0 priority=0 brush=1 "
      "left=ffffffff right=ffffffff\n",
      "level 15 altered=0", "view zoom=1,1 move=0,0 client=1272x978 info=none slide=0 bwlimit=128 from0=0 from255=255\n"}},
    {"ChoosingALevelGivesAnEmptyBackgroundABlankPicture", {}, "menu 1329\nprint state\n",
     {"title \"VYD:#1:,bpp=0:0,0*0\"", "level 0 altered=0 name=\"\" mode=4 bpp=8 size=640x480", "level 1 current"}},
    {"DroppingTwoFilesOrNoneAsksForOneAtATime", {}, "drop a.bmp b.bmp\ndrop\nprint state\n",
     {warningBox("main", "dragdrop", "one file at a time please"), warningBox("main", "dragdrop", "one file at a time please"),
      "level 0 current altered=0 name=\"\" mode=0"}},
    // While the page is shown "read from file" asks for no file (an unanswered chooser would stop the script)
    // and other keys do nothing; Escape brings the main menu back.
    {"InformationScreensIgnoreCommandsUntilEscape", {}, "menu 1282\nmenu 1297\nkey A\nprint state\nkey ESCAPE\nprint state\n",
     {"menu main\n", "menu null\n", "view ... info=P ", "menu main\n", "view ... info=none "}},
    {"ClosingFromAnInformationScreenStillAsks", {},
     "menu 1328\n" + convertTo(kCode2Color) + "menu 1305\nanswer no\nclose\nanswer yes\nclose\nprint state\n",
     {"messagebox owner=none icon=none buttons=yesno caption=\"0 \" text=\"these image levels have been altered and not "
      "saved: do you want me to exit?\" -> no\n",
      "messagebox owner=none icon=none buttons=yesno caption=\"0 \" ", "quit 0\n", "<end>"}},
    {"ExitWithNothingAlteredQuitsAtOnce", {}, "menu 1296\nmenu 1363\n",
     {"title \"VYD:#0:,bpp=0:0,0*0\"\nquit 0\n", "<end>"}},
    {"UndoWithNothingSavedBeepsAndHelpAndPaintbrushReachTheShell", {}, "menu 1319\nmenu 1284\nmenu 1537\n",
     {"beep\n", "help \"VYD.HLP\"\n", "shell open "}},
    {"HidingKeepsTheLevelCurrentAndDroppingAllShowsItAgain", {}, "menu 1331\nmenu 1307\nprint state\nmenu 1322\nprint state\n",
     {"(hidden)", "level 3 current hidden", "level 0 current", "level 3 altered"}},
    {"ClosingListsTheAlteredLevelsInAscendingOrder",
     {{"a.bmp", flat24(2, 2, 0x090909)}},
     "menu 1339\ndrop \"$D/a.bmp\"\n" + convertTo(kCode2Color) + "menu 1330\ndrop \"$D/a.bmp\"\n" + convertTo(kCode16Color) +
         "answer no\nclose\n",
     {"messagebox owner=none icon=none buttons=yesno caption=\"2 11 \" "}},
    {"ReadingAPictureShowsWhatIsOddInItsPalette",
     {{"p.bmp", bmpFile(4, 2, 1, {0, 7}, sixteenGreysSwapped())}},
     "drop \"$D/p.bmp\"\n",
     {warningBox("none", "This image's palette is nonstandard and may upset mode-conversions etc.", "the greys are swopped")}},
    {"EqualPrioritiesKeepTheirOrderWhenSorted",
     {{"a.bmp", flat24(1, 1, 0x030201)}, {"b.bmp", flat24(2, 1, 0x030201)}},
     "menu 1330\ndrop \"$D/a.bmp\"\ndialog accept 11=5\nmenu 1313\nmenu 1333\ndrop \"$D/b.bmp\"\nmenu 1314\nprint state\n",
     {"level 2 altered=0 name=\"\"", "level 4 altered=0 name=\"$D/a.bmp\"", "level 5 current altered=0 name=\"$D/b.bmp\""}},
    {"SortMovesPlacementWithTheRecord",
     {{"a.bmp", flat24(1, 1, 0x030201)}, {"b.bmp", flat24(2, 1, 0x030201)}},
     "menu 1329\ndrop \"$D/a.bmp\"\ndialog accept 21=7 11=3\nmenu 1313\nmenu 1330\ndrop \"$D/b.bmp\"\nmenu 1329\nmenu 1314\n"
     "print state\n",
     {"level 1 current altered=0 name=\"$D/b.bmp\"... priority=1 ",
      "level 2 altered=0 name=\"$D/a.bmp\" mode=24 bpp=24 size=1x1 origin=7,0 ... priority=2 ", "level 3 altered=0 name=\"\""}},
    {"HideShowTogglesAndDroppingTheImageShowsTheLevelAgain",
     {{"a.bmp", flat24(3, 2, 0x090909)}},
     "menu 1331\ndrop \"$D/a.bmp\"\ndialog accept 21=4 22=5 11=9\nmenu 1313\nmenu 1307\nprint state\nmenu 1307\nprint state\n"
     "menu 1307\nmenu 1312\nprint state\n",
     {"level 3 current hidden altered=0 name=\"$D/a.bmp\"", "level 3 current altered=0 name=\"$D/a.bmp\"",
      "level 3 current altered=0 name=\"\" mode=0 bpp=0 size=0x0 origin=4,5 ... priority=9 "}},
    // Grey (blue + green + red) / 3 against bwlimit 128: 127 is black, 128 is white.
    {"TwoColorConversionSplitsAtTheBwlimit",
     {{"in.bmp", bmpFile(24, 4, 1, {0x807F7F, 0x808080, 0xFF0000, 0x81FFFF})}},
     "drop \"$D/in.bmp\"\n" + convertTo(kCode2Color) + "save level 0 \"$D/out.bmp\"\nprint state\n",
     {"level 0 current altered=1 name=\"$D/in.bmp\" mode=1 "},
     {0, kWhite, 0, kWhite}},
    {"TruecolorThresholdSplitsAtTheBwlimitAndLeavesTheLevelUnaltered",
     {{"in.bmp", bmpFile(24, 3, 1, {0x807F7F, 0x808080, 0x0A0A0A})}},
     "drop \"$D/in.bmp\"\nmenu 1324\nsave level 0 \"$D/out.bmp\"\nprint state\n",
     {"level 0 current altered=0 name=\"$D/in.bmp\" mode=24 "},
     {0, kWhite, 0}},
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
    {"OtherEndingsAreRefusedAndNothingIsWritten",
     {{"in.bmp", flat24(1, 1, 0)}},
     "drop \"$D/in.bmp\"\nchoose \"$D/x.JPEG\"\nmenu 1298\n",
     {"chooser save title=\"name of file to write to?\"",
      "caption=\"$D/x.JPEG\" text=\"the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'\" -> ok",
      warningBox("main", "write failed", "$D/x.JPEG")}},
    {"PcxWarningsAndRefusals",
     {{"narrow.pcx", ByteBuilder().u8({0x0A, 5, 1, 1}).fill(4).u16(9).u16(0).fill(53).u8({1}).u16(1).fill(60).u8({0xC1, 0xFF}).bytes},
      {"two.pcx", ByteBuilder().u8({0x0A, 5, 1, 2}).fill(4).u16(3).u16(0).fill(53).u8({1}).u16(2).fill(60).u8({0, 0}).bytes}},
     "drop \"$D/narrow.pcx\"\nprint state\ndrop \"$D/two.pcx\"\n",
     {warningBox("none", "mismatch in PCX file header", "image may display corrupted"), "level 0 current ... size=10x1 ",
      warningBox("none", "$D/two.pcx", "I can't handle 2 bits per pixel mode yet")}},
    {"AGifOfSeveralImagesShowsTheFirstAndSaysSo",
     {{"m.gif", readBytes(std::string(VYD_TEST_DATA) + "/interop/pil-animated.gif")}},
     "drop \"$D/m.gif\"\nprint state\n",
     {warningBox("none", "$D/m.gif", "this file may be a movie and has 3 images: I will show the first"),
      "level 0 current altered=0 name=\"$D/m.gif\" mode=8 bpp=8 size=24x15 "}},
    {"JpegQualityAnswersAreClamped",
     {},
     "dialog accept 11=150\nmenu 1357\ndialog accept 11=0\nmenu 1357\ndialog cancel\nmenu 1357\n",
     {"dialog ASKDB ...6=\"quality for writing .jpg (from 0 to 100)?\" 11=\"80\"", "dialog ASKDB ...11=\"100\"",
      "dialog ASKDB ...11=\"1\""}},
    {"AJpegReadSetsNoTransparentColour",
     {{"p.jpg", readBytes(std::string(VYD_TEST_DATA) + "/interop/pil-rgb.jpg")}},
     "drop \"$D/p.jpg\"\nprint state\n",
     {"level 0 current altered=0 name=\"$D/p.jpg\" mode=24 bpp=24 size=48x32 ... left=ffffffff right=00000000"}},
    // At least 375 wide and the picture + 62 high, the client being the outer size less 8 and 46; 2020 wide
    // does not fit the 1280 screen: 1280 wide, and the horizontal bar takes 16 of 162 + 16.
    {"TheWindowFitsThePictureWithinTheScreen",
     {{"small.bmp", flat24(4, 3, 0x010101)}, {"wide.bmp", flat24(2000, 100, 0x010101)}},
     "drop \"$D/small.bmp\"\nprint state\ndrop \"$D/wide.bmp\"\nprint state\n",
     {"view ... client=367x19 ", "view ... client=1272x116 "}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ScriptCases : public testing::TestWithParam<Case> {};

TEST_P(ScriptCases, TranscriptAndSavedPicture) {
    const Case& c = GetParam();
    ScratchDir dir;
    const std::string d = dir / "";
    const std::string folder = d.substr(0, d.size() - 1);
    for (const auto& [name, bytes] : c.files) writeBytes(dir / name, bytes);
    const Outcome r = script(withDir(c.script, folder));
    ASSERT_EQ(r.status, 0) << r.err;
    auto from = r.out.cbegin();
    for (const std::string& line : c.lines) {
        std::smatch found;
        if (line == "<end>") {
            EXPECT_EQ(std::string(from, r.out.cend()), "") << "after the lines expected";
            continue;
        }
        ASSERT_TRUE(std::regex_search(from, r.out.cend(), found, pattern(withDir(line, folder))))
            << "no line like " << withDir(line, folder) << " after the lines found before, in\n" << r.out;
        from = found[0].second;
    }
    if (c.saved.empty()) return;
    BoxPlatform ui;
    FileSettings files;
    Image saved;
    ASSERT_TRUE(readImageFile(ui, files, ModeSettings{}, dir / "out.bmp", saved));
    EXPECT_EQ(firstDifference(colorsOf(saved), c.saved, saved.width()), "");
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
