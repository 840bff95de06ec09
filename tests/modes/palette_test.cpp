// The palette check after reading, and the repairs.
#include <gtest/gtest.h>

#include "modes/palette_diagnosis.h"
#include "modes/palette_repair.h"
#include "modes_test_util.h"

namespace vyd {
namespace {

constexpr const char* kNonstandard = "This image's palette is nonstandard and may upset mode-conversions etc.";

Image sixteenColorPicture() { return test::makeImage(4, 8, 4, 2); }

// Entry i of the palette takes default colour order[i].
void reorder(Image& image, const std::array<int, 16>& order) {
    for (int i = 0; i < 16; ++i) image.palette[i] = test::defaultQuad(order[i]);
}

std::vector<std::string> texts(const Image& image) {
    std::vector<std::string> out;
    for (const auto& m : paletteDiagnosis(image)) {
        EXPECT_EQ(m.flags, MB_OK | MB_ICONEXCLAMATION);
        out.push_back(m.text);
    }
    return out;
}

TEST(PaletteDiagnosis, DefaultPaletteAndOtherModesSayNothing) {
    Image image = sixteenColorPicture();
    EXPECT_TRUE(paletteDiagnosis(image).empty());
    Image indexed = test::makeImage(8, 8, 2, 2);
    std::fill(std::begin(indexed.palette), std::end(indexed.palette), RgbQuad{});
    EXPECT_TRUE(paletteDiagnosis(indexed).empty());
}

TEST(PaletteDiagnosis, ZeroedPaletteGivesOnlyItsOwnMessage) {
    Image image = sixteenColorPicture();
    // Dark but not zero: no channel above 64 still counts as zeroed.
    for (int i = 0; i < 16; ++i) image.palette[i] = test::quad(64, uint8_t(i * 4), 0);
    const auto messages = paletteDiagnosis(image);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "This PCX image shows all black because its palette somehow got zeroed.");
    EXPECT_EQ(messages[0].text,
              "To rectify this, call `Editing', `standardize palette', then `Files', `Write'. If the PCX file was "
              "version 5, you may also have to call `swop red & blue' and/or `swop the greys'. Until then, do not "
              "use any other graphics handling program on the file, or that may zero the image also to all black.");
}

TEST(PaletteDiagnosis, NamesGreySwapRedBlueSwapBothOrNeither) {
    const std::array<int, 16> greys = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 14, 15};
    const std::array<int, 16> redBlue = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
    const std::array<int, 16> both = {0, 4, 2, 6, 1, 5, 3, 8, 7, 12, 10, 14, 9, 13, 11, 15};
    const std::array<int, 16> scrambled = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    Image image = sixteenColorPicture();

    reorder(image, greys);
    EXPECT_EQ(texts(image), std::vector<std::string>{"the greys are swopped"});
    EXPECT_EQ(paletteDiagnosis(image)[0].caption, kNonstandard);

    reorder(image, redBlue);
    EXPECT_EQ(texts(image), std::vector<std::string>{"the red and blue bits are swopped all through"});

    reorder(image, both);
    EXPECT_EQ(texts(image),
              (std::vector<std::string>{"the greys are swopped", "the red and blue bits are swopped all through"}));

    reorder(image, scrambled);
    EXPECT_EQ(texts(image), std::vector<std::string>{"try `show header' option to see what you've got"});
    EXPECT_EQ(paletteDiagnosis(image)[0].caption, kNonstandard);
}

TEST(PaletteRepair, SwopsUseTheLowNibbleAndUndoThemselves) {
    Image image = test::makeImage(4, 8, 3, 2);
    const uint8_t top[3] = {7, 0x18, 1};
    const uint8_t bottom[3] = {15, 0, 0x9C};
    std::copy(top, top + 3, image.row(0));
    std::copy(bottom, bottom + 3, image.row(1));
    const std::vector<uint8_t> before(image.pixels.data(), image.pixels.data() + image.pixelBytes());

    swopPixelIndices(image, kGreySwopTable);
    EXPECT_EQ(test::rowBytes(image, 0, 3), (std::vector<uint8_t>{8, 7, 1}));
    EXPECT_EQ(test::rowBytes(image, 1, 3), (std::vector<uint8_t>{15, 0, 12}));
    // Padding bytes are swopped too (0xCD -> entry 13).
    EXPECT_EQ(image.row(0)[3], 13);
    swopPixelIndices(image, kRedBlueSwopTable);
    EXPECT_EQ(test::rowBytes(image, 0, 3), (std::vector<uint8_t>{8, 7, 4}));
    EXPECT_EQ(test::rowBytes(image, 1, 3), (std::vector<uint8_t>{15, 0, 9}));

    // A second run of each restores every byte that was already an index below 16.
    Image small = test::makeImage(4, 8, 16, 1);
    for (int x = 0; x < 16; ++x) small.row(0)[x] = static_cast<uint8_t>(x);
    for (const auto* table : {&kGreySwopTable, &kRedBlueSwopTable}) {
        swopPixelIndices(small, *table);
        swopPixelIndices(small, *table);
        for (int x = 0; x < 16; ++x) EXPECT_EQ(small.row(0)[x], x);
    }
}

TEST(PaletteRepair, StandardizeResetsOnlyTheFirstSixteenEntries) {
    Image image = sixteenColorPicture();
    std::fill(std::begin(image.palette), std::end(image.palette), test::quad(1, 2, 3));
    image.palette[5].rgbReserved = 9;
    image.row(0)[0] = 0x47;
    standardizePalette(image);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image.palette[i], test::defaultQuad(i)) << i;
    EXPECT_EQ(image.palette[16], test::quad(1, 2, 3));
    EXPECT_EQ(image.row(0)[0], 0x47);
}

TEST(PaletteRepair, AcceptsOnlyTwoAndSixteenColorPicturesWithPixels) {
    EXPECT_TRUE(acceptsPaletteRepair(test::makeImage(1, 8, 1, 1)));
    EXPECT_TRUE(acceptsPaletteRepair(test::makeImage(4, 8, 1, 1)));
    EXPECT_FALSE(acceptsPaletteRepair(test::makeImage(8, 8, 1, 1)));
    EXPECT_FALSE(acceptsPaletteRepair(test::makeImage(24, 24, 1, 1)));
    EXPECT_FALSE(acceptsPaletteRepair(Image{}));
}

}  // namespace
}  // namespace vyd
