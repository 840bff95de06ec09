// Movies driven through scripts: which frames are read, what ends a movie, what the level holds afterwards and
// which files a copy writes; and the pacing of the frames on the headless clock.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "support/box_platform.h"
#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t K = 0x000000, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, Y = 0xFFFF00, W = 0xFFFFFF;

// Frame k of a test movie: k pixels wide, so frames of different sizes follow each other.
Bytes frame(int width, uint32_t colour) { return flat24(width, 1, colour); }
std::vector<uint32_t> row(int width, uint32_t colour) { return std::vector<uint32_t>(size_t(width), colour); }

std::string play(const std::string& first) { return "choose \"$D/" + first + "\"\nmenu 1365\n"; }
std::string copy(const std::string& first, const std::string& to) {
    return "choose \"$D/" + first + "\"\nchoose \"$D/" + to + "\"\nmenu 1366\n";
}
const std::string kAfter = "print state\nsave level 0 \"$D/out.bmp\"\n";
const std::string kMovieChooser = "chooser open title=\"name of first frame file of movie?\" filter=0 ";
const std::string kFinished = "movie finished: next frame after the last frame would have been";
// The transcript from the first frame's read to the state: no box in between.
std::string quietlyTo(const std::string& name, const std::string& size) {
    return "title \"reading from file\"\ntitle \"VYD:#0:,bpp=0:0,0*0\"\ntitle \"VYD:#0:$D/" + name + ",bpp=24:24," + size +
           "\"\nlevel 0 current altered=0 name=\"$D/" + name + "\"";
}

const ScriptCase kMovies[] = {
    // All five frames are read in turn; the box names the missing sixth; the level keeps frame 0012 under the
    // first frame's name.
    {"PlaysUpToTheMissingFrame",
     {{"m0008.bmp", frame(1, R)}, {"m0009.bmp", frame(2, G)}, {"m0010.bmp", frame(3, B)}, {"m0011.bmp", frame(4, Y)},
      {"m0012.bmp", frame(5, K)}},
     play("m0008.bmp") + kAfter,
     {kMovieChooser + "initial=\"\" -> \"$D/m0008.bmp\"", "m0008.bmp,bpp=24:24,1*1\"", "m0008.bmp,bpp=24:24,2*1\"",
      "m0008.bmp,bpp=24:24,3*1\"", "m0008.bmp,bpp=24:24,4*1\"", "m0008.bmp,bpp=24:24,5*1\"",
      warningBox("none", kFinished, "$D/m0013.bmp"),
      "level 0 current altered=0 name=\"$D/m0008.bmp\" mode=24 bpp=24 size=5x1 "},
     {{"out.bmp", row(5, K)}}},
    {"FrameNineThousandNineHundredNinetyNineIsShownAlone", {{"m9999.bmp", frame(2, G)}}, play("m9999.bmp") + kAfter,
     {quietlyTo("m9999.bmp", "2*1") + " mode=24 bpp=24 size=2x1 "}, {{"out.bmp", row(2, G)}}},
    {"NoDigitsBeforeTheExtensionShowOnlyTheFirstFrame", {{"m12a4.bmp", frame(2, G)}, {"m12a5.bmp", frame(3, R)}},
     play("m12a4.bmp") + kAfter, {quietlyTo("m12a4.bmp", "2*1")}, {{"out.bmp", row(2, G)}}},
    // A first frame that cannot be read: its message, an empty name, and nothing more.
    {"MissingFirstFrame", {}, play("m0001.bmp") + "print state\n",
     {warningBox("none", "I can't open this file", "$D/m0001.bmp"), "level 0 current altered=0 name=\"\""}},
    // A composition file is read as one: no image read is tried.
    {"CompositionFileGoesToItsReader", {}, play("film0001.VYD") + "print state\n",
     {kMovieChooser + "initial=\"\" -> \"$D/film0001.VYD\"", "level 0 current altered=0 name=\"$D/film0001.VYD\""}},
    {"CancelledEmptiesTheName", {{"a.bmp", frame(1, R)}},
     "drop \"$D/a.bmp\"\nchoose cancel\nmenu 1365\nprint state\nchoose \"$D/a.bmp\"\nchoose cancel\nmenu 1366\n"
     "print state\n",
     {"level 0 current altered=0 name=\"\" mode=24", "chooser save title=\"name of first frame file of copy of movie?\"",
      "level 0 current altered=0 name=\"\" mode=24"}},
    // PCX frames 0005..0007 copied to BMP files numbered from 0100: one file per frame read, and no more.
    {"CopyNumbersFromTheCopysFirstFrame",
     {{"r.bmp", frame(1, R)}, {"g.bmp", frame(2, G)}, {"b.bmp", frame(3, B)}},
     "drop \"$D/r.bmp\"\nsave level 0 \"$D/m0005.pcx\"\ndrop \"$D/g.bmp\"\nsave level 0 \"$D/m0006.pcx\"\n"
     "drop \"$D/b.bmp\"\nsave level 0 \"$D/m0007.pcx\"\n" + copy("m0005.pcx", "c0100.bmp") + kAfter +
         "drop \"$D/c0103.bmp\"\n",
     {warningBox("none", "I can't open this file", "$D/m0008.pcx"),
      "level 0 current altered=0 name=\"$D/m0005.pcx\" mode=24 bpp=24 size=3x1 ",
      warningBox("none", "I can't open this file", "$D/c0103.bmp")},
     {{"c0100.bmp", row(1, R)}, {"c0101.bmp", row(2, G)}, {"c0102.bmp", row(3, B)}, {"out.bmp", row(3, B)}}},
    // A copy that cannot be written stops at once: one failure, the source's first frame still in the level.
    {"CopyStopsAtTheFirstFailedWrite", {{"m0001.bmp", frame(1, R)}, {"m0002.bmp", frame(2, G)}},
     copy("m0001.bmp", "none/c0001.bmp") + kAfter,
     {"title \"writing to file\"\nmessagebox ...\ntitle \"VYD:...\"\nlevel 0 current altered=0 name=\"$D/m0001.bmp\" mode=24 "
      "bpp=24 size=1x1 "},
     {{"out.bmp", row(1, R)}}},
};

