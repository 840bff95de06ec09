#include <gtest/gtest.h>

#include <cmath>

#include "image/image.h"
#include "image/levels.h"

using namespace vyd;

TEST(ImageRecord, CreationSetsStrideBufferAndColourCountsAndRefusesSizesBeyondTheRowLimit) {
    Image image;
    ASSERT_NE(createImage(image, -1, 24, 5, 3), nullptr);
    EXPECT_EQ(image.mode, 24);
    EXPECT_EQ(image.stride, 16);
    EXPECT_EQ(image.header.biPlanes, 1);
    EXPECT_EQ(image.header.biClrUsed, 0u);

    createImage(image, 4, 8, 5, 3);
    EXPECT_EQ(image.mode, 4);
    EXPECT_EQ(image.stride, 8);
    EXPECT_EQ(image.header.biClrUsed, 256u);

    EXPECT_EQ(createImage(image, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(image.header.biClrUsed, 1u);
    EXPECT_FALSE(image.hasPixels());

    EXPECT_EQ(createImage(image, -1, 24, 10922, 2), nullptr);  // 32766 bytes a row
    EXPECT_NE(createImage(image, -1, 24, 10921, 2), nullptr);  // 32763 bytes a row
    EXPECT_EQ(createImage(image, -1, 8, 100, 40000), nullptr);
    EXPECT_EQ(createImage(image, -1, 8, -5, 10), nullptr);
}

TEST(ImageRecord, RecreationKeepsUpperPaletteAndResetsTheFirstSixteen) {
    Image image;
    createImage(image, 8, 8, 2, 2);
    image.palette[3] = {1, 2, 3, 0};
    image.palette[200] = {9, 8, 7, 0};
    createImage(image, 8, 8, 4, 4);
    EXPECT_EQ(image.palette[3].rgbBlue, 0xAA);
    EXPECT_EQ(image.palette[3].rgbRed, 0x00);
    EXPECT_EQ(image.palette[200].rgbBlue, 9);
}

TEST(ImageRecord, SameFormatComparesPalettesOnlyForTwoHundredFiftySixColours) {
    Image a, b;
    createImage(a, 8, 8, 3, 3);
    createImage(b, 8, 8, 3, 3);
    EXPECT_TRUE(sameFormat(&a, &b));
    b.palette[77].rgbReserved = 1;
    EXPECT_FALSE(sameFormat(&a, &b));
    createImage(a, 16, 24, 3, 3);
    createImage(b, 24, 24, 3, 3);
    EXPECT_TRUE(sameFormat(&a, &b));
    createImage(a, 1, 8, 3, 3);
    createImage(b, 9, 8, 3, 3);
    EXPECT_FALSE(sameFormat(&a, &b));
}

TEST(ImageRecord, ReadsOutsideThePictureAnswerNoColourAndWhite) {
    Image image;
    createImage(image, 8, 8, 4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) image.row(y)[x] = static_cast<uint8_t>(10 * y + x);
    EXPECT_EQ(pixelColor(image, 4, 0, false), kNoColor);
    EXPECT_EQ(indexAt(image, 0, -1), 15);
    // Row 0 from the top is the last row in memory.
    EXPECT_EQ(image.pixels.data()[image.stride + 2], 2);
    EXPECT_EQ(indexAt(image, 3, 1), 13);
    EXPECT_EQ(pixelColor(image, 1, 0, true), makeColor(0, 0, 0xAA));
}

TEST(ImageRecord, AdoptMovesTheBufferAndUndoExchangesTwice) {
    LevelTable table;
    Image& image = table.current().image;
    createImage(image, 8, 8, 2, 1);
    image.row(0)[0] = 7;
    saveUndo(table.undoImage, image);
    image.row(0)[0] = 9;
    ASSERT_TRUE(undoExchange(table));
    EXPECT_EQ(image.row(0)[0], 7);
    ASSERT_TRUE(undoExchange(table));
    EXPECT_EQ(image.row(0)[0], 9);
    createImage(image, 24, 24, 2, 1);  // a different format: nothing to undo
    EXPECT_FALSE(undoExchange(table));

    Image moved;
    adoptImage(moved, image);
    EXPECT_TRUE(moved.hasPixels());
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.width(), 2);
}

TEST(LevelTable, SortMovesWholeRecordsAndKeepsTiesAndTheBackground) {
    LevelTable table;
    table[0].priority = 99;
    table[1].priority = 3;
    table[1].name = "one";
    table[2].priority = 1;
    table[3].priority = 2;
    table[6].priority = 5;  // equal to level 5: keeps its place after it
    table[5].name = "five";
    table[6].name = "six";
    table[9].priority = std::nanf("");
    sortLevelsByPriority(table);
    EXPECT_EQ(table[3].name, "one");
    EXPECT_EQ(table[5].name, "five");
    EXPECT_EQ(table[6].name, "six");
    for (int i = 0; i < kLevelCount; ++i) EXPECT_EQ(table[i].priority, static_cast<float>(i));
}
