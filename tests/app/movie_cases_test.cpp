// Movies through scripts (frames read, what ends them, copies written), and frame pacing on the headless clock.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "support/box_platform.h"
#include "support/script_cases.h"

using namespace vydtest;

namespace {

const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;

// Frames of different widths follow each other; each title line shows a frame's size as it is read.
std::string play(const std::string& first) { return "choose \"$D/" + first + "\"\nmenu 1365\nprint state\n"; }
std::string state(const std::string& name, int w) {
    return "level 0 current altered=0 name=\"$D/" + name + "\" mode=24 bpp=24 size=" + std::to_string(w) + "x1 ";
}
// The first frame chosen, read and titled, then the state: no box and no other frame in between.
std::string alone(const std::string& name, int w) {
    return "-> \"$D/" + name + "\"\ntitle ...\ntitle ...\ntitle ...\n" + state(name, w);
}
std::string pcx(const std::string& from, const std::string& to) {
    return "drop \"$D/" + from + "\"\nsave level 0 \"$D/" + to + "\"\n";
}

const ScriptCase kMovies[] = {
    {"PlaysToTheMissingFrameAndKeepsTheLast",
     {{"m0008.bmp", flat24(1, 1, R)}, {"m0009.bmp", flat24(2, 1, G)}, {"m0010.bmp", flat24(3, 1, B)},
      {"m0011.bmp", flat24(4, 1, R)}, {"m0012.bmp", flat24(5, 1, G)}},
     play("m0008.bmp") + "save level 0 \"$D/o.bmp\"\n",
     {"1*1\"", "2*1\"", "3*1\"", "4*1\"", "5*1\"",
      warningBox("none", "movie finished: next frame after the last frame would have been", "$D/m0013.bmp"),
      state("m0008.bmp", 5)},
     {{"o.bmp", {G, G, G, G, G}}}},
    {"NoNextNumberShowsTheFirstFrameAlone",
     {{"m9999.bmp", flat24(2, 1, G)}, {"m12a4.bmp", flat24(2, 1, G)}, {"m12a5.bmp", flat24(3, 1, R)}},
     play("m9999.bmp") + play("m12a4.bmp"), {alone("m9999.bmp", 2), alone("m12a4.bmp", 2)}},
    // PCX frames 0005..0007 copied to BMP files numbered from 0100: one per frame read, and no more.
    {"CopyNumbersFromTheCopysFirstName",
     {{"r.bmp", flat24(1, 1, R)}, {"g.bmp", flat24(2, 1, G)}, {"b.bmp", flat24(3, 1, B)}},
     pcx("r.bmp", "m0005.pcx") + pcx("g.bmp", "m0006.pcx") + pcx("b.bmp", "m0007.pcx") +
         "choose \"$D/m0005.pcx\"\nchoose \"$D/c0100.bmp\"\nmenu 1366\ndrop \"$D/c0103.bmp\"\n",
     {warningBox("none", "I can't open this file", "$D/m0008.pcx"),
      warningBox("none", "I can't open this file", "$D/c0103.bmp")},
     {{"c0100.bmp", {R}}, {"c0101.bmp", {G, G}}, {"c0102.bmp", {B, B, B}}}},
    // A copy that cannot be written stops at its first failure, the first frame still in the level.
    {"CopyStopsAtTheFirstFailedWrite", {{"m0001.bmp", flat24(1, 1, R)}, {"m0002.bmp", flat24(2, 1, G)}},
     "choose \"$D/m0001.bmp\"\nchoose \"$D/no/c0001.bmp\"\nmenu 1366\nprint state\n",
     {"title \"writing to file\"\nmessagebox ...\ntitle ...\n" + state("m0001.bmp", 1)}},
    // A composition file is handed to its reader: no image read is tried.
    {"CompositionFileIsNotReadAsAFrame", {}, "choose \"$D/film0001.VYD\"\nmenu 1365\n", {"-> \"$D/film0001.VYD\"\n", "<end>"}},
};

class Movies : public testing::TestWithParam<ScriptCase> {};
TEST_P(Movies, TranscriptAndSavedPicture) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Movies, testing::ValuesIn(kMovies),
                         [](const auto& info) { return std::string(info.param.name); });

// A repaint that takes paintMs of the clock.
struct SlowPaint : BoxPlatform {
    explicit SlowPaint(uint32_t ms) : paintMs(ms) {}
    void updateWindow() override { shownAt.push_back(tickCount()), sleepMs(paintMs), BoxPlatform::updateWindow(); }
    uint32_t paintMs;
    std::vector<uint32_t> shownAt;
};

// Frames start a period of 50 ms apart, the wait being what the frame's own work left of it.
TEST(MoviePacing, FramesStartAPeriodApart) {
    ScratchDir dir;
    for (int k = 1; k <= 3; ++k) writeBytes(dir / ("m000" + std::to_string(k) + ".bmp"), flat24(k, 1, R));
    for (const auto& [paintMs, period] : {std::pair{0u, 50u}, {20u, 50u}, {70u, 70u}}) {
        SlowPaint ui(paintMs);
        vyd::AppState app;
        app.platform = &ui;
        ui.queueChooserAnswer(dir / "m0001.bmp");
        vyd::dispatchCommand(app, 1365);
        EXPECT_EQ(ui.shownAt, (std::vector<uint32_t>{0, period, 2 * period})) << "paint " << paintMs;
    }
}

}  // namespace
