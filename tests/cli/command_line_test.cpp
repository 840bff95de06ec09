#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace vyd {
namespace {

using Kind = CommandLine::Kind;
using Args = std::vector<std::string>;

TEST(CommandLineTest, ChoosesTheWayToRunFromTheFirstArgumentOrRefusesTheArguments) {
    struct Case {
        Args args;
        Kind kind;
        Args rest;
    };
    const Case cases[] = {
        {{}, Kind::Editor, {}},
        {{"picture.bmp"}, Kind::Editor, {"picture.bmp"}},
        {{"-platform", "offscreen", "a.bmp"}, Kind::Editor, {"-platform", "offscreen", "a.bmp"}},
        {{"--script", "s.vys"}, Kind::Script, {"s.vys"}},
        {{"convert", "a.bmp", "b.gif", "--mode", "grey"}, Kind::Convert, {"a.bmp", "b.gif", "--mode", "grey"}},
        {{"convert", "--quality", "75.5", "-", "--"}, Kind::Convert, {"--quality", "75.5", "-", "--"}},
        {{"--help"}, Kind::Help, {}},
        {{"convert", "--help"}, Kind::Help, {}},
        {{"convert", "a.bmp", "--help"}, Kind::Help, {}},
        {{"--version"}, Kind::Version, {}},
        // More usage errors are run through the program in check_vyd.cmake.
        {{"--version", "x"}, Kind::UsageError, {}}, {{"picture.bmp", "--frobnicate"}, Kind::UsageError, {}},
        {{"--"}, Kind::UsageError, {}},
    };
    for (const Case& c : cases) {
        const CommandLine command = parseCommandLine(c.args);
        EXPECT_EQ(command.kind, c.kind) << testing::PrintToString(c.args);
        EXPECT_EQ(command.args, c.rest) << testing::PrintToString(c.args);
    }
}

TEST(CommandLineTest, ConvertArgumentsThatMakeNoRequestAreUsageErrorsSayingWhy) {
    const std::pair<Args, std::string> bad[] = {
        {{"convert"}, "vyd convert: missing IN and OUT"},
        {{"convert", "a.bmp"}, "vyd convert: missing OUT"},
        {{"convert", "a.bmp", "b.bmp", "c.bmp"}, "vyd convert: one picture at a time: c.bmp is a third file"},
        {{"convert", "a.bmp", "b.bmp", "--frobnicate"}, "vyd convert: unknown option: --frobnicate"},
        {{"convert", "a.bmp", "b.bmp", "--mode"}, "vyd convert: --mode needs a value"},
        {{"convert", "a.bmp", "b.bmp", "--mode", "grey", "--quality"}, "vyd convert: --quality needs a value"},
        {{"convert", "a.bmp", "b.bmp", "--mode", "sepia"}, "vyd convert: unknown mode: sepia"},
        {{"convert", "a.bmp", "b.jpg", "--quality", "9x"}, "vyd convert: the quality must be a number: 9x"},
        {{"convert", "a.bmp", "b.jpg", "--quality", ""}, "vyd convert: the quality must be a number: "},
    };
    for (const auto& [args, problem] : bad) {
        const CommandLine command = parseCommandLine(args);
        EXPECT_EQ(command.kind, Kind::UsageError) << testing::PrintToString(args);
        EXPECT_EQ(command.problem, problem) << testing::PrintToString(args);
    }
}

TEST(CommandLineTest, TheWindowNeedsADisplayOrAnExplicitToolkitPlatform) {
    EXPECT_EQ(noDisplayReason(":0", nullptr, nullptr, {}), "");
    EXPECT_EQ(noDisplayReason(nullptr, "wayland-0", nullptr, {}), "");
    EXPECT_EQ(noDisplayReason(nullptr, nullptr, "offscreen", {}), "");
    EXPECT_EQ(noDisplayReason(nullptr, nullptr, nullptr, {"-platform", "offscreen"}), "");

    const std::string reason = noDisplayReason(nullptr, "", "", {"picture.bmp"});
    EXPECT_EQ(reason, "vyd: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                      "use vyd --script or vyd convert without one");
    EXPECT_EQ(noDisplayReason("", nullptr, nullptr, {}), reason);
}

TEST(CommandLineTest, TheEditorIsLookedForBesideTheProgramThenInLibexec) {
    EXPECT_EQ(editorCandidates("/opt/vyd/bin/vyd"),
              (Args{"/opt/vyd/bin/vyd-editor", "/opt/vyd/bin/../libexec/vyd/vyd-editor"}));
    EXPECT_EQ(editorCandidates("vyd"), (Args{"./vyd-editor", "./../libexec/vyd/vyd-editor"}));
    const std::string missing = missingEditorMessage(editorCandidates("/b/vyd"));
    EXPECT_EQ(missing, "vyd: the editor window needs vyd-editor, which is not at /b/vyd-editor "
                       "nor at /b/../libexec/vyd/vyd-editor");
}

}  // namespace
}  // namespace vyd
