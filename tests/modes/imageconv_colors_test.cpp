// The colour functions at their thresholds, and the conversions through colours: colour cube, greys,
// black and white, sixteen-colour classes and chequering; the Modes menu's truecolor adjustments (its other
// commands are script cases in tests/app).
#include <gtest/gtest.h>

#include "app/commands_modes.h"
#include "modes/colors.h"
#include "modes/imageconv.h"
#include "support/picture_helpers.h"
#include "support/files.h"
#include "support/box_platform.h"

namespace vyd {
namespace {

constexpr Color grey(uint8_t v) { return makeColor(v, v, v); }

TEST(ColourFunctions, GreyBlackOrWhiteAndSixteenColorClassesAtTheirThresholds) {
    EXPECT_EQ(greyValue(makeColor(102, 101, 100)), 101);
    EXPECT_EQ(greyValue(0xFF000000u | grey(30)), 30);  // the top byte is not a channel
    EXPECT_EQ(blackOrWhite(makeColor(128, 128, 127), 128), 0);
    EXPECT_EQ(blackOrWhite(grey(128), 128), 15);
    EXPECT_EQ(blackOrWhite(grey(0), 0), 15);
    EXPECT_EQ(blackOrWhite(grey(254), 255), 0);
    const std::pair<Color, int> cases[] = {
        {grey(64), 0},   {grey(65), 8},   {grey(160), 8},  {grey(161), 7},
        {grey(223), 7},  {grey(224), 15}, {makeColor(191, 0, 0), 4}, {makeColor(192, 0, 0), 12},
        {makeColor(0, 40, 100), 1},  {makeColor(0, 50, 100), 1},  // green at exactly half does not count
        {makeColor(0, 51, 100), 3},  {makeColor(0, 101, 200), 11},
    };
    for (const auto& [colour, index] : cases) EXPECT_EQ(sixteenColorIndex(colour), index) << std::hex << colour;
}

TEST(ColourFunctions, NearestEntryTiesAndLookups) {
    Image image = testing::makeImage(4, 8, 1, 1);
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad{});
    EXPECT_EQ(nearestPaletteIndex(image, grey(255), true), 0);  // nothing within 9999
    image.palette[40] = RgbQuad(99, 0, 0);  // 99^2 = 9801 from blue 198
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), true), 40);
    image.palette[30] = RgbQuad(198, 0, 99);  // as near, lower index
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), true), 30);
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), false), 9);  // 16-color: the class
    image.mode = kMode256;
    EXPECT_EQ(nearestPaletteIndex(image, makeColor(0, 0, 198), false), 30);

    image.palette[77] = {1, 2, 3, 99};
    EXPECT_EQ(findPaletteColor(image, makeColor(3, 2, 1)), 77);
    EXPECT_EQ(findPaletteColor(image, makeColor(3, 2, 2)), -1);
    EXPECT_EQ(findPaletteColor(testing::makeImage(24, 24, 1, 1), grey(0)), -1);
}

// Levels by q(v) = (5v + 128) >> 8, worked out by hand: 25 -> 0, 26 -> 1, 127 -> 2, 128 -> 3 (2 with the
// alternative rounding), 230 -> 4, 231 -> 5.
TEST(ColourCube, RoundsEachChannelAndDiffersOnlyAt128WithTheAlternative) {
    Image picture = testing::rowImage(24, 24, {128, 0, 0, 255, 128, 26, 25, 127, 230, 231, 255, 0});
    Image cube, alternative;
    ASSERT_EQ(imageconv(picture, cube, kCode256), 1);
    ASSERT_EQ(imageconv(picture, alternative, kCodeCubeAlternative), 1);
    EXPECT_EQ(cube.mode, 8);
    EXPECT_EQ(vydtest::rowOf(cube, 0), (std::vector<uint8_t>{124, 16 + 180 + 18 + 1, 16 + 12 + 4, 16 + 180 + 30}));
    EXPECT_EQ(vydtest::rowOf(alternative, 0), (std::vector<uint8_t>{88, 16 + 180 + 12 + 1, 32, 226}));
    EXPECT_EQ(cube.palette[16 + 180 + 18 + 1], RgbQuad(255, 153, 51));
    EXPECT_EQ(cube.palette[232], RgbQuad(0, 0, 0));  // not written: zero in a fresh record
    EXPECT_EQ(cube.palette[9], testing::defaultQuad(9));

    Image indexed = testing::rowImage(8, 8, {200});
    EXPECT_EQ(imageconv(indexed, alternative, kCodeCubeAlternative), 1);  // a plain copy
    EXPECT_EQ(alternative.row(0)[0], 200);
}

TEST(Greys, EveryChannelSumGivesItsThirdAndIndexedPicturesStayMode8) {
    Image picture = testing::makeImage(24, 24, 766, 1);
    for (int sum = 0; sum < 766; ++sum) {
        uint8_t* p = picture.row(0) + 3 * sum;
        p[0] = uint8_t(std::min(sum, 255));
        p[1] = uint8_t(std::clamp(sum - 255, 0, 255));
        p[2] = uint8_t(std::max(sum - 510, 0));
    }
    Image greys;
    ASSERT_EQ(imageconv(picture, greys, kCodeGreys), 1);
    EXPECT_EQ(greys.mode, 9);
    for (int sum = 0; sum < 766; ++sum) ASSERT_EQ(greys.row(0)[sum], sum / 3) << "sum " << sum;
    EXPECT_EQ(greys.palette[77], RgbQuad(77, 77, 77));

    Image indexed = testing::rowImage(4, 8, {4, 14});  // dark red: grey 56; yellow: grey 170
    ASSERT_EQ(imageconv(indexed, greys, kCodeGreys), 1);
    EXPECT_EQ(greys.mode, 8);
    EXPECT_EQ(vydtest::rowOf(greys, 0), (std::vector<uint8_t>{56, 170}));
    EXPECT_EQ(greys.palette[4], RgbQuad(4, 4, 4));
}