class Movies : public testing::TestWithParam<ScriptCase> {};
TEST_P(Movies, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Movies, testing::ValuesIn(kMovies),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return std::string(info.param.name); });

// Names count whole, folder included: relative names of nine characters play no further, and a copy whose
// first name is that short writes nothing.
TEST(MovieNames, NineCharactersPlayOnlyTheFirstFrame) {
    ScratchDir dir;
    for (const char* name : {"x0001.bmp", "xx0001.bmp"}) writeBytes(dir / name, frame(2, G));
    writeBytes(dir / "x0002.bmp", frame(3, R));
    writeBytes(dir / "xx0002.bmp", frame(3, R));
    const std::filesystem::path folder = std::filesystem::current_path();
    std::filesystem::current_path(dir / "");
    const Outcome r = script("choose x0001.bmp\nmenu 1365\nprint state\nchoose xx0001.bmp\nchoose c0001.bmp\nmenu 1366\n"
                             "print state\n");
    std::filesystem::current_path(folder);
    EXPECT_FALSE(has(r.out, "messagebox")) << r.out;
    EXPECT_TRUE(has(r.out, "name=\"x0001.bmp\" mode=24 bpp=24 size=2x1 ")) << r.out;
    EXPECT_TRUE(has(r.out, "name=\"xx0001.bmp\" mode=24 bpp=24 size=2x1 ")) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "c0001.bmp"));
}

// A repaint that takes paintMs of the clock.
class SlowPaint : public BoxPlatform {
public:
    explicit SlowPaint(uint32_t paintMs) : paintMs_(paintMs) {}
    void updateWindow() override {
        shownAt.push_back(tickCount());
        sleepMs(paintMs_);
        BoxPlatform::updateWindow();
    }
    std::vector<uint32_t> shownAt;

private:
    uint32_t paintMs_;
};

// Frames start 50 ms apart, the wait being what is left of the period after the frame's own work; a frame
// slower than the period is followed at once.
TEST(MoviePacing, FramesStartAFramePeriodApart) {
    ScratchDir dir;
    for (int k = 1; k <= 3; ++k) writeBytes(dir / ("m000" + std::to_string(k) + ".bmp"), frame(k, W));
    for (const auto& [paintMs, period] : {std::pair{0u, 50u}, {20u, 50u}, {70u, 70u}}) {
        SlowPaint ui(paintMs);
        vyd::AppState app;
        app.platform = &ui;
        ui.queueChooserAnswer(dir / "m0001.bmp");
        vyd::dispatchCommand(app, 1365);
        ASSERT_EQ(ui.shownAt.size(), 3u) << "paint " << paintMs;
        for (size_t i = 1; i < ui.shownAt.size(); ++i) {
            EXPECT_EQ(ui.shownAt[i] - ui.shownAt[i - 1], period) << "paint " << paintMs << ", frame " << i;
        }
    }
}

}  // namespace
