// The BMP codec on hand-built files: which headers it refuses and why, how each depth is held in memory, and
// the exact bytes it writes.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "formats/bmp.h"
#include "formats/format_table.h"
#include "support/codec_bytes.h"

namespace vyd {
namespace {

using test::BmpLayout;
using test::Bytes;
using test::get32;
using test::makeBmp;
using test::rgbAt;

Decoded decode(const Bytes& bytes) { return decodeBmp(bytes, ModeSettings{}); }

void expectRefusal(const Bytes& bytes, CodecError error, CodecDetail detail = {}) {
    const Decoded r = decode(bytes);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, error);
    EXPECT_EQ(r.failure->detail.first, detail.first);
    EXPECT_EQ(r.failure->detail.second, detail.second);
    EXPECT_TRUE(r.warnings.empty());
    // A failed read leaves the empty 2-color picture.
    EXPECT_EQ(r.picture.mode, kMode2);
    EXPECT_EQ(r.picture.bitCount(), 1);
    EXPECT_EQ(r.picture.width(), 0);
    EXPECT_FALSE(r.picture.hasPixels());
}

BmpLayout layoutOf(int width, int height, int bits, Bytes rows = {}) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = static_cast<uint16_t>(bits);
    layout.rows = std::move(rows);
    return layout;
}

TEST(BmpRead, RefusesMalformedHeadersAsBadFile) {
    expectRefusal({'B', 'M', 0}, CodecError::BadBmp);
    expectRefusal({'B', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0}, CodecError::BadBmp);
    BmpLayout odd = layoutOf(1, 1, 24, Bytes(4, 0x40));
    odd.headerSize = 13;  // neither an OS/2 core header nor an info header
    expectRefusal(makeBmp(odd), CodecError::BadBmp);
    odd.headerSize = 40;
    odd.offsetOverride = 30;  // the header would run into the pixels
    expectRefusal(makeBmp(odd), CodecError::BadBmp);
    for (auto [width, height, bits] : {std::tuple{0, 1, 24}, {1, 0, 24}, {-5, 1, 24}, {1, 1, 2}, {1, 1, 64}, {1, 1, 0}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height << " bits " << bits);
        expectRefusal(makeBmp(layoutOf(width, height, bits, Bytes(4, 0x40))), CodecError::BadBmp);
    }
    BmpLayout beyond;  // pixel data said to start beyond the end of the file
    beyond.offsetOverride = 400;
    Bytes bytes = makeBmp(beyond);
    bytes.resize(100);
    expectRefusal(bytes, CodecError::BadBmp);

    // A colour table holds at most 256 entries after a 40-byte header: pixels at 1078, not 1079.
    BmpLayout table = layoutOf(1, 1, 8, {7, 0, 0, 0});
    table.palette.assign(256, 0x123456);
    table.offsetOverride = 14 + 40 + 1024;
    const Decoded longest = decode(makeBmp(table));
    ASSERT_TRUE(longest.ok());
    EXPECT_EQ(rgbAt(longest.picture, 0, 0), 0x123456u);
    table.offsetOverride = 1079;
    expectRefusal(makeBmp(table), CodecError::BadBmp);
}

TEST(BmpRead, RefusesCompressedFilesAndSizesBeyondTheRecordsArithmetic) {
    for (uint32_t compression : {1u, 2u, 3u, 4u, 5u, 6u}) {
        BmpLayout layout = layoutOf(1, 1, compression == 3 ? 16 : 8, Bytes(4, 0x40));
        layout.compression = compression;
        SCOPED_TRACE(compression);
        expectRefusal(makeBmp(layout), CodecError::CompressedBmp);
    }
    // 24-bit: 3w bytes a row, at most 32764. 1-bit files are held at 8 bits, so the memory row counts too.
    struct Case { int width, height, bits; bool fits; };
    for (Case c : {Case{10921, 1, 24, true}, {10922, 1, 24, false}, {32764, 1, 1, true}, {32765, 1, 1, false},
                   {40000, 1, 8, false}, {8191, 1, 32, true}, {8192, 1, 32, false}, {1, 40000, 24, false},
                   {1, -40000, 24, false}}) {
        BmpLayout layout = layoutOf(c.width, c.height, c.bits);
        if (c.bits <= 8) layout.palette.assign(size_t{1} << c.bits, 0);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bits << " bits");
        if (c.fits) {
            EXPECT_EQ(decode(makeBmp(layout)).picture.width(), c.width);
        } else {
            expectRefusal(makeBmp(layout), CodecError::TooBig, {c.width, std::abs(c.height), {}});
        }
    }
}

