// The colour wash: the equation solver, the fitted colours for known pictures, the key colours, the working
// area, the refusals, Esc and the row titles.
#include <gtest/gtest.h>

#include <cmath>

#include "ops/color_wash.h"
#include "recording_monitor.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::RecordingMonitor;

TEST(SolveEquations, SolvesAKnownSystemForThreeRightHandSides) {
    // A x = b for x = (1, -2, 3), (0, 1, 0) and (2, 2, 2); the largest entries lie off the diagonal, so
    // the rows come back reordered by their pivot columns.
    const double a[3][3] = {{1, 5, 2}, {4, 1, 0}, {2, 3, 7}};
    const double x[3][3] = {{1, -2, 3}, {0, 1, 0}, {2, 2, 2}};
    std::vector<double> rows(3 * 6);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) rows[i * 6 + j] = a[i][j];
        for (int c = 0; c < 3; ++c) {
            double b = 0;
            for (int j = 0; j < 3; ++j) b += a[i][j] * x[c][j];
            rows[i * 6 + 3 + c] = b;
        }
    }
    ASSERT_TRUE(solveEquations(rows, 3));
    for (int k = 0; k < 3; ++k)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(rows[k * 6 + 3 + c], x[c][k], 1e-12) << k << "," << c;
}

TEST(SolveEquations, RefusesSingularSystems) {
    std::vector<double> dependent = {1, 2, 1, 1, 1,  //
                                     2, 4, 2, 2, 2};
    EXPECT_FALSE(solveEquations(dependent, 2));
    std::vector<double> zero(1 * 4, 0.0);
    EXPECT_FALSE(solveEquations(zero, 1));
}

struct WashSetup {
    Image target, level15;
};

Color grey(uint8_t v) { return makeColor(v, v, v); }

TEST(ColorWash, OrderZeroPaintsTheTruncatedMeanOfTheFittedPixels) {
    // Level 15: blue values 10, 20, 31 and one key pixel of each key colour.
    Image level15 = testing::truecolor(5, 1, [](int x, int) {
        const Color c[5] = {makeColor(0, 1, 10), makeColor(0, 2, 20), makeColor(0, 0, 250), makeColor(9, 3, 31),
                            makeColor(0, 0, 251)};
        return c[x];
    });
    level15.leftColor = makeColor(0, 0, 250);
    level15.rightColor = makeColor(0, 0, 251);
    Image target = testing::truecolor(5, 1, [](int, int) { return grey(77); });
    RecordingMonitor monitor;
    ASSERT_EQ(colorWash(target, level15, 0, monitor), WashResult::Painted);
    // Mean: red 3, green 2, blue 20.33 -> 20. The leftColor pixel is painted, the rightColor pixel is not.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(testing::at(target, x, 0), makeColor(3, 2, 20)) << x;
    EXPECT_EQ(testing::at(target, 4, 0), grey(77));
}

TEST(ColorWash, HigherOrdersReproduceAPolynomialField) {
    // Red a linear ramp, green a quadratic one, blue constant; no keys. Orders 1.. fit the ramp; 2.. all.
    const auto field = [](int x, int y) {
        return makeColor(static_cast<uint8_t>(10 + 7 * x + 3 * y), static_cast<uint8_t>((x - y) * (x - y) + 5),
                         200);
    };
    for (int order : {1, 2, 4, 9}) {
        Image level15 = testing::truecolor(12, 9, field);
        Image target = testing::truecolor(12, 9, [](int, int) { return 0u; });
        RecordingMonitor monitor;
        ASSERT_EQ(colorWash(target, level15, order, monitor), WashResult::Painted);
        int worstRed = 0, worstGreen = 0;
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 12; ++x) {
                const Color got = testing::at(target, x, y), want = field(x, y);
                worstRed = std::max(worstRed, std::abs(redOf(got) - redOf(want)));
                worstGreen = std::max(worstGreen, std::abs(greenOf(got) - greenOf(want)));
                EXPECT_EQ(blueOf(got), 199 + (blueOf(got) == 200)) << x << "," << y;
            }
        }
        // Truncation toward zero may lose one unit where the fit lands just below an integer.
        EXPECT_LE(worstRed, 1) << order;
        if (order >= 2) EXPECT_LE(worstGreen, 1) << order;
        else EXPECT_GT(worstGreen, 5);
    }
}

