// The palette check after reading, and the repairs.
#include <gtest/gtest.h>

#include "modes/palette_diagnosis.h"
#include "modes/palette_repair.h"
#include "support/picture_helpers.h"
#include "support/files.h"

namespace vyd {
namespace {

// The texts the check gives for a 16-color picture whose entry i holds default colour order[i].
std::vector<std::string> diagnosisOf(const std::array<int, 16>& order) {
    Image image = testing::makeImage(4, 8, 2, 2);
    for (int i = 0; i < 16; ++i) image.palette[i] = testing::defaultQuad(order[i]);
    std::vector<std::string> texts;
    for (const auto& m : paletteDiagnosis(image)) texts.push_back(m.text);
    return texts;
}

TEST(PaletteDiagnosis, NamesGreySwapRedBlueSwapBothOrNeither) {
    using Texts = std::vector<std::string>;
    EXPECT_EQ(diagnosisOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}), Texts{});
    EXPECT_EQ(diagnosisOf({0, 1, 2, 3, 4, 5, 6, 8, 7, 9, 10, 11, 12, 13, 14, 15}), Texts{"the greys are swopped"});
    EXPECT_EQ(diagnosisOf({0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15}),
              Texts{"the red and blue bits are swopped all through"});
    EXPECT_EQ(diagnosisOf({0, 4, 2, 6, 1, 5, 3, 8, 7, 12, 10, 14, 9, 13, 11, 15}),
              (Texts{"the greys are swopped", "the red and blue bits are swopped all through"}));
    EXPECT_EQ(diagnosisOf({0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
              Texts{"try `show header' option to see what you've got"});
}

TEST(PaletteDiagnosis, ZeroedPaletteGivesOnlyItsOwnMessageAndOtherModesNone) {
    Image image = testing::makeImage(4, 8, 2, 2);
    // Dark but not zero: no channel above 64 counts as zeroed.
    for (int i = 0; i < 16; ++i) image.palette[i] = RgbQuad(64, uint8_t(i * 4), 0);
    const auto messages = paletteDiagnosis(image);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "This PCX image shows all black because its palette somehow got zeroed.");
    EXPECT_EQ(messages[0].text.rfind("To rectify this, call `Editing', `standardize palette'", 0), 0u);
    image.mode = kMode256;
    EXPECT_TRUE(paletteDiagnosis(image).empty());
}

TEST(PaletteRepair, SwopsUseTheLowNibbleOfEveryByteAndUndoThemselves) {
    Image image = testing::rowImage(4, 8, {7, 0x18, 1, 0x9C});
    image.header.biWidth = 3;  // the fourth byte is now row padding, swopped too
    swopPixelIndices(image, kGreySwopTable);
    EXPECT_EQ(vydtest::Bytes(image.row(0), image.row(0) + 4), (std::vector<uint8_t>{8, 7, 1, 12}));
    swopPixelIndices(image, kRedBlueSwopTable);
    EXPECT_EQ(vydtest::Bytes(image.row(0), image.row(0) + 4), (std::vector<uint8_t>{8, 7, 4, 9}));

    Image all = testing::makeImage(4, 8, 16, 1);
    for (int x = 0; x < 16; ++x) all.row(0)[x] = static_cast<uint8_t>(x);
    for (const auto* table : {&kGreySwopTable, &kRedBlueSwopTable}) {
        swopPixelIndices(all, *table);
        swopPixelIndices(all, *table);
        for (int x = 0; x < 16; ++x) EXPECT_EQ(all.row(0)[x], x);
    }
}

TEST(PaletteRepair, StandardizeResetsOnlyTheFirstSixteenEntries) {
    Image image = testing::rowImage(4, 8, {0x47});
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad(1, 2, 3));
    standardizePalette(image);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image.palette[i], testing::defaultQuad(i)) << i;
    EXPECT_EQ(image.palette[16], RgbQuad(1, 2, 3));
    EXPECT_EQ(image.row(0)[0], 0x47);
}

}  // namespace
}  // namespace vyd