TEST(BmpRead, HeaderVersionsAndRowOrderGiveTheSamePicture) {
    // A 3 x 2 picture at 8 bits: bottom row 1 2 3, top row 4 5 6.
    BmpLayout base = layoutOf(3, 2, 8, {1, 2, 3, 0, 4, 5, 6, 0});
    for (uint32_t i = 0; i < 7; ++i) base.palette.push_back(0x102030 * i);
    BmpLayout topDown = base;
    topDown.height = -2;
    topDown.rows = {4, 5, 6, 0, 1, 2, 3, 0};
    std::vector<BmpLayout> layouts{base, topDown};
    for (uint32_t headerSize : {12u, 16u, 52u, 64u, 108u, 124u}) {
        layouts.push_back(base);
        layouts.back().headerSize = headerSize;  // the colour table follows the longer header
    }
    for (const BmpLayout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << "header " << layout.headerSize << " height " << layout.height);
        const Decoded r = decode(makeBmp(layout));
        ASSERT_TRUE(r.ok());
        const Image& image = r.picture;
        EXPECT_EQ(image.mode, kMode256);
        EXPECT_EQ(image.bitCount(), 8);
        ASSERT_EQ(image.width(), 3);
        ASSERT_EQ(image.height(), 2);
        EXPECT_EQ(image.header.biSize, 40u);
        EXPECT_EQ(Bytes(image.row(0), image.row(0) + 3), (Bytes{4, 5, 6}));
        EXPECT_EQ(Bytes(image.row(1), image.row(1) + 3), (Bytes{1, 2, 3}));
        EXPECT_EQ(image.palette[6].value(), 0x102030u * 6);
    }
}

TEST(BmpRead, PackedAndWideFilesAreHeldAtEightOrTwentyFourBits) {
    BmpLayout four = layoutOf(3, 1, 4, {0xF1, 0x70, 0, 0});
    for (uint32_t i = 0; i < 16; ++i) four.palette.push_back(0x010203 * (i + 1));
    Decoded r = decode(makeBmp(four));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kMode16);
    EXPECT_EQ(r.picture.bitCount(), 8);
    EXPECT_EQ(Bytes(r.picture.row(0), r.picture.row(0) + 3), (Bytes{15, 1, 7}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(r.picture.palette[i].value(), 0x010203u * (i + 1)) << i;

    BmpLayout one = layoutOf(9, 1, 1, {0xA0, 0x80, 0, 0});  // 1 0 1 0 0 0 0 0 | 1
    one.palette = {0x112233, 0xAABBCC};
    r = decode(makeBmp(one));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kMode2);
    EXPECT_EQ(Bytes(r.picture.row(0), r.picture.row(0) + 9), (Bytes{15, 0, 15, 0, 0, 0, 0, 0, 15}));
    EXPECT_EQ(rgbAt(r.picture, 0, 0), 0xAABBCCu);
    EXPECT_EQ(rgbAt(r.picture, 1, 0), 0x112233u);

    // 5-5-5 words (bit 15 unused) widen each channel to round(v * 255 / 31); 32-bit pixels' fourth byte is
    // not alpha. Both are truecolor remembering their depth as the mode.
    const uint16_t a = (31 << 10) | (16 << 5) | 1, b = 0x8000 | (31 << 5) | 30;
    r = decode(makeBmp(layoutOf(2, 1, 16, {uint8_t(a), uint8_t(a >> 8), uint8_t(b), uint8_t(b >> 8)})));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kModeTrue16);
    EXPECT_EQ(r.picture.bitCount(), 24);
    EXPECT_EQ(rgbAt(r.picture, 0, 0), 0xFF8408u);
    EXPECT_EQ(rgbAt(r.picture, 1, 0), 0x00FFF7u);
    r = decode(makeBmp(layoutOf(2, 1, 32, {0x10, 0x20, 0x30, 0x80, 0xFF, 0xFE, 0xFD, 0x00})));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kModeTrue32);
    EXPECT_EQ(rgbAt(r.picture, 0, 0), 0x302010u);
    EXPECT_EQ(rgbAt(r.picture, 1, 0), 0xFDFEFFu);
}

TEST(BmpRead, ShortPixelDataIsReadAsFarAsItGoesAndTheRestCleared) {
    // Bottom row whole, half of the middle row: a bottom-up file loses its top rows, a top-down one its bottom.
    const Bytes rows{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9};
    Decoded r = decode(makeBmp(layoutOf(2, 3, 24, rows)));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rgbAt(r.picture, 0, 2), 0x030201u);
    EXPECT_EQ(rgbAt(r.picture, 1, 2), 0x060504u);
    EXPECT_EQ(rgbAt(r.picture, 0, 1), 0x090807u);
    for (auto [x, y] : {std::pair{1, 1}, {0, 0}, {1, 0}}) EXPECT_EQ(rgbAt(r.picture, x, y), 0u) << x << "," << y;

    r = decode(makeBmp(layoutOf(2, -3, 24, rows)));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rgbAt(r.picture, 0, 0), 0x030201u);
    EXPECT_EQ(rgbAt(r.picture, 0, 1), 0x090807u);
    EXPECT_EQ(rgbAt(r.picture, 1, 1), 0u);
    EXPECT_EQ(rgbAt(r.picture, 1, 2), 0u);
}

