// Script lines split into words, and scripts that stop with an error; what scripts print is in tests/app.
#include <gtest/gtest.h>

#include "platform/script_runner.h"
#include "platform/transcript.h"
#include "support/run.h"

using namespace vyd;
using namespace vydtest;

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
    Outcome unknown = script("# comment\n\nfrobnicate 3\n");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "script error: line 3: unknown action frobnicate\n");
    EXPECT_EQ(unknown.out, "");  // nothing ran

    Outcome badNumber = script("menu 12x\n");
    EXPECT_EQ(badNumber.status, 2);
    EXPECT_TRUE(has(badNumber.err, "script error: line 1: "));

    Outcome binary = script(std::string("menu 1363\n\0\x01\x02", 13));
    EXPECT_EQ(binary.status, 2);

    Outcome empty = script("");
    EXPECT_EQ(empty.status, 0);
}

TEST(ScriptRunner, ClosingWithAlteredLevelsNeedsAnAnswer) {
    Outcome r = script("menu 1329\nmenu 1601\nclose\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(has(r.err, "script error: line 3: unanswered message box"));
}
