// The Editing-menu edits on small pictures: worked examples computed by hand, and refusals that keep the picture.
#include <gtest/gtest.h>

#include <string>

#include "ops/geometry_edits.h"
#include "ops/line_edits.h"
#include "ops/pixel_edits.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::at;
using Rows = std::vector<std::string>;

// Rows from the top as strings of hexadecimal digits (indices) of an 8-bit picture.
Image fromRows(int mode, const std::vector<std::string>& rows) {
    return testing::indexed(mode, int(rows[0].size()), int(rows.size()),
                   [&](int x, int y) { return uint8_t(std::stoi(rows[y].substr(x, 1), nullptr, 16)); });
}
Rows rowsOf(const Image& image) {
    Rows rows(image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) rows[y] += "0123456789abcdef"[at(image, x, y) & 15];
    return rows;
}

TEST(LineDrawing, MarksChangesBlackOnWhiteAndDropsEdgesSurroundedByEdges) {
    const std::vector<std::pair<Rows, Rows>> cases = {
        {{"333", "333"}, {"fff", "fff"}},
        {{"1122", "1122", "1122"}, {"ffff", "ff0f", "ff0f"}},
    };
    for (const auto& [in, out] : cases) {
        Image image = fromRows(kMode256, in);
        ASSERT_TRUE(makeLineDrawing(image));
        EXPECT_EQ(rowsOf(image), out) << in[0];
    }
}

TEST(Geometry, FlipsAndQuarterTurnsMovePixelsToTheirPlaces) {
    Image image = testing::truecolor(3, 2, [](int x, int y) { return testing::coded(x, y); });
    ASSERT_TRUE(flipLeftRight(image));
    EXPECT_EQ(at(image, 0, 1), testing::coded(2, 1));
    EXPECT_EQ(at(image, 1, 1), testing::coded(1, 1));
    image.rightColor = 0x42;
    ASSERT_TRUE(rotateRight(image));
    EXPECT_EQ(image.rightColor, kNoColor);
    Image odd = fromRows(kMode16, {"12", "34", "56"});
    flipTopBottom(odd);
    EXPECT_EQ(rowsOf(odd), (Rows{"56", "34", "12"}));
    ASSERT_TRUE(rotateRight(odd));
    EXPECT_EQ(rowsOf(odd), (Rows{"135", "246"}));
}

TEST(Halving, BlackWinsEachBlockAndRefusalsKeepThePicture) {
    Image two = fromRows(kMode2, {"ff0ff", "fffff", "ffff0", "f0fff"});
    ASSERT_EQ(halveBlackWins(two), HalveResult::Done);
    EXPECT_EQ(rowsOf(two), (Rows{"f0", "0f"}));  // the fifth column is dropped
    Image many = fromRows(kMode256, {"79f7", "8377"});
    many.palette[7] = {255, 255, 255, 0};
    ASSERT_EQ(halveBlackWins(many), HalveResult::Done);  // entry 7 is the first white one
    EXPECT_EQ(rowsOf(many), (Rows{"9f"}));
    EXPECT_EQ(many.palette[7], (RgbQuad{255, 255, 255, 0}));
    Image noWhite = fromRows(kMode256, {"11", "11"});
    noWhite.palette[15] = {};
    EXPECT_EQ(halveBlackWins(noWhite), HalveResult::NoWhite);
}

TEST(Trimming, CutsToTheOpaqueBoxKeepingColours) {
    Image image = fromRows(kMode256, {"5555", "5595", "5575", "5555"});
    image.palette[5] = {10, 20, 30, 0}, image.palette[9] = {1, 1, 1, 0};
    image.leftColor = 0x1E140A;
    ASSERT_TRUE(trimTransparentEdges(image));
    EXPECT_EQ(rowsOf(image), (Rows{"9", "7"}));
    EXPECT_EQ(image.palette[9], (RgbQuad{1, 1, 1, 0}));
    EXPECT_EQ(image.leftColor, 0x1E140Au);
    Image clear = testing::truecolor(2, 2, [](int, int) { return 0x0000FFu; });
    clear.leftColor = 0x0000FF;
    EXPECT_FALSE(trimTransparentEdges(clear));
    clear.leftColor = kNoColor;
    EXPECT_FALSE(trimTransparentEdges(clear));
    EXPECT_EQ(clear.width(), 2);
}

TEST(PixelEdits, TruecolorChannelsFollowTheirRules) {
    struct Case { const char* name; Color before, after; bool (*edit)(Image&); };
    const Case cases[] = {
        {"brightest", 0x10A030, 0xA0A0A0, setToBrightestChannel},
        {"darkest", 0x10A030, 0x101010, setToDarkestChannel},
        {"reverse", 0x10A030, 0xEF5FCF, reverseColors},
    };
    for (const Case& c : cases) {
        Image image = testing::truecolor(1, 2, [&](int, int) { return c.before; });
        ASSERT_TRUE(c.edit(image)) << c.name;
        EXPECT_EQ(at(image, 0, 1), c.after) << c.name;  // the bottom row too
    }
}

TEST(PixelEdits, IndexedEdits) {
    Image grey = fromRows(kMode256, {"123"});
    grey.palette[1] = {128, 128, 128, 0}, grey.palette[2] = {127, 128, 128, 0}, grey.palette[3] = {255, 255, 255, 0};
    ASSERT_EQ(whitenAboveLimit(grey, 128), EditResult::Done);
    EXPECT_EQ(rowsOf(grey), (Rows{"323"}));  // grey 128 counts as brighter, 127 does not

    Image sixteen = fromRows(kMode16, {"0f9"});  // no leftColor: its class is 15, so white stays
    ASSERT_EQ(makeNonBackground(sixteen, false), EditResult::Done);
    EXPECT_EQ(rowsOf(sixteen), (Rows{"0f0"}));
    Image reversed = fromRows(kMode2, {"0f"});
    ASSERT_TRUE(reverseColors(reversed));
    EXPECT_EQ(rowsOf(reversed), (Rows{"f0"}));
}

}  // namespace
}  // namespace vyd