Bytes written(const Image& image) {
    const Encoded r = encodeBmp(image, {});
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.warnings.empty());
    return r.bytes.flatten();
}

TEST(BmpWrite, TruecolorLayoutWithZeroPadding) {
    Image image;
    ASSERT_TRUE(createImage(image, -1, 24, 5, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 15; ++x) image.row(y)[x] = static_cast<uint8_t>(16 * y + x);
        image.row(y)[15] = 0xEE;  // padding in memory
    }
    const Bytes file = written(image);
    ASSERT_EQ(file.size(), 102u);  // 54 + 16 bytes a row x 3
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 2), (Bytes{'B', 'M'}));
    for (auto [at, value] : {std::pair{2, 102u}, {6, 0u}, {10, 54u}, {14, 40u}, {18, 5u}, {22, 3u}}) {
        EXPECT_EQ(get32(file, at), value) << "at " << at;
    }
    EXPECT_EQ(file[28], 24);
    for (int x = 0; x < 15; ++x) {  // bottom row first
        EXPECT_EQ(file[54 + x], 32 + x);
        EXPECT_EQ(file[54 + 32 + x], x);
    }
    EXPECT_EQ(file[54 + 15], 0) << "row padding is written as zeros";
}

TEST(BmpWrite, TwoAndSixteenColorPicturesPackWithThePicturesColours) {
    Image image;
    ASSERT_TRUE(createImage(image, kMode2, 8, 9, 2));
    image.palette[0] = RgbQuad::fromValue(0x224466);
    image.palette[15] = RgbQuad::fromValue(0xEEDDCC);
    const uint8_t top[9] = {15, 0, 0, 0, 0, 0, 0, 15, 15}, bottom[9] = {0, 0, 0, 0, 0, 0, 0, 0, 15};
    std::memcpy(image.row(0), top, 9);
    std::memcpy(image.row(1), bottom, 9);
    Bytes file = written(image);
    ASSERT_EQ(file.size(), 54u + 8 + 2 * 4);
    EXPECT_EQ(get32(file, 10), 62u);
    EXPECT_EQ(file[28], 1);
    EXPECT_EQ(get32(file, 54), 0x224466u);  // file entry 0 = picture entry 0
    EXPECT_EQ(get32(file, 58), 0xEEDDCCu);  // file entry 1 = picture entry 15
    EXPECT_EQ(Bytes(file.begin() + 62, file.end()), (Bytes{0x00, 0x80, 0, 0, 0x81, 0x80, 0, 0}));

    BmpLayout sixteen = layoutOf(3, 2, 4, {0x12, 0x30, 0, 0, 0xFE, 0xD0, 0, 0});
    for (uint32_t i = 0; i < 16; ++i) sixteen.palette.push_back(0x0A0B0C + 0x010101 * i);
    const Decoded read = decode(makeBmp(sixteen));
    ASSERT_TRUE(read.ok());
    file = written(read.picture);
    ASSERT_EQ(file.size(), 118u + 8);
    EXPECT_EQ(get32(file, 10), 118u);
    EXPECT_EQ(file[28], 4);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(get32(file, 54 + 4 * i), 0x0A0B0Cu + 0x010101 * i);
    EXPECT_EQ(Bytes(file.begin() + 118, file.end()), sixteen.rows);
}

TEST(BmpWrite, FailedWritesLeaveNoFileAndKeepAnExistingOne) {
    test::ScratchDir dir;
    Image image;
    ASSERT_TRUE(createImage(image, -1, 24, 2, 2));
    Encoded r = encodeImageFile(kBmpFormat, image, {}, dir.file("no/such/folder.bmp"));
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, CodecError::CantCreateFile);

    // A record without its rows cannot be written; the file already there stays as it was.
    test::writeBytes(dir.file("keep.bmp"), {1, 2, 3});
    image.pixels.reset();
    r = encodeImageFile(kBmpFormat, image, {}, dir.file("keep.bmp"));
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, CodecError::CantWriteFile);
    EXPECT_EQ(test::readBytes(dir.file("keep.bmp")), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.entryCount(), 1u);
}

}  // namespace
}  // namespace vyd
