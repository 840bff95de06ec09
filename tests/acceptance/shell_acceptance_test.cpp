// Levels, dialogs, information screens, drops and closing, driven through scripts.
#include <gtest/gtest.h>

#include "acceptance_util.h"

using namespace acc;

namespace {

std::string q(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

TEST(LevelsAcceptance, SortMovesWholeRecordsAndRenumbersPriorities) {
    TempDir dir;
    writeBytes(dir / "a.bmp", makeBmp(24, 1, 1, {bgr(1, 2, 3)}));
    writeBytes(dir / "b.bmp", makeBmp(24, 2, 1, {bgr(1, 2, 3), 0}));
    // Level 1 gets priority 3, equal to level 3's: the order becomes 0, 2, 1, 3, 4 ... 15.
    Outcome r = script("menu 1329\ndrop " + q(dir / "a.bmp") + "\ndialog accept 21=7 11=3\nmenu 1313\nmenu 1330\ndrop " +
                   q(dir / "b.bmp") + "\nmenu 1329\nprint state\nmenu 1314\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto before = linesStarting(r.out, "level 1 ");
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(field(before[0], "priority"), "3");
    EXPECT_EQ(field(levelLine(r.out, 1), "name"), dir / "b.bmp");
    EXPECT_EQ(field(levelLine(r.out, 2), "name"), dir / "a.bmp");
    EXPECT_EQ(field(levelLine(r.out, 2), "origin"), "7,0");  // placement travels with the record
    EXPECT_EQ(field(levelLine(r.out, 2), "size"), "1x1");
    EXPECT_EQ(field(levelLine(r.out, 3), "name"), "");
    for (int i = 0; i < 16; ++i) EXPECT_EQ(field(levelLine(r.out, i), "priority"), std::to_string(i)) << i;
    EXPECT_TRUE(has(levelLine(r.out, 1), "level 1 current "));  // the current slot stays

    // Equal priorities keep their order: level 2 at priority 5 sorts before level 5.
    r = script("menu 1330\ndrop " + q(dir / "a.bmp") + "\ndialog accept 11=5\nmenu 1313\nmenu 1333\ndrop " +
               q(dir / "b.bmp") + "\nmenu 1314\nprint state\n");
    EXPECT_EQ(field(levelLine(r.out, 2), "name"), "");
    EXPECT_EQ(field(levelLine(r.out, 4), "name"), dir / "a.bmp");
    EXPECT_EQ(field(levelLine(r.out, 5), "name"), dir / "b.bmp");
}

TEST(LevelsAcceptance, UndoDropAndHide) {
    TempDir dir;
    writeBytes(dir / "a.bmp", makeBmp(24, 3, 2, std::vector<uint32_t>(6, bgr(9, 9, 9))));
    Outcome r = script("drop " + q(dir / "a.bmp") + "\nmenu 1604\nmenu 1319\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "\nbeep\n")) << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "4");

    r = script("menu 1331\ndrop " + q(dir / "a.bmp") + "\ndialog accept 21=4 22=5 3=2\nmenu 1313\nmenu 1307\n"
               "print state\nmenu 1322\nprint state\n");
    auto states = linesStarting(r.out, "level 3 ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_TRUE(has(states[0], " current hidden "));
    EXPECT_EQ(field(states[1], "origin"), "4,5");
    EXPECT_EQ(field(states[1], "scale"), "2,1");
    EXPECT_EQ(field(states[1], "name"), "");
    EXPECT_FALSE(has(states[1], "hidden"));
    EXPECT_FALSE(has(states[1], "current"));
    EXPECT_TRUE(has(levelLine(r.out, 0), "level 0 current "));

    // Dropping the current level's image keeps its placement and priority.
    r = script("menu 1329\ndrop " + q(dir / "a.bmp") + "\ndialog accept 21=2 11=9\nmenu 1313\nmenu 1312\nprint state\n");
    EXPECT_EQ(field(levelLine(r.out, 1), "origin"), "2,0");
    EXPECT_EQ(field(levelLine(r.out, 1), "priority"), "9");
    EXPECT_EQ(field(levelLine(r.out, 1), "mode"), "0");
}

TEST(ShellAcceptance, DropsClosingAndInformationScreens) {
    TempDir dir;
    writeBytes(dir / "a.bmp", makeBmp(24, 2, 2, std::vector<uint32_t>(4, bgr(9, 9, 9))));
    Outcome r = script("drop " + q(dir / "a.bmp") + " " + q(dir / "a.bmp") + "\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "messagebox owner=main icon=exclamation buttons=ok caption=\"dragdrop\" "
                           "text=\"one file at a time please\" -> ok"))
        << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "name"), "");

    // Closing lists the altered levels in ascending order, each followed by a blank.
    std::string alter2 = "menu 1330\ndrop " + q(dir / "a.bmp") + "\nmenu 1604\n";
    std::string alter11 = "menu 1339\ndrop " + q(dir / "a.bmp") + "\nmenu 1601\n";
    r = script(alter11 + alter2 + "answer no\nclose\nprint state\nanswer yes\nclose\n");
    EXPECT_TRUE(has(r.out, "messagebox owner=none icon=none buttons=yesno caption=\"2 11 \" text=\"these image levels "
                           "have been altered and not saved: do you want me to exit?\" -> no"))
        << r.out;
    EXPECT_TRUE(has(r.out, "level 0 "));
    EXPECT_TRUE(has(r.out, "\nquit 0\n"));
    r = script("close\n");
    EXPECT_FALSE(has(r.out, "messagebox"));
    EXPECT_TRUE(has(r.out, "quit 0"));

    // An information page: commands and other keys do nothing; Escape brings the main menu back.
    r = script("drop " + q(dir / "a.bmp") + "\nmenu 1282\nprint state\nmenu 1604\nkey F1\nprint state\n"
               "key ESCAPE\nprint state\nmenu 1310\nanswer yes\nclose\n");
    auto views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 3u) << r.out;
    EXPECT_EQ(field(views[0], "info"), "P");
    EXPECT_EQ(field(views[1], "info"), "P");
    EXPECT_EQ(field(views[2], "info"), "none");
    EXPECT_EQ(field(linesStarting(r.out, "level 0 ")[1], "mode"), "24");  // the conversion was not dispatched
    EXPECT_EQ(linesStarting(r.out, "menu null").size(), 2u) << r.out;
    EXPECT_TRUE(has(r.out, "quit 0"));
}

TEST(DialogAcceptance, LevelDetailsParsesAndClamps) {
    TempDir dir;
    writeBytes(dir / "a.bmp", makeBmp(24, 2, 2, std::vector<uint32_t>(4, bgr(9, 9, 9))));
    Outcome r = script("menu 1329\ndrop " + q(dir / "a.bmp") +
                   "\ndialog accept 7=90 16=0.5 3=0 4=2.5\nmenu 1313\nprint state\n"
                   "dialog accept 16=100 12=-3\nmenu 1313\nprint state\ndialog accept 16=7.9 21=abc\nmenu 1313\n"
                   "print state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto dialogs = linesStarting(r.out, "dialog VYDLEVEL");
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_TRUE(has(dialogs[0], "6=\"level 1\" 5=\", loaded from " + (dir / "a.bmp") + ",bpp=24:24,2*2\"")) << dialogs[0];
    EXPECT_TRUE(has(dialogs[1], "7=\"90\\xB0\"")) << dialogs[1];
    EXPECT_TRUE(has(dialogs[1], "3=\"0.01\" 4=\"2.5\"")) << dialogs[1];
    auto states = linesStarting(r.out, "level 1 ");
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(field(states[0], "brush"), "1");
    EXPECT_EQ(field(states[0], "scale"), "0.01,2.5");
    EXPECT_EQ(field(states[0], "rot"), "6.12323e-17,1");
    EXPECT_EQ(field(states[1], "brush"), "64");
    EXPECT_EQ(field(states[2], "brush"), "7");
    EXPECT_EQ(field(states[2], "origin"), "0,0");
    auto views = linesStarting(r.out, "view ");
    EXPECT_EQ(field(views[1], "zoom"), "0.01,1");

    // The background keeps origin 0, scale 1, no rotation and priority 0 whatever is typed.
    r = script("drop " + q(dir / "a.bmp") + "\ndialog accept 21=5 22=6 3=2 4=3 7=45 11=8\nmenu 1313\nprint state\n");
    std::string l0 = levelLine(r.out, 0);
    EXPECT_EQ(field(l0, "origin"), "0,0");
    EXPECT_EQ(field(l0, "scale"), "1,1");
    EXPECT_EQ(field(l0, "rot"), "1,0");
    EXPECT_EQ(field(l0, "priority"), "0");
}

TEST(DialogAcceptance, NewImageSizeClampsAndWhitePixels) {
    TempDir dir;
    Outcome r = script("dialog accept 3=0 4=5000\nmenu 1321\nprint state\ndialog accept 3=-20 4=3.9\nmenu 1321\n"
                   "save level 0 " + q(dir / "n.bmp") + "\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto dialogs = linesStarting(r.out, "dialog VYDNEWIMAGE");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_TRUE(has(dialogs[0], "6=\"level 0\"")) << dialogs[0];
    EXPECT_TRUE(has(dialogs[1], "3=\"1\" 4=\"4094\"")) << dialogs[1];
    auto states = linesStarting(r.out, "level 0 ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(field(states[0], "size"), "1x4094");
    EXPECT_EQ(field(states[0], "mode"), "4");
    EXPECT_EQ(field(states[0], "altered"), "0");
    EXPECT_EQ(field(states[1], "size"), "1x3");
    Bmp b = readBmp(dir / "n.bmp");
    ASSERT_TRUE(b.ok);
    for (uint32_t v : b.values) EXPECT_EQ(v, 15u);

    // JPEG quality answers are clamped; the question shows the current quality.
    r = script("dialog accept 11=150\nmenu 1357\ndialog accept 11=0\nmenu 1357\ndialog cancel\nmenu 1357\n");
    auto asks = linesStarting(r.out, "dialog ASKDB");
    ASSERT_EQ(asks.size(), 3u) << r.out;
    EXPECT_TRUE(has(asks[0], "6=\"quality for writing .jpg (from 0 to 100)?\" 11=\"80\"")) << asks[0];
    EXPECT_TRUE(has(asks[1], "11=\"100\"")) << asks[1];
    EXPECT_TRUE(has(asks[2], "11=\"1\"")) << asks[2];
}

TEST(WindowAcceptance, FittedWindowAndScrollBars) {
    TempDir dir;
    writeBytes(dir / "wide.bmp", makeBmp(24, 2000, 100, std::vector<uint32_t>(200000, bgr(1, 1, 1))));
    writeBytes(dir / "small.bmp", makeBmp(24, 4, 3, std::vector<uint32_t>(12, bgr(1, 1, 1))));
    Outcome r = script("drop " + q(dir / "small.bmp") + "\nprint state\ndrop " + q(dir / "wide.bmp") + "\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 2u);
    // 375 wide at least, 3 + 62 high; the client is the outer size less 8 and 46.
    EXPECT_EQ(field(views[0], "client"), "367x19");
    // 2020 wide does not fit the 1280 screen: 1280 wide, 162 + 16 high, a horizontal bar takes 16 more.
    EXPECT_EQ(field(views[1], "client"), "1272x116");

    // A blank (unnamed) background keeps the size given; the bars follow it: 2000 x 100 in a 600 x 90 client
    // needs both bars.
    r = script("dialog accept 3=2000 4=100\nmenu 1321\nsize 600 400\nprint state\nsize 600 90\nprint state\n");
    views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(field(views[0], "client"), "600x400");
    EXPECT_EQ(field(views[1], "client"), "584x90");
    // A resize repaints the window, and the repaint fits the window to a named background again.
    writeBytes(dir / "big.bmp", makeBmp(24, 1275, 1000, std::vector<uint32_t>(1275000, bgr(1, 1, 1))));
    r = script("drop " + q(dir / "big.bmp") + "\nprint state\nsize 600 400\nprint state\n");
    views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(field(views[0], "client"), "1256x962");
    EXPECT_EQ(field(views[1], "client"), "1256x962");
}

TEST(ShellAcceptance, FileCommandsAndMoveClamps) {
    TempDir dir;
    writeBytes(dir / "a.bmp", makeBmp(24, 4, 3, std::vector<uint32_t>(12, bgr(1, 2, 3))));
    writeBytes(dir / "gone.bmp", {1});
    Outcome r = script("drop " + q(dir / "a.bmp") + "\nchoose " + q(dir / "b.bmp") + "\nmenu 1301\nchoose " +
                       q(dir / "gone.bmp") + "\nanswer yes\nmenu 1299\nchoose cancel\nmenu 1297\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "chooser save title=\"new name for file " + (dir / "a.bmp") + "?\" filter=1")) << r.out;
    EXPECT_TRUE(fs::exists(dir / "b.bmp"));
    EXPECT_FALSE(fs::exists(dir / "a.bmp"));
    EXPECT_TRUE(has(r.out, "chooser open title=\"name of file to delete?\"")) << r.out;
    EXPECT_TRUE(has(r.out, "messagebox owner=main icon=none buttons=yesno caption=\"" + (dir / "gone.bmp") +
                               "\" text=\"do you want to delete this file?\" -> yes"))
        << r.out;
    EXPECT_FALSE(fs::exists(dir / "gone.bmp"));
    EXPECT_TRUE(has(r.out, "chooser open title=\"name of file to read in?\"")) << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "name"), "");  // a cancelled read empties the name, keeps the image
    EXPECT_EQ(field(levelLine(r.out, 0), "size"), "4x3");

    // A failed rename says "error" under the caption "rename".
    r = script("drop " + q(dir / "b.bmp") + "\nchoose " + q(dir / "no/such/dir/c.bmp") + "\nmenu 1301\n");
    EXPECT_TRUE(has(r.out, "messagebox owner=main icon=exclamation buttons=ok caption=\"rename\" text=\"error\""))
        << r.out;

    // The move is kept at most the slack (client + 1 - picture) and a move of 0 or less becomes 0.
    r = script("drop " + q(dir / "b.bmp") + "\ndialog accept 14=100 15=-50\nmenu 1313\nprint state\n"
               "dialog accept 14=500 15=3\nmenu 1313\nprint state\n");
    auto views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(field(views[0], "move"), "100,0");
    EXPECT_EQ(field(views[1], "move"), "364,3");
}
