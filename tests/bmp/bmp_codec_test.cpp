// The BMP codec on hand-built files: which headers it refuses and why, how each depth and header version is held
// in memory, short pixel data, and rows written with zero padding whatever the memory holds.
#include <gtest/gtest.h>

#include "formats/bmp.h"
#include "support/codec_checks.h"
#include "support/files.h"

using namespace vyd;
using namespace vydtest;

namespace {

Decoded decode(const Bytes& bytes) { return decodeBmp(bytes, ModeSettings{}); }

TEST(BmpRead, RefusalsAreTypedAndLeaveTheEmptyPicture) {
    auto withOffset = [](int64_t offset, size_t cut = 0) {
        Bytes b = makeBmp({.rows = Bytes(4, 0x40), .offset = offset});
        b.resize(cut ? cut : b.size());
        return b;
    };
    struct Case { Bytes bytes; CodecError error; int64_t first = 0, second = 0; };
    std::vector<Case> cases = {
        {{'B', 'M', 0}, CodecError::BadBmp},
        {{'B', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0}, CodecError::BadBmp},
        {makeBmp({.headerSize = 13, .rows = Bytes(4, 0x40)}), CodecError::BadBmp},  // neither core nor info header
        {withOffset(30), CodecError::BadBmp},                                          // header runs into the pixels
        {withOffset(400, 100), CodecError::BadBmp},                                    // pixels beyond the end
        // 24-bit: 3w bytes a row, at most 32764. 1-bit files are held at 8 bits, so the memory row counts too.
        {makeBmp({.width = 10922}), CodecError::TooBig, 10922, 1},
        {makeBmp({.width = 32765, .bits = 1, .palette = {0, 0}}), CodecError::TooBig, 32765, 1},
        {makeBmp({.width = 8192, .bits = 32}), CodecError::TooBig, 8192, 1},
        {makeBmp({.height = -40000}), CodecError::TooBig, 1, 40000},
    };
    for (auto [w, h, bits] : {std::tuple{0, 1, 24u}, {1, 0, 24u}, {-5, 1, 24u}, {1, 1, 2u}, {1, 1, 64u}, {1, 1, 0u}}) {
        cases.push_back({makeBmp({.width = w, .height = h, .bits = bits, .rows = Bytes(4, 0x40)}), CodecError::BadBmp});
    }
    for (uint32_t compression = 1; compression <= 6; ++compression) {
        cases.push_back({makeBmp({.bits = 8, .compression = compression, .rows = Bytes(4)}), CodecError::CompressedBmp});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases.data()));
        expectRefusal(decode(c.bytes), c.error, c.first, c.second);
    }
    // The largest rows that fit are read.
    for (BmpLayout fits : {BmpLayout{.width = 10921}, {.width = 32764, .bits = 1, .palette = {0, 0}}, {.width = 8191, .bits = 32}}) {
        EXPECT_EQ(decode(makeBmp(fits)).picture.width(), fits.width);
    }
}

TEST(BmpRead, DepthsAndHeaderVersionsAreHeldAtEightOrTwentyFourBits) {
    // 3 x 2 at 8 bits: bottom row 1 2 3, top row 4 5 6; the colour table follows headers of any length.
    std::vector<uint32_t> seven;
    for (uint32_t i = 0; i < 7; ++i) seven.push_back(0x102030 * i);
    const BmpLayout base{.width = 3, .height = 2, .bits = 8, .rows = {1, 2, 3, 0, 4, 5, 6, 0}, .palette = seven};
    const std::vector<uint32_t> baseColors{4 * 0x102030, 5 * 0x102030, 6 * 0x102030, 0x102030, 2 * 0x102030, 3 * 0x102030};
    std::vector<uint32_t> sixteen;
    for (uint32_t i = 0; i < 16; ++i) sixteen.push_back(0x010203 * (i + 1));
    const uint16_t a = (31 << 10) | (16 << 5) | 1, b = 0x8000 | (31 << 5) | 30;  // 5-5-5, bit 15 unused
    struct Case { BmpLayout layout; int mode, bits; std::vector<uint32_t> colors; Bytes firstRow = {}; };
    std::vector<Case> cases = {
        {{.width = 3, .height = -2, .bits = 8, .rows = {4, 5, 6, 0, 1, 2, 3, 0}, .palette = seven}, kMode256, 8, baseColors, {4, 5, 6}},
        {{.width = 3, .bits = 4, .rows = {0xF1, 0x70, 0, 0}, .palette = sixteen}, kMode16, 8,
         {0x010203 * 16, 0x010203 * 2, 0x010203 * 8}, {15, 1, 7}},
        {{.width = 9, .bits = 1, .rows = {0xA0, 0x80, 0, 0}, .palette = {0x112233, 0xAABBCC}}, kMode2, 8,
         {0xAABBCC, 0x112233, 0xAABBCC, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0xAABBCC},
         {15, 0, 15, 0, 0, 0, 0, 0, 15}},
        // Each channel widened to round(v * 255 / 31); the fourth byte of 32-bit pixels is not alpha.
        {{.width = 2, .bits = 16, .rows = {uint8_t(a), uint8_t(a >> 8), uint8_t(b), uint8_t(b >> 8)}}, kModeTrue16, 24,
         {0xFF8408, 0x00FFF7}},
        {{.width = 2, .bits = 32, .rows = {0x10, 0x20, 0x30, 0x80, 0xFF, 0xFE, 0xFD, 0x00}}, kModeTrue32, 24,
         {0x302010, 0xFDFEFF}},
    };
    for (uint32_t headerSize : {40u, 12u, 16u, 52u, 64u, 108u, 124u}) {
        cases.push_back({base, kMode256, 8, baseColors, {4, 5, 6}});
        cases.back().layout.headerSize = headerSize;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "header " << c.layout.headerSize << ", " << c.layout.bits << " bits");
        const Decoded r = decode(makeBmp(c.layout));
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.picture.mode, c.mode);
        EXPECT_EQ(r.picture.bitCount(), c.bits);
        EXPECT_EQ(r.picture.header.biSize, 40u);
        EXPECT_EQ(firstDifference(colorsOf(r.picture), c.colors, c.layout.width), "");
        if (!c.firstRow.empty()) {
            EXPECT_EQ(rowOf(r.picture, 0), c.firstRow);
        }
    }
}

