// Unpacking of file depths into the in-memory layouts and packing for writing.
#include <gtest/gtest.h>

#include "modes/imageconv.h"
#include "modes_test_util.h"

namespace vyd {
namespace {

using test::makeImage;
using test::quad;
using test::rowBytes;

// A 2-color picture whose pixel at (x, y) is white when the (x + 3y)-th bit of a fixed pattern is set.
bool patternBit(int x, int y) { return ((x * 7 + y * 13) % 5) < 2; }
uint8_t patternNibble(int x, int y) { return static_cast<uint8_t>((x * 5 + y * 3) % 16); }

class PackedWidths : public ::testing::TestWithParam<int> {};

// Unpacking a hand-packed 1-bit file, then packing it again, gives back the same file bytes.
TEST_P(PackedWidths, OneBitUnpacksMostSignificantBitFirstAndPacksBack) {
    const int width = GetParam(), height = 3;
    Image file = makeImage(1, 1, width, height);
    file.palette[0] = quad(10, 20, 30);
    file.palette[1] = quad(200, 210, 220);
    for (int y = 0; y < height; ++y) {
        uint8_t* r = file.row(y);
        std::fill(r, r + file.stride, 0);
        for (int x = 0; x < width; ++x) {
            if (patternBit(x, y)) r[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    for (int code : {kCode2Color, kCode256, kCode16Color}) {
        Image unpacked;
        ASSERT_EQ(imageconv(file, unpacked, code), height) << code;
        EXPECT_EQ(unpacked.bitCount(), 8);
        EXPECT_EQ(unpacked.mode, code & 31);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) EXPECT_EQ(unpacked.row(y)[x], patternBit(x, y) ? 15 : 0) << x << "," << y;
        }
        EXPECT_EQ(unpacked.palette[0], quad(10, 20, 30));
        EXPECT_EQ(unpacked.palette[15], quad(200, 210, 220));
        EXPECT_EQ(unpacked.palette[7], test::defaultQuad(7));

        Image packed;
        ASSERT_EQ(imageconv(unpacked, packed, kCodePack1), height);
        EXPECT_EQ(packed.bitCount(), 1);
        EXPECT_EQ(packed.mode, 1);
        EXPECT_EQ(packed.stride, file.stride);
        for (int y = 0; y < height; ++y) {
            EXPECT_EQ(rowBytes(packed, y, packed.stride), rowBytes(file, y, file.stride)) << "row " << y;
        }
        // The file keeps the picture's two colours.
        EXPECT_EQ(packed.palette[0], quad(10, 20, 30));
        EXPECT_EQ(packed.palette[1], quad(200, 210, 220));
    }
}

TEST_P(PackedWidths, FourBitUnpacksHighNibbleFirstAndPacksBack) {
    const int width = GetParam(), height = 2;
    Image file = makeImage(4, 4, width, height);
    for (int i = 0; i < 16; ++i) file.palette[i] = quad(uint8_t(i), uint8_t(100 + i), uint8_t(200 + i));
    for (int y = 0; y < height; ++y) {
        uint8_t* r = file.row(y);
        std::fill(r, r + file.stride, 0);
        for (int x = 0; x < width; ++x) r[x / 2] |= static_cast<uint8_t>(patternNibble(x, y) << (x % 2 ? 0 : 4));
    }
    for (int code : {kCode16Color, kCode256}) {
        Image unpacked;
        ASSERT_EQ(imageconv(file, unpacked, code), height);
        EXPECT_EQ(unpacked.mode, code & 31);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) EXPECT_EQ(unpacked.row(y)[x], patternNibble(x, y)) << x << "," << y;
        }
        // The file's own sixteen colours are kept.
        for (int i = 0; i < 16; ++i) EXPECT_EQ(unpacked.palette[i], file.palette[i]) << i;

        Image packed;
        ASSERT_EQ(imageconv(unpacked, packed, kCodePack4), height);
        EXPECT_EQ(packed.bitCount(), 4);
        for (int y = 0; y < height; ++y) {
            EXPECT_EQ(rowBytes(packed, y, packed.stride), rowBytes(file, y, file.stride)) << "row " << y;
        }
        for (int i = 0; i < 16; ++i) EXPECT_EQ(packed.palette[i], file.palette[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, PackedWidths, ::testing::Values(1, 7, 8, 9, 33));

TEST(PackOneBit, UsesBitZeroOfEachPixelAndFixedBytes) {
    Image picture = makeImage(1, 8, 9, 1);
    const uint8_t pixels[9] = {15, 0, 15, 15, 0, 0, 0, 15, 15};
    std::copy(pixels, pixels + 9, picture.row(0));
    Image packed;
    ASSERT_EQ(imageconv(picture, packed, kCodePack1), 1);
    EXPECT_EQ(rowBytes(packed, 0, 4), (std::vector<uint8_t>{0xB1, 0x80, 0, 0}));
}

TEST(PackFourBit, KeepsLowNibbleOfSecondPixelOnly) {
    Image picture = makeImage(4, 8, 3, 1);
    const uint8_t pixels[3] = {0x03, 0x1C, 0x0F};
    std::copy(pixels, pixels + 3, picture.row(0));
    Image packed;
    ASSERT_EQ(imageconv(picture, packed, kCodePack4), 1);
    EXPECT_EQ(rowBytes(packed, 0, 4), (std::vector<uint8_t>{0x3C, 0xF0, 0, 0}));
}

// 5-5-5 words: bits 10-14 red, 5-9 green, 0-4 blue; each channel stretched to round(v * 255 / 31).
TEST(SixteenBit, UnpacksFiveFiveFiveWordsToFullChannels) {
    struct Case {
        uint16_t word;
        uint8_t blue, green, red;
    };
    const Case cases[] = {
        {0x7C00, 0, 0, 255},    // red 31
        {0x03E0, 0, 255, 0},    // green 31
        {0x001F, 255, 0, 0},    // blue 31
        {0x0020, 0, 8, 0},      // green 1: 8.23
        {0x0010, 132, 0, 0},    // blue 16: 131.6
        {0x3C0F, 123, 0, 123},  // red 15 and blue 15: 123.4
        {0x8000, 0, 0, 0},      // bit 15 is not a colour bit
        {0x4210, 132, 132, 132},
    };
    const int n = static_cast<int>(std::size(cases));
    Image file = makeImage(16, 16, n, 1);
    for (int x = 0; x < n; ++x) {
        file.row(0)[2 * x] = static_cast<uint8_t>(cases[x].word);
        file.row(0)[2 * x + 1] = static_cast<uint8_t>(cases[x].word >> 8);
    }
    Image truecolor;
    ASSERT_EQ(imageconv(file, truecolor, kCodeTrue), 1);
    EXPECT_EQ(truecolor.bitCount(), 24);
    for (int x = 0; x < n; ++x) {
        const uint8_t* p = truecolor.row(0) + 3 * x;
        EXPECT_EQ(p[0], cases[x].blue) << "word " << std::hex << cases[x].word;
        EXPECT_EQ(p[1], cases[x].green) << "word " << std::hex << cases[x].word;
        EXPECT_EQ(p[2], cases[x].red) << "word " << std::hex << cases[x].word;
    }
}

TEST(SixteenBit, PacksTopFiveBitsAndRoundTripsEveryWord) {
    Image picture = makeImage(24, 24, 3, 1);
    test::setTruecolor(picture, 0, 0, 0xFF, 0x07, 0x08);  // blue 31, green 0, red 1
    test::setTruecolor(picture, 1, 0, 0x00, 0xF8, 0x00);  // green 31
    test::setTruecolor(picture, 2, 0, 0x87, 0x48, 0xFF);  // blue 16, green 9, red 31
    Image packed;
    ASSERT_EQ(imageconv(picture, packed, kCodePack16), 1);
    EXPECT_EQ(packed.bitCount(), 16);
    EXPECT_EQ(rowBytes(packed, 0, 8), (std::vector<uint8_t>{0x1F, 0x04, 0xE0, 0x03, 0x30, 0x7D, 0, 0}));

    // Every 15-bit word survives unpacking and packing again.
    Image words = makeImage(16, 16, 256, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int w = y * 256 + x;
            words.row(y)[2 * x] = static_cast<uint8_t>(w);
            words.row(y)[2 * x + 1] = static_cast<uint8_t>(w >> 8);
        }
    }
    Image unpacked, repacked;
    ASSERT_NE(imageconv(words, unpacked, kCodeTrue), 0);
    ASSERT_NE(imageconv(unpacked, repacked, kCodePack16), 0);
    EXPECT_EQ(std::vector<uint8_t>(repacked.pixels.data(), repacked.pixels.data() + repacked.pixelBytes()),
              std::vector<uint8_t>(words.pixels.data(), words.pixels.data() + words.pixelBytes()));
}

TEST(ThirtyTwoBit, KeepsFirstThreeBytesOfEachPixel) {
    Image file = makeImage(32, 32, 2, 1);
    const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::copy(bytes, bytes + 8, file.row(0));
    Image truecolor;
    ASSERT_EQ(imageconv(file, truecolor, kCodeTrue), 1);
    EXPECT_EQ(truecolor.mode, 24);
    EXPECT_EQ(rowBytes(truecolor, 0, 8), (std::vector<uint8_t>{1, 2, 3, 5, 6, 7, 0, 0}));
}

TEST(PlainCopies, CopyPixelsPaletteAndLeftColourAndReturnOne) {
    Image indexed = makeImage(4, 8, 5, 2);
    indexed.row(1)[4] = 12;
    indexed.palette[200] = quad(1, 2, 3);
    indexed.leftColor = 0x123456;
    indexed.rightColor = 0x654321;
    Image copy;
    ASSERT_EQ(imageconv(indexed, copy, kCode256), 1);
    EXPECT_EQ(copy.mode, 8);
    EXPECT_EQ(copy.row(1)[4], 12);
    EXPECT_EQ(copy.palette[200], quad(1, 2, 3));
    EXPECT_EQ(copy.leftColor, 0x123456u);
    EXPECT_EQ(copy.rightColor, kNoColor);

    Image truecolor = makeImage(16, 24, 2, 2);
    test::setTruecolor(truecolor, 1, 1, 9, 8, 7);
    Image relabelled;
    ASSERT_EQ(imageconv(truecolor, relabelled, kCodeTrue), 1);
    EXPECT_EQ(relabelled.mode, 24);
    EXPECT_EQ(rowBytes(relabelled, 1, 6), rowBytes(truecolor, 1, 6));
}

TEST(Failures, NoPixelsOrUnknownPairGiveZeroAndTheBugReport) {
    Image empty, out;
    EXPECT_EQ(imageconv(empty, out, kCode2Color), 0);

    Image file = makeImage(16, 16, 4, 4);
    ConversionMessage message;
    EXPECT_EQ(imageconv(file, out, kCode256, ModeSettings{}, &message), 0);
    EXPECT_EQ(message.text, "imageconv tried to convert bpp 16 to 8");
    EXPECT_EQ(message.caption, "bug in VYD");
    EXPECT_EQ(message.flags, MB_OK | MB_ICONEXCLAMATION);

    // The chequered target from a packed depth becomes 16-color; from 16 bits it is unknown.
    Image fourBit = makeImage(4, 4, 2, 2);
    EXPECT_EQ(imageconv(fourBit, out, 1636), 2);
    EXPECT_EQ(out.mode, 4);
    EXPECT_EQ(imageconv(file, out, 1636, ModeSettings{}, &message), 0);
    EXPECT_EQ(message.text, "imageconv tried to convert bpp 16 to 100");
}

// A header that promises more rows than the buffer holds is refused instead of read past its end.
TEST(Failures, InconsistentSourceIsRefused) {
    Image picture = makeImage(8, 8, 16, 16);
    picture.header.biHeight = 400;
    Image out;
    EXPECT_EQ(imageconv(picture, out, kCodeTrue), 0);
}

}  // namespace
}  // namespace vyd
