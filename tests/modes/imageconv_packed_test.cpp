// Unpacking of file depths into the in-memory layouts, packing for writing, copies and refusals.
#include <gtest/gtest.h>

#include "modes/imageconv.h"
#include "support/picture_helpers.h"
#include "support/files.h"

namespace vyd {
namespace {

bool patternBit(int x, int y) { return ((x * 7 + y * 13) % 5) < 2; }
uint8_t patternNibble(int x, int y) { return static_cast<uint8_t>((x * 5 + y * 3) % 16); }

std::vector<uint8_t> allRows(const Image& image) {
    return std::vector<uint8_t>(image.pixels.data(), image.pixels.data() + image.pixelBytes());
}

class PackedWidths : public ::testing::TestWithParam<int> {};

// A hand-packed 1-bit or 4-bit file unpacks pixel by pixel and packs back to the same bytes, padding cleared;
// its colours are kept both ways (the two of a 1-bit file as entries 0 and 15 of the unpacked picture).
TEST_P(PackedWidths, RoundTripsKeepPixelsAndTheFilesColours) {
    const int width = GetParam(), height = 3;
    for (const int bits : {1, 4}) {
        const int perByte = 8 / bits, colours = 1 << bits, unit = bits == 1 ? 15 : 1;
        auto value = [&](int x, int y) { return bits == 1 ? uint8_t(patternBit(x, y)) : patternNibble(x, y); };
        Image file = testing::makeImage(bits, bits, width, height);
        std::fill(file.pixels.data(), file.pixels.data() + file.pixelBytes(), 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                file.row(y)[x / perByte] |= static_cast<uint8_t>(value(x, y) << (bits * (perByte - 1 - x % perByte)));
        for (int i = 0; i < colours; ++i) file.palette[i] = RgbQuad(uint8_t(i), uint8_t(100 + i), uint8_t(200 + i));
        for (int code : bits == 1 ? std::vector{kCode2Color, kCode256, kCode16Color} : std::vector{kCode16Color, kCode256}) {
            Image unpacked, packed;
            ASSERT_EQ(imageconv(file, unpacked, code), height) << bits << " " << code;
            EXPECT_EQ(unpacked.mode, code & 31);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) ASSERT_EQ(unpacked.row(y)[x], unit * value(x, y)) << x << "," << y;
            for (int i = 0; i < colours; ++i) EXPECT_EQ(unpacked.palette[unit * i], file.palette[i]) << i;
            ASSERT_EQ(imageconv(unpacked, packed, bits == 1 ? kCodePack1 : kCodePack4), height);
            EXPECT_EQ(packed.bitCount(), bits);
            EXPECT_EQ(allRows(packed), allRows(file));
            for (int i = 0; i < colours; ++i) EXPECT_EQ(packed.palette[i], file.palette[i]) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, PackedWidths, ::testing::Values(1, 7, 8, 9, 33));

TEST(Packing, FourBitsKeepTheLowNibbleOfTheSecondPixel) {
    Image picture = testing::rowImage(4, 8, {0x03, 0x1C, 0x0F});
    Image packed;
    ASSERT_EQ(imageconv(picture, packed, kCodePack4), 1);
    EXPECT_EQ(std::vector<uint8_t>(packed.row(0), packed.row(0) + 4), (std::vector<uint8_t>{0x3C, 0xF0, 0, 0}));
}

// Unpacking 5-5-5 words widens each channel (the rounding is checked on 16-bit BMP files); packing keeps the
// top five bits of each channel, so every word survives the way back.
TEST(SixteenBit, EveryWordRoundTrips) {
    Image all = testing::makeImage(16, 16, 256, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x) {
            all.row(y)[2 * x] = static_cast<uint8_t>(x);
            all.row(y)[2 * x + 1] = static_cast<uint8_t>(y);
        }
    Image unpacked, repacked;
    ASSERT_NE(imageconv(all, unpacked, kCodeTrue), 0);
    ASSERT_NE(imageconv(unpacked, repacked, kCodePack16), 0);
    EXPECT_EQ(allRows(repacked), allRows(all));
}

TEST(Copies, KeepPixelsPaletteAndLeftColourAndRelabelTruecolor) {
    Image indexed = testing::makeImage(4, 8, 5, 2);
    indexed.row(1)[4] = 12;
    indexed.palette[200] = RgbQuad(1, 2, 3);
    indexed.leftColor = 0x123456;
    indexed.rightColor = 0x654321;
    Image copy;
    ASSERT_EQ(imageconv(indexed, copy, kCode256), 1);
    EXPECT_EQ(copy.mode, 8);
    EXPECT_EQ(copy.row(1)[4], 12);
    EXPECT_EQ(copy.palette[200], RgbQuad(1, 2, 3));
    EXPECT_EQ(copy.leftColor, 0x123456u);
    EXPECT_EQ(copy.rightColor, kNoColor);

    // Four-byte pixels are unpacked on 32-bit BMP files.
    Image truecolor = testing::rowImage(kModeTrue16, 24, {1, 2, 3, 5, 6, 7}), relabelled;
    ASSERT_EQ(imageconv(truecolor, relabelled, kCodeTrue), 1);
    EXPECT_EQ(relabelled.mode, 24);
    EXPECT_EQ(allRows(relabelled), allRows(truecolor));
}

TEST(Failures, NoPixelsUnknownPairOrInconsistentSource) {
    Image empty, out;
    EXPECT_EQ(imageconv(empty, out, kCode2Color), 0);

    Image file = testing::makeImage(16, 16, 4, 4);
    ConversionMessage message;
    EXPECT_EQ(imageconv(file, out, kCode256, ModeSettings{}, &message), 0);
    EXPECT_EQ(message.text, "imageconv tried to convert bpp 16 to 8");
    EXPECT_EQ(message.caption, "bug in VYD");
    // Chequering from a packed depth becomes 16-color; from 16 bits it is unknown.
    Image fourBit = testing::makeImage(4, 4, 2, 2);
    EXPECT_EQ(imageconv(fourBit, out, kCodeChequer), 2);
    EXPECT_EQ(out.mode, 4);
    EXPECT_EQ(imageconv(file, out, kCodeChequer, ModeSettings{}, &message), 0);
    EXPECT_EQ(message.text, "imageconv tried to convert bpp 16 to 100");

    // A header that promises more rows than the buffer holds is refused instead of read past its end.
    Image liar = testing::makeImage(8, 8, 16, 16);
    liar.header.biHeight = 400;
    EXPECT_EQ(imageconv(liar, out, kCodeTrue), 0);
}

}  // namespace
}  // namespace vyd
