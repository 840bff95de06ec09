// Composition files and the numbers dump through scripts: what is written, read back, skipped or stopped at.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "platform/headless_platform.h"
#include "support/script_cases.h"

using namespace vydtest;

namespace {

// A scratch folder with a.bmp (2 x 1), b.bmp (1 x 2), a 16-color p.bmp and c.vyd holding `composition`;
// $D in the composition, the scripts and the lines expected is the folder.
struct Folder {
    ScratchDir dir;
    std::string d = (dir / "").substr(0, (dir / "").size() - 1);
    explicit Folder(const std::string& composition = "") {
        writeBytes(dir / "a.bmp", bmpFile(24, 2, 1, {0x102030, 0xFFFFFF}));
        writeBytes(dir / "b.bmp", flat24(1, 2, 0x0000FF));
        writeBytes(dir / "p.bmp", bmpFile(4, 1, 1, {0}));
        const std::string text = withDir(composition, d);
        writeBytes(dir / "c.vyd", Bytes(text.begin(), text.end()));
    }
    void run(const std::string& actions, const std::vector<std::string>& lines) {
        const Outcome r = script(withDir(actions, d));
        EXPECT_EQ(r.status, 0) << r.err;
        for (const std::string& line : lines)
            EXPECT_TRUE(std::regex_search(r.out, transcriptPattern(withDir(line, d)))) << line << " in\n" << r.out;
    }
    std::string file(const std::string& name) {
        const Bytes b = readBytes(dir / name);
        return {b.begin(), b.end()};
    }
};

}  // namespace

TEST(CompositionFile, WrittenLevelsReadBackToTheSamePlacementsAndPictures) {
    Folder f;
    f.run(
        "drop \"$D/a.bmp\"\nmenu 1331\ndrop \"$D/b.bmp\"\ndialog accept 21=5 22=-6.5 3=2 4=3 7=90\nmenu 1313\n"
        "choose \"$D/w.vyd\"\nmenu 1318\nchoose \"$D/w.vyd\"\nmenu 1317\nprint state\n",
        {"chooser save title=\"name of file to write composing info to?\" filter=1 initial=\"*.vyd\"",
         "chooser open title=\"name of file to read composing info from?\" filter=1 initial=\"*.vyd\"",
         "level 0 altered=0 name=\"$D/a.bmp\" mode=24 bpp=24 size=2x1 origin=0,0 scale=1,1 rot=1,0 ",
         "level 3 altered=0 name=\"$D/b.bmp\" mode=24 bpp=24 size=1x2 origin=5,-6.5 scale=2,3 rot=6.12323e-17,1 ",
         "level 15 current altered=0 name=\"\""});
    EXPECT_EQ(f.file("w.vyd"), withDir("  0    0.00    0.00   1.000   1.000    0.000 ffffffff /$D/a.bmp\n"
                                       "  3    5.00   -6.50   2.000   3.000   90.000 ffffffff /$D/b.bmp\n",
                                       f.d));
}

TEST(CompositionFile, SkippedLinesDefaultsPicturesFromNoFileAndAnUnreadableOneThatStops) {
    // 65539 would be level 3 if it wrapped to 16 bits.
    Folder f(
        "16 1 /$D/p.bmp\n-1 /$D/p.bmp\nx /$D/p.bmp\n  3 nan inf 1e999 .5 45 1fff0000ff /$D/b.bmp\r\n"
        "65539 /$D/p.bmp\n  2/$D/a.bmp\n  4 /<clipboard>\n  7 /\n  5 1 2 /$D/missing.bmp\n  6 /$D/b.bmp\n");
    f.run("drop \"$D/c.vyd\"\nprint state\n",
          {"level 0 altered=0 name=\"\" mode=0", "level 1 altered=0 name=\"\" mode=0",
           "level 2 altered=0 name=\"$D/a.bmp\" mode=24 bpp=24 size=2x1 origin=0,0 scale=1,1 rot=1,0 "
           "... left=ffffffff",
           "level 3 altered=0 name=\"$D/b.bmp\" mode=24 bpp=24 size=1x2 origin=0,0 scale=1,0.5 "
           "rot=0.707107,0.707107 ... left=ffffffff",
           "caption=\"I can't open this file\" text=\"$D/missing.bmp\"", "level 4 altered=0 name=\"\" mode=0",
           "level 5 altered=0 name=\"\" mode=1", "level 6 altered=0 name=\"\" mode=0",
           "level 7 altered=0 name=\"\" mode=0", "level 15 current altered=0 name=\"\""});
}

// A missing start-up picture leaves the background empty, in the 2-color mode of a failed read, and is not
// opened again.
TEST(StartUpFile, OpensACompositionWithALastLineWithoutAnEndOrLeavesAMissingPictureEmpty) {
    Folder f("  1 /$D/a.bmp");
    vyd::HeadlessPlatform ui, otherUi;
    vyd::AppState app, missing;
    ASSERT_TRUE(vyd::startApplication(app, ui, {f.dir / "c.vyd"}));
    EXPECT_EQ(app.levels[1].name, f.dir / "a.bmp");
    EXPECT_EQ(app.levels.currentIndex, 15);
    ASSERT_TRUE(vyd::startApplication(missing, otherUi, {f.dir / "none.bmp"}));
    EXPECT_TRUE(missing.shell.startupFile.empty() && missing.levels[0].name.empty());
    EXPECT_FALSE(missing.levels[0].image.hasPixels());
    EXPECT_EQ(missing.levels[0].image.mode, 1);
}

TEST(NumbersFile, TruecolorDumpRefusalsAndFilesThatCannotBeCreated) {
    Folder f;
    f.run(
        "menu 1325\ndrop \"$D/p.bmp\"\nmenu 1325\ndrop \"$D/a.bmp\"\nchoose \"$D/n.txt\"\nmenu 1325\n"
        "choose \"$D/none/n.txt\"\nmenu 1325\nchoose \"$D/none/w.vyd\"\nmenu 1318\n",
        {warningBox("none", "", "no image"), warningBox("none", "", "the image must be truecolor"),
         "chooser save title=\"name of file to write data to?\" filter=1 initial=\"_.txt\"",
         "messagebox owner=none icon=none buttons=ok caption=\"$D/n.txt\" text=\"I wrote the file\"",
         warningBox("none", "I can't open this file", "$D/none/n.txt"),
         warningBox("none", "I can't open this file", "$D/none/w.vyd")});
    EXPECT_EQ(f.file("n.txt"), "2 1\n 48  32  16\n255 255 255\n");
}
