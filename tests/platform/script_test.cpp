#include <gtest/gtest.h>

#include <sstream>

#include "platform/script_runner.h"
#include "platform/transcript.h"

using namespace vyd;

namespace {

struct ScriptRun {
    int status;
    std::string out, err;
};

ScriptRun run(const std::string& script) {
    std::ostringstream out, err;
    int status = runScript(script, out, err);
    return {status, out.str(), err.str()};
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The lines of text that start with prefix.
std::vector<std::string> linesStarting(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
}

}  // namespace

TEST(ScriptWords, QuotesEscapesAndErrors) {
    std::vector<std::string> words;
    std::string why;
    ASSERT_TRUE(splitScriptLine("dialog accept 21=\"1 2\" \"a\\\"b\\\\c\\n\\xB0\"", words, why));
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[2], "21=1 2");
    EXPECT_EQ(words[3], "a\"b\\c\n\xB0");
    EXPECT_FALSE(splitScriptLine("drop \"open", words, why));
    EXPECT_FALSE(splitScriptLine("drop \"\\q\"", words, why));
    EXPECT_EQ(quoteText("a\"\\\n\xB0"), "\"a\\\"\\\\\\n\\xB0\"");
}

TEST(ScriptRunner, BadScriptsStopWithTheLineAndStatusTwo) {
    ScriptRun unknown = run("# comment\n\nfrobnicate 3\n");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "script error: line 3: unknown action frobnicate\n");
    EXPECT_EQ(unknown.out, "");  // nothing ran

    ScriptRun badNumber = run("menu 12x\n");
    EXPECT_EQ(badNumber.status, 2);
    EXPECT_TRUE(contains(badNumber.err, "script error: line 1: "));

    ScriptRun binary = run(std::string("menu 1363\n\0\x01\x02", 13));
    EXPECT_EQ(binary.status, 2);

    ScriptRun empty = run("");
    EXPECT_EQ(empty.status, 0);
}

TEST(ScriptRunner, StartUpShowsTheTitleTheMenuAndAnEmptyBackground) {
    ScriptRun r = run("print state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto titles = linesStarting(r.out, "title ");
    ASSERT_GE(titles.size(), 2u);
    EXPECT_EQ(titles[0], "title \"VYD\"");
    EXPECT_EQ(titles[1], "title \"VYD:#0:,bpp=0:0,0*0\"");
    EXPECT_EQ(linesStarting(r.out, "menu ").at(0), "menu main");
    EXPECT_TRUE(contains(r.out, "level 0 current altered=0 name=\"\" mode=0 bpp=0 size=0x0 origin=0,0 scale=1,1 "
                                "rot=1,0 pivot=0,0 priority=0 brush=1 left=ffffffff right=ffffffff\n"));
    EXPECT_TRUE(contains(r.out, "level 15 altered=0"));
    EXPECT_TRUE(contains(r.out, "view zoom=1,1 move=0,0 client=1272x978 info=none slide=0 bwlimit=128 from0=0 from255=255"));
}

TEST(ScriptRunner, ChoosingALevelGivesAnEmptyBackgroundABlankPicture) {
    ScriptRun r = run("menu 1329\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "level 0 altered=0 name=\"\" mode=4 bpp=8 size=640x480"));
    EXPECT_TRUE(contains(r.out, "level 1 current"));
    EXPECT_TRUE(contains(r.out, "title \"VYD:#1:,bpp=0:0,0*0\""));
}

TEST(ScriptRunner, DroppingTwoFilesOrNoneAsksForOneAtATime) {
    ScriptRun r = run("drop a.bmp b.bmp\ndrop\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto boxes = linesStarting(r.out, "messagebox ");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "messagebox owner=main icon=exclamation buttons=ok caption=\"dragdrop\" "
                        "text=\"one file at a time please\" -> ok");
    EXPECT_TRUE(contains(r.out, "level 0 current altered=0 name=\"\" mode=0"));
}

TEST(ScriptRunner, InformationScreensIgnoreCommandsUntilEscape) {
    // While the page is shown, "read from file" must not ask for a file (an unanswered chooser would be an
    // error), other keys do nothing, and Escape brings the main menu back.
    ScriptRun r = run("menu 1282\nmenu 1297\nkey A\nprint state\nkey ESCAPE\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto menus = linesStarting(r.out, "menu ");
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_EQ(menus[1], "menu null");
    EXPECT_EQ(menus[2], "menu main");
    auto views = linesStarting(r.out, "view ");
    ASSERT_EQ(views.size(), 2u);
    EXPECT_TRUE(contains(views[0], "info=P"));
    EXPECT_TRUE(contains(views[1], "info=none"));
}

TEST(ScriptRunner, ClosingFromAnInformationScreenStillAsks) {
    // Choosing the background gives it a blank picture; converting it marks it altered.
    ScriptRun r = run("menu 1328\nmenu 1601\nmenu 1305\nanswer no\nclose\nanswer yes\nclose\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto boxes = linesStarting(r.out, "messagebox ");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "messagebox owner=none icon=none buttons=yesno caption=\"0 \" "
                        "text=\"these image levels have been altered and not saved: do you want me to exit?\" -> no");
    EXPECT_TRUE(contains(r.out, "quit 0\n"));
    EXPECT_TRUE(linesStarting(r.out, "level ").empty());  // nothing runs after the quit
}

TEST(ScriptRunner, ClosingWithAlteredLevelsNeedsAnAnswer) {
    ScriptRun r = run("menu 1329\nmenu 1601\nclose\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "script error: line 3: unanswered message box"));
}

TEST(ScriptRunner, ExitWithNothingAlteredQuitsAtOnce) {
    ScriptRun r = run("menu 1296\nmenu 1363\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(linesStarting(r.out, "messagebox").empty());
    EXPECT_TRUE(contains(r.out, "quit 0\n"));
}

TEST(ScriptRunner, UndoWithNothingSavedBeepsAndHelpAndPaintbrushReachTheShell) {
    ScriptRun r = run("menu 1319\nmenu 1284\nmenu 1537\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "beep\n"));
    EXPECT_TRUE(contains(r.out, "help \"VYD.HLP\"\n"));
    EXPECT_EQ(linesStarting(r.out, "shell open ").size(), 1u);
}

TEST(ScriptRunner, HidingTheCurrentLevelKeepsItCurrentAndDroppingAllKeepsPlacement) {
    ScriptRun r = run("menu 1331\nmenu 1307\nprint state\nmenu 1322\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto levels3 = linesStarting(r.out, "level 3 ");
    ASSERT_EQ(levels3.size(), 2u);
    EXPECT_TRUE(contains(levels3[0], "level 3 current hidden"));
    EXPECT_TRUE(contains(r.out, "(hidden)"));
    EXPECT_EQ(levels3[1].rfind("level 3 altered", 0), 0u);  // shown again and no longer current
    EXPECT_TRUE(contains(linesStarting(r.out, "level 0 ")[1], "level 0 current"));
}