TEST(ColorWash, OnlyTheSharedAreaIsFittedAndPainted) {
    Image level15 = testing::truecolor(3, 2, [](int x, int) { return grey(static_cast<uint8_t>(40 * x)); });
    Image target = testing::truecolor(5, 4, [](int, int) { return grey(9); });
    RecordingMonitor monitor;
    ASSERT_EQ(colorWash(target, level15, 0, monitor), WashResult::Painted);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(testing::at(target, x, y), x < 3 && y < 2 ? grey(40) : grey(9));

    // The other way round: a level 15 larger than the target only takes part over the target's area.
    Image big = testing::truecolor(6, 6, [](int x, int y) { return grey(x < 2 && y < 2 ? 50 : 250); });
    Image small = testing::truecolor(2, 2, [](int, int) { return grey(9); });
    ASSERT_EQ(colorWash(small, big, 0, monitor), WashResult::Painted);
    EXPECT_EQ(testing::at(small, 1, 1), grey(50));
}

TEST(ColorWash, AllKeyPixelsLeaveTheEquationsSingular) {
    Image level15 = testing::truecolor(4, 3, [](int x, int) { return x % 2 ? grey(1) : grey(2); });
    level15.leftColor = grey(1);
    level15.rightColor = grey(2);
    Image target = testing::truecolor(4, 3, [](int, int) { return grey(9); });
    RecordingMonitor monitor;
    EXPECT_EQ(colorWash(target, level15, 2, monitor), WashResult::Singular);
    EXPECT_EQ(testing::at(target, 1, 1), grey(9));
    // The painting pass never started.
    EXPECT_EQ(monitor.titles.size(), 6u);
}

TEST(ColorWash, RowTitlesAndEsc) {
    Image level15 = testing::truecolor(3, 3, [](int, int) { return grey(60); });
    Image target = testing::truecolor(3, 3, [](int, int) { return grey(9); });

    RecordingMonitor plain;
    ASSERT_EQ(colorWash(target, level15, 1, plain), WashResult::Painted);
    const std::vector<std::string> titles = {
        "searching row 0", "<restore>", "searching row 1", "<restore>", "searching row 2", "<restore>",
        "painting row 0",  "<restore>", "painting row 1",  "<restore>", "painting row 2",  "<restore>"};
    EXPECT_EQ(plain.titles, titles);
    EXPECT_EQ(plain.polls, 6);

    // Esc at the second fit row: nothing painted, the title put back.
    target = testing::truecolor(3, 3, [](int, int) { return grey(9); });
    RecordingMonitor stopFit;
    stopFit.stopAtPoll = 1;
    EXPECT_EQ(colorWash(target, level15, 1, stopFit), WashResult::Interrupted);
    EXPECT_EQ(stopFit.titles, std::vector<std::string>(titles.begin(), titles.begin() + 4));
    for (int y = 0; y < 3; ++y) EXPECT_EQ(testing::at(target, 0, y), grey(9));

    // Esc down at the second paint row only: that row is skipped, the others painted, every title shown.
    RecordingMonitor skipRow;
    skipRow.stopOnlyAtPoll = 4;
    EXPECT_EQ(colorWash(target, level15, 1, skipRow), WashResult::Painted);
    EXPECT_EQ(skipRow.titles, titles);
    EXPECT_EQ(testing::at(target, 2, 0), grey(60));
    EXPECT_EQ(testing::at(target, 2, 1), grey(9));
    EXPECT_EQ(testing::at(target, 2, 2), grey(60));
}

TEST(ColorWash, RefusalsInOrder) {
    const auto table = [](int current, int currentBits, int level15Bits) {
        auto levels = std::make_unique<LevelTable>();
        levels->currentIndex = current;
        if (currentBits) createImage(levels->current().image, -1, currentBits, 2, 2);
        if (level15Bits) createImage((*levels)[15].image, -1, level15Bits, 2, 2);
        return levels;
    };
    EXPECT_EQ(washRefusal(*table(3, 24, 24)), WashRefusal::None);
    EXPECT_EQ(washRefusal(*table(3, 0, 24)), WashRefusal::NotTruecolor);
    EXPECT_EQ(washRefusal(*table(3, 24, 0)), WashRefusal::NotTruecolor);
    EXPECT_EQ(washRefusal(*table(3, 8, 24)), WashRefusal::NotTruecolor);
    EXPECT_EQ(washRefusal(*table(3, 24, 8)), WashRefusal::NotTruecolor);
    EXPECT_EQ(washRefusal(*table(15, 24, 24)), WashRefusal::OnLevel15);
    EXPECT_EQ(washRefusal(*table(15, 8, 8)), WashRefusal::NotTruecolor);
    EXPECT_STREQ(washRefusalText(WashRefusal::NotTruecolor), "this image & 15 must be truecolor");
    EXPECT_STREQ(washRefusalText(WashRefusal::OnLevel15), "I can't make a wash on image 15");
}

}  // namespace
}  // namespace vyd
