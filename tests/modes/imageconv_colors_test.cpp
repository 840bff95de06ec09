// Conversions through colours: colour cube, greys, thresholds, sixteen-colour classes and chequering.
#include <gtest/gtest.h>

#include "modes/imageconv.h"
#include "modes_test_util.h"

namespace vyd {
namespace {

using test::makeImage;
using test::quad;
using test::setTruecolor;

// A one-row truecolor picture of the given (blue, green, red) pixels.
Image truecolorRow(std::initializer_list<std::array<uint8_t, 3>> pixels) {
    Image image = makeImage(24, 24, static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (const auto& p : pixels) setTruecolor(image, x++, 0, p[0], p[1], p[2]);
    return image;
}

// Channel levels by q(v) = (5v + 128) >> 8, worked out by hand: 25 -> 0, 26 -> 1, 127 -> 2, 128 -> 3
// (2 with the alternative rounding), 230 -> 4, 231 -> 5.
TEST(ColourCube, RoundsEachChannelAndDiffersOnlyAt128WithTheAlternative) {
    Image picture = truecolorRow({{128, 0, 0}, {255, 128, 26}, {25, 127, 230}, {231, 255, 0}});
    Image cube, alternative;
    ASSERT_EQ(imageconv(picture, cube, 1544), 1);
    ASSERT_EQ(imageconv(picture, alternative, kCodeCubeAlternative), 1);
    EXPECT_EQ(cube.mode, 8);
    EXPECT_EQ(cube.bitCount(), 8);
    const uint8_t* c = cube.row(0);
    const uint8_t* a = alternative.row(0);
    EXPECT_EQ(c[0], 16 + 36 * 3);
    EXPECT_EQ(a[0], 16 + 36 * 2);
    EXPECT_EQ(c[1], 16 + 36 * 5 + 6 * 3 + 1);
    EXPECT_EQ(a[1], 16 + 36 * 5 + 6 * 2 + 1);
    EXPECT_EQ(c[2], 16 + 0 + 6 * 2 + 4);
    EXPECT_EQ(a[2], c[2]);
    EXPECT_EQ(c[3], 16 + 36 * 5 + 6 * 5);
    EXPECT_EQ(a[3], c[3]);

    EXPECT_EQ(cube.palette[16 + 36 * 5 + 6 * 3 + 1], quad(255, 153, 51));
    EXPECT_EQ(cube.palette[231], quad(255, 255, 255));
    EXPECT_EQ(cube.palette[232], quad(0, 0, 0));  // not written: zero in a fresh record
    EXPECT_EQ(cube.palette[9], test::defaultQuad(9));
}

TEST(ColourCube, AlternativeFromAnIndexedPictureIsAPlainCopy) {
    Image indexed = makeImage(8, 8, 3, 2);
    indexed.row(0)[1] = 200;
    Image out;
    EXPECT_EQ(imageconv(indexed, out, kCodeCubeAlternative), 1);
    EXPECT_EQ(out.row(0)[1], 200);
}

TEST(Greys, TruecolorGivesMode9AndIndexedGivesMode8WithTheRamp) {
    Image picture = truecolorRow({{0, 1, 1}, {255, 255, 254}, {100, 101, 102}});
    Image greys;
    ASSERT_EQ(imageconv(picture, greys, kCodeGreys), 1);
    EXPECT_EQ(greys.mode, 9);
    EXPECT_EQ(test::rowBytes(greys, 0, 3), (std::vector<uint8_t>{0, 254, 101}));
    EXPECT_EQ(greys.palette[0], quad(0, 0, 0));
    EXPECT_EQ(greys.palette[77], quad(77, 77, 77));
    EXPECT_EQ(greys.palette[255], quad(255, 255, 255));

    Image indexed = makeImage(4, 8, 2, 1);
    indexed.row(0)[0] = 4;   // dark red (0, 0, 0xAA): grey 56
    indexed.row(0)[1] = 14;  // yellow (0, 0xFF, 0xFF): grey 170
    Image fromIndexed;
    ASSERT_EQ(imageconv(indexed, fromIndexed, kCodeGreys), 1);
    EXPECT_EQ(fromIndexed.mode, 8);
    EXPECT_EQ(fromIndexed.bitCount(), 8);
    EXPECT_EQ(test::rowBytes(fromIndexed, 0, 2), (std::vector<uint8_t>{56, 170}));
    EXPECT_EQ(fromIndexed.palette[4], quad(4, 4, 4));
}

// Every channel sum from 0 to 765 gives its truncated third.
TEST(Greys, EveryChannelSumGivesItsTruncatedThird) {
    Image picture = makeImage(24, 24, 766, 1);
    for (int sum = 0; sum < 766; ++sum) {
        setTruecolor(picture, sum, 0, uint8_t(std::min(sum, 255)), uint8_t(std::clamp(sum - 255, 0, 255)),
                     uint8_t(std::max(sum - 510, 0)));
    }
    Image greys;
    ASSERT_EQ(imageconv(picture, greys, kCodeGreys), 1);
    for (int sum = 0; sum < 766; ++sum) ASSERT_EQ(greys.row(0)[sum], sum / 3) << "sum " << sum;
}

TEST(TwoColor, ThresholdFollowsTheBwlimitSetting) {
    Image picture = truecolorRow({{127, 128, 128}, {128, 128, 128}, {0, 0, 60}});
    Image bw;
    ASSERT_EQ(imageconv(picture, bw, 1601), 1);
    EXPECT_EQ(bw.mode, 1);
    EXPECT_EQ(bw.bitCount(), 8);
    EXPECT_EQ(test::rowBytes(bw, 0, 3), (std::vector<uint8_t>{0, 15, 0}));
    ModeSettings low;
    low.bwlimit = 20;
    ASSERT_EQ(imageconv(picture, bw, 1601, low), 1);
    EXPECT_EQ(test::rowBytes(bw, 0, 3), (std::vector<uint8_t>{15, 15, 15}));

    // From an indexed picture the palette entry's grey decides.
    Image indexed = makeImage(8, 8, 2, 1);
    indexed.palette[100] = quad(128, 128, 127);
    indexed.palette[101] = quad(128, 128, 128);
    indexed.row(0)[0] = 100;
    indexed.row(0)[1] = 101;
    ASSERT_EQ(imageconv(indexed, bw, 1601), 1);
    EXPECT_EQ(test::rowBytes(bw, 0, 2), (std::vector<uint8_t>{0, 15}));
}

TEST(SixteenColor, ClassesOfPixelsOrPaletteEntries) {
    Image picture = truecolorRow({{64, 64, 64}, {65, 65, 65}, {0, 0, 191}, {0, 0, 192}, {100, 40, 0}});
    Image sixteen;
    ASSERT_EQ(imageconv(picture, sixteen, 1604), 1);
    EXPECT_EQ(sixteen.mode, 4);
    EXPECT_EQ(test::rowBytes(sixteen, 0, 5), (std::vector<uint8_t>{0, 8, 4, 12, 1}));

    Image indexed = makeImage(8, 8, 1, 1);
    indexed.palette[33] = quad(200, 200, 200);
    indexed.row(0)[0] = 33;
    ASSERT_EQ(imageconv(indexed, sixteen, 1604), 1);
    EXPECT_EQ(sixteen.row(0)[0], 7);
}

TEST(Truecolor, IndexedPixelsTakeTheirPaletteColours) {
    Image indexed = makeImage(8, 8, 2, 1);
    indexed.palette[9] = quad(1, 2, 3);
    indexed.palette[250] = quad(250, 251, 252);
    indexed.row(0)[0] = 250;
    indexed.row(0)[1] = 9;
    indexed.leftColor = 0x010203;
    Image truecolor;
    ASSERT_EQ(imageconv(indexed, truecolor, 1560), 1);
    EXPECT_EQ(truecolor.mode, 24);
    EXPECT_EQ(test::rowBytes(truecolor, 0, 6), (std::vector<uint8_t>{250, 251, 252, 1, 2, 3}));
    EXPECT_EQ(truecolor.leftColor, 0x010203u);
    EXPECT_EQ(truecolor.rightColor, kNoColor);
}

// Uniform pictures 2 x 2, pixel (x, y) with y from the top.
std::vector<uint8_t> chequerOf(uint8_t blue, uint8_t green, uint8_t red) {
    Image picture = makeImage(24, 24, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) setTruecolor(picture, x, y, blue, green, red);
    Image chequered;
    EXPECT_EQ(imageconv(picture, chequered, 1636), 2);
    EXPECT_EQ(chequered.mode, 4);
    EXPECT_EQ(chequered.palette[15], test::defaultQuad(15));
    return {chequered.row(0)[0], chequered.row(0)[1], chequered.row(1)[0], chequered.row(1)[1]};
}

TEST(Chequer, AlternatesTheTwoDefaultColoursWhoseAverageIsNearest) {
    // Grey 128: the nearest average (127, 127, 127) is black with white; entry 15 (high nibble 0) is lowest.
    EXPECT_EQ(chequerOf(128, 128, 128), (std::vector<uint8_t>{0, 15, 15, 0}));
    // Pure red is the average of bright red with itself.
    EXPECT_EQ(chequerOf(0, 0, 255), (std::vector<uint8_t>{12, 12, 12, 12}));
    // (85, 127, 127) is the average of 1 (dark blue) and 14 (yellow): entries 30 and 225 tie, 30 wins,
    // so even squares take 1 and odd squares 14.
    EXPECT_EQ(chequerOf(85, 127, 127), (std::vector<uint8_t>{1, 14, 14, 1}));
}

TEST(Chequer, PaletteHoldsAveragesAboveTheDefaultSixteen) {
    Image indexed = makeImage(8, 8, 3, 1);
    indexed.palette[70] = quad(85, 127, 127);
    indexed.row(0)[0] = indexed.row(0)[1] = indexed.row(0)[2] = 70;
    Image chequered;
    ASSERT_EQ(imageconv(indexed, chequered, 1636), 1);
    EXPECT_EQ(test::rowBytes(chequered, 0, 3), (std::vector<uint8_t>{1, 14, 1}));
    EXPECT_EQ(chequered.palette[30], quad(85, 127, 127));
    EXPECT_EQ(chequered.palette[16 * 15 + 8], quad(170, 170, 170));  // white with dark grey
    for (int i = 0; i < 16; ++i) EXPECT_EQ(chequered.palette[i], test::defaultQuad(i)) << i;
}

// Row padding of a converted picture is cleared (files written from it carry no stale bytes).
TEST(Rows, EveryRowIsWrittenAndPaddingCleared) {
    Image picture = makeImage(24, 24, 5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) setTruecolor(picture, x, y, uint8_t(40 * y), 0, 0);
    Image greys;
    ASSERT_EQ(imageconv(picture, greys, kCodeGreys), 3);
    ASSERT_EQ(greys.stride, 8);
    for (int y = 0; y < 3; ++y) {
        const uint8_t expected = static_cast<uint8_t>(40 * y / 3);
        EXPECT_EQ(test::rowBytes(greys, y, 8),
                  (std::vector<uint8_t>{expected, expected, expected, expected, expected, 0, 0, 0}));
    }
}

}  // namespace
}  // namespace vyd