TEST(BmpRead, ShortPixelDataIsReadAsFarAsItGoesAndTheRestCleared) {
    // Bottom row whole, half of the middle row: a bottom-up file loses its top rows, a top-down one its bottom.
    const Bytes rows{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9};
    Decoded r = decode(makeBmp({.width = 2, .height = 3, .rows = rows}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(colorsOf(r.picture), (std::vector<uint32_t>{0, 0, 0x090807, 0, 0x030201, 0x060504}));
    r = decode(makeBmp({.width = 2, .height = -3, .rows = rows}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(colorsOf(r.picture), (std::vector<uint32_t>{0x030201, 0x060504, 0x090807, 0, 0, 0}));
}

TEST(BmpFloor, TinyFileClaimingHugePictureIsRefused) {
    // 3000 x 3000 at 8 bits: 3000-byte rows; refused below half the rows, a started row counting as held.
    struct Case { BmpLayout layout; bool reads; };
    const Case cases[] = {
        {{.width = 32764, .height = 32767, .bits = 8, .palette = std::vector<uint32_t>(256)}, false},  // 1,078 bytes
        {{.width = 8191, .height = 32767, .bits = 32}, false},                                          // 54 bytes
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1200 * 3000, 1)}, false},
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1499 * 3000, 1)}, false},
        {{.width = 3000, .height = 3000, .bits = 8, .rows = Bytes(1499 * 3000 + 1, 1)}, true},
        {{.width = 3000, .height = -3000, .bits = 8, .rows = Bytes(1800 * 3000, 1)}, true},
        {{.width = 2000, .height = 2000}, true},  // 4 million pixels: read whatever the file holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layout.width << " x " << c.layout.height << ", " << c.layout.rows.size());
        const Decoded r = decode(makeBmp(c.layout));
        const int height = std::abs(c.layout.height), first = c.layout.height < 0 ? 0 : height - 1;
        if (!c.reads) {
            expectRefusal(r, CodecError::BeyondData, c.layout.width, height);
            continue;
        }
        ASSERT_TRUE(r.ok());  // the rows held come first in the file; the rest is cleared
        EXPECT_EQ(rowOf(r.picture, first)[0], c.layout.rows.empty() ? 0 : 1);
        EXPECT_EQ(rowOf(r.picture, height - 1 - first)[0], 0);
    }
}

TEST(BmpWrite, RowsGoBottomUpWithZeroPaddingWhateverTheMemoryHolds) {
    Image image;
    ASSERT_TRUE(createImage(image, -1, 24, 5, 3));
    for (int y = 0; y < 3; ++y) std::fill_n(image.row(y), image.stride, 0xEE);  // padding in memory too
    image.row(1)[0] = 0x01, image.row(2)[14] = 0x02;
    const Encoded r = encodeBmp(image, {});
    ASSERT_TRUE(r.ok());
    const Bytes file = r.bytes.flatten();
    const Bytes want = bmpFile(24, 5, 3, {0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEE01, 0xEEEEEE, 0xEEEEEE,
                                          0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0xEEEEEE, 0x02EEEE});
    ASSERT_EQ(file.size(), want.size());
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()), Bytes(want.begin() + 54, want.end()));
}

}  // namespace