TEST(ClassConversions, TwoColorBySettingAndSixteenColorClasses) {
    Image picture = testing::rowImage(24, 24, {127, 128, 128, 128, 128, 128, 64, 64, 64, 65, 65, 65, 100, 40, 0});
    Image out;
    ModeSettings low;
    low.bwlimit = 22;
    ASSERT_EQ(imageconv(picture, out, kCode2Color, low), 1);
    EXPECT_EQ(vydtest::rowOf(out, 0), (std::vector<uint8_t>{15, 15, 15, 15, 15}));
    ASSERT_EQ(imageconv(picture, out, kCode16Color), 1);
    EXPECT_EQ(out.mode, 4);
    EXPECT_EQ(vydtest::rowOf(out, 0), (std::vector<uint8_t>{8, 8, 0, 8, 1}));

    // From an indexed picture the palette entry decides.
    Image indexed = testing::rowImage(8, 8, {100, 101});
    indexed.palette[100] = RgbQuad(128, 128, 127);
    indexed.palette[101] = RgbQuad(200, 190, 180);
    ASSERT_EQ(imageconv(indexed, out, kCode2Color), 1);
    EXPECT_EQ(vydtest::rowOf(out, 0), (std::vector<uint8_t>{0, 15}));
    ASSERT_EQ(imageconv(indexed, out, kCode16Color), 1);
    EXPECT_EQ(vydtest::rowOf(out, 0), (std::vector<uint8_t>{8, 7}));
    ASSERT_EQ(imageconv(indexed, out, kCodeTrue), 1);
    EXPECT_EQ(vydtest::rowOf(out, 0, 3), (std::vector<uint8_t>{128, 128, 127, 200, 190, 180}));
}

// A uniform 2 x 2 picture chequered; pixels (0,0), (1,0), (0,1), (1,1) with y from the top.
std::vector<uint8_t> chequerOf(uint8_t blue, uint8_t green, uint8_t red) {
    Image picture = testing::makeImage(24, 24, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 6; ++i) picture.row(y)[i] = i % 3 == 0 ? blue : i % 3 == 1 ? green : red;
    Image chequered;
    EXPECT_EQ(imageconv(picture, chequered, kCodeChequer), 2);
    EXPECT_EQ(chequered.mode, 4);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(chequered.palette[i], testing::defaultQuad(i)) << i;
    EXPECT_EQ(chequered.palette[16 * 15 + 8], RgbQuad(170, 170, 170));  // white with dark grey
    return {chequered.row(0)[0], chequered.row(0)[1], chequered.row(1)[0], chequered.row(1)[1]};
}

TEST(Chequer, AlternatesTheTwoDefaultColoursWhoseAverageIsNearest) {
    // Grey 128: the nearest average (127, 127, 127) is black with white; entry 15 (high nibble 0) is lowest.
    EXPECT_EQ(chequerOf(128, 128, 128), (std::vector<uint8_t>{0, 15, 15, 0}));
    EXPECT_EQ(chequerOf(0, 0, 255), (std::vector<uint8_t>{12, 12, 12, 12}));
    // (85, 127, 127) averages 1 (dark blue) and 14 (yellow): entries 30 and 225 tie and 30 wins.
    EXPECT_EQ(chequerOf(85, 127, 127), (std::vector<uint8_t>{1, 14, 14, 1}));
    Image indexed = testing::rowImage(8, 8, {70, 70, 70});
    indexed.palette[70] = RgbQuad(85, 127, 127);
    Image chequered;
    ASSERT_EQ(imageconv(indexed, chequered, kCodeChequer), 1);
    EXPECT_EQ(vydtest::rowOf(chequered, 0), (std::vector<uint8_t>{1, 14, 1}));
}

TEST(ModeCommands, TruecolorAdjustmentsOnlyOnTruecolorAndLeaveTheAlteredFlag) {
    vydtest::BoxPlatform ui;
    AppState app;
    app.platform = &ui;
    Level& level = app.currentLevel();
    level.image = testing::rowImage(24, 24, {0, 56, 57, 198, 199, 255});
    app.modes.from0 = -100;  // v -> -100 + v * 455 / 255, truncated toward zero, clipped
    app.modes.from255 = 355;
    EXPECT_EQ(commandMapFrom0From255(app, 1562), Ending::Refresh);
    EXPECT_EQ(vydtest::rowOf(level.image, 0, 3), (std::vector<uint8_t>{0, 0, 1, 253, 255, 255}));
    app.modes.from0 = 255;
    app.modes.from255 = 0;
    EXPECT_EQ(commandMapFrom0From255(app, 1562), Ending::Refresh);
    EXPECT_EQ(vydtest::rowOf(level.image, 0, 3), (std::vector<uint8_t>{255, 255, 254, 2, 0, 0}));
    EXPECT_EQ(commandToggleTruecolorMark(app, 1540), Ending::Refresh);
    EXPECT_EQ(level.image.mode, 16);
    EXPECT_EQ(commandToggleTruecolorMark(app, 1540), Ending::Refresh);
    EXPECT_EQ(level.image.mode, 24);
    EXPECT_EQ(level.altered, 0);

    level.image = testing::rowImage(8, 8, {200});
    app.modes.bwlimit = 0;
    EXPECT_EQ(commandThresholdByBwlimit(app, 1324), Ending::Refresh);
    commandMapFrom0From255(app, 1562);
    commandToggleTruecolorMark(app, 1540);
    EXPECT_EQ(level.image.row(0)[0], 200);
    EXPECT_EQ(level.image.mode, 8);
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace vyd
