// The colour wash: fitted colours (which need the equations solved in order), key colours, working area,
// refusals, Esc, row titles and unsolvable equations.
#include <gtest/gtest.h>

#include "ops/color_wash.h"
#include "recording_monitor.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::RecordingMonitor;

Color grey(int v) { return makeColor(static_cast<uint8_t>(v), static_cast<uint8_t>(v), static_cast<uint8_t>(v)); }
Image plain(int w, int h, Color c) { return testing::truecolor(w, h, [=](int, int) { return c; }); }

TEST(ColorWash, OrderZeroPaintsTheMeanOfTheFittedPixelsOverTheSharedArea) {
    const Color c[5] = {makeColor(0, 1, 10), makeColor(0, 2, 20), makeColor(0, 0, 250), makeColor(9, 3, 31),
                        makeColor(0, 0, 251)};
    Image level15 = testing::truecolor(5, 1, [&](int x, int) { return c[x]; });
    level15.leftColor = c[2], level15.rightColor = c[4];
    Image target = plain(5, 1, grey(77));
    RecordingMonitor monitor;
    ASSERT_EQ(colorWash(target, level15, 0, monitor), WashResult::Painted);
    // Red 3, green 2, blue 20.33: the leftColor pixel is painted but not fitted, the rightColor one is left.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(testing::at(target, x, 0), makeColor(3, 2, 20)) << x;
    EXPECT_EQ(testing::at(target, 4, 0), grey(77));

    // Only the area both pictures cover takes part, whichever is smaller.
    level15 = testing::truecolor(3, 2, [](int x, int) { return grey(40 * x); });
    target = plain(5, 4, grey(9));
    ASSERT_EQ(colorWash(target, level15, 0, monitor), WashResult::Painted);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(testing::at(target, x, y), x < 3 && y < 2 ? grey(40) : grey(9));
    Image big = testing::truecolor(6, 6, [](int x, int y) { return grey(x < 2 && y < 2 ? 50 : 250); });
    Image small = plain(2, 2, grey(9));
    ASSERT_EQ(colorWash(small, big, 0, monitor), WashResult::Painted);
    EXPECT_EQ(testing::at(small, 1, 1), grey(50));
}

TEST(ColorWash, ReproducesPolynomialFieldsOfItsOrder) {
    // Red linear, green quadratic, blue constant. Truncation may lose one unit.
    const auto field = [](int x, int y) {
        return makeColor(static_cast<uint8_t>(10 + 7 * x + 3 * y), static_cast<uint8_t>((x - y) * (x - y) + 5), 200);
    };
    for (int order : {1, 2, 9}) {
        Image level15 = testing::truecolor(12, 9, field), target = plain(12, 9, 0);
        RecordingMonitor monitor;
        ASSERT_EQ(colorWash(target, level15, order, monitor), WashResult::Painted);
        int red = 0, green = 0, blue = 0;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x) {
                const Color got = testing::at(target, x, y), want = field(x, y);
                red = std::max(red, std::abs(redOf(got) - redOf(want)));
                green = std::max(green, std::abs(greenOf(got) - greenOf(want)));
                blue = std::max(blue, std::abs(blueOf(got) - blueOf(want)));
            }
        EXPECT_LE(std::max(red, blue), 1) << order;
        EXPECT_EQ(green > 5, order < 2) << order;
    }
}

TEST(ColorWash, RowTitlesEscAndSingularEquations) {
    const Image level15 = plain(3, 3, grey(60));
    Image target = plain(3, 3, grey(9));
    const std::vector<std::string> titles = {
        "searching row 0", "<restore>", "searching row 1", "<restore>", "searching row 2", "<restore>",
        "painting row 0",  "<restore>", "painting row 1",  "<restore>", "painting row 2",  "<restore>"};
    RecordingMonitor fitStop;  // Esc at the second fit row: nothing painted
    fitStop.stopFrom = 1;
    EXPECT_EQ(colorWash(target, level15, 1, fitStop), WashResult::Interrupted);
    EXPECT_EQ(fitStop.titles, std::vector<std::string>(titles.begin(), titles.begin() + 4));
    EXPECT_EQ(testing::at(target, 0, 0), grey(9));

    RecordingMonitor skipRow;  // Esc down at the second paint row only: that row is skipped
    skipRow.stopOnly = 4;
    EXPECT_EQ(colorWash(target, level15, 1, skipRow), WashResult::Painted);
    EXPECT_EQ(skipRow.titles, titles);
    EXPECT_EQ(skipRow.polls, 6);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(testing::at(target, 2, y), grey(y == 1 ? 9 : 60));

    Image keys = testing::truecolor(4, 3, [](int x, int) { return grey(1 + x % 2); });  // every pixel a key
    keys.leftColor = grey(1), keys.rightColor = grey(2);
    RecordingMonitor monitor;
    EXPECT_EQ(colorWash(target, keys, 2, monitor), WashResult::Singular);
    EXPECT_EQ(monitor.titles.size(), 6u);  // no painting pass
    EXPECT_EQ(testing::at(target, 2, 0), grey(60));
}

// Their texts are checked where the window shows them (the gesture cases).
TEST(ColorWash, RefusalsInOrder) {
    const auto refusal = [](int current, int currentBits, int level15Bits) {
        auto levels = std::make_unique<LevelTable>();
        levels->currentIndex = current;
        if (currentBits) createImage(levels->current().image, -1, currentBits, 2, 2);
        if (level15Bits) createImage((*levels)[15].image, -1, level15Bits, 2, 2);
        return washRefusal(*levels);
    };
    EXPECT_EQ(refusal(3, 24, 24), WashRefusal::None);
    for (auto [current, bits] : {std::pair{0, 24}, {24, 0}, {8, 24}, {24, 8}})
        EXPECT_EQ(refusal(3, current, bits), WashRefusal::NotTruecolor) << current << " " << bits;
    EXPECT_EQ(refusal(15, 24, 24), WashRefusal::OnLevel15);
    EXPECT_EQ(refusal(15, 8, 8), WashRefusal::NotTruecolor);
}

}  // namespace
}  // namespace vyd
