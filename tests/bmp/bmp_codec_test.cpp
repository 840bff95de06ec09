// The BMP codec on hand-built files: which headers it refuses and with which words, how each depth is held
// in memory, and the exact bytes it writes.
#include <gtest/gtest.h>

#include <cstring>

#include "bmp_test_support.h"
#include "formats/bmp.h"

namespace vyd {
namespace {

using test::BmpLayout;
using test::get32;
using test::makeBmp;
using test::rgbAt;

CodecResult decode(const std::vector<uint8_t>& bytes, Image& image) {
    return decodeBmp(bytes, "pic.bmp", image, ModeSettings{});
}

void expectEmptyTwoColor(const Image& image) {
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_EQ(image.bitCount(), 1);
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    EXPECT_FALSE(image.hasPixels());
}

void expectRefusal(const std::vector<uint8_t>& bytes, const std::string& text, const std::string& caption) {
    Image image;
    createImage(image, 24, 24, 4, 4);  // a picture that must not survive the failed read
    CodecResult r = decode(bytes, image);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, text);
    EXPECT_EQ(r.messages[0].caption, caption);
    EXPECT_EQ(r.messages[0].flags, MB_OK | MB_ICONEXCLAMATION);
    expectEmptyTwoColor(image);
}

// 24-bit rows of a width-1 picture: 3 bytes and one byte of padding each.
std::vector<uint8_t> oneColumn(int height) { return std::vector<uint8_t>(4 * height, 0x40); }

TEST(BmpRead, RefusesMalformedHeadersAsBadFile) {
    expectRefusal({'B', 'M', 0}, "bad file BMP", "pic.bmp");
    expectRefusal({'B', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0}, "bad file BMP", "pic.bmp");

    BmpLayout layout;
    layout.rows = oneColumn(1);
    layout.headerSize = 13;  // neither an OS/2 core header nor an info header
    expectRefusal(makeBmp(layout), "bad file BMP", "pic.bmp");
    layout.headerSize = 40;
    layout.offsetOverride = 30;  // the header would run into the pixels
    expectRefusal(makeBmp(layout), "bad file BMP", "pic.bmp");
    layout.offsetOverride = -1;

    for (auto [width, height, bits] : {std::tuple{0, 1, 24}, {1, 0, 24}, {-5, 1, 24}, {1, 1, 2}, {1, 1, 64}, {1, 1, 0}}) {
        layout.width = width;
        layout.height = height;
        layout.bits = static_cast<uint16_t>(bits);
        SCOPED_TRACE(testing::Message() << width << "x" << height << " bits " << bits);
        expectRefusal(makeBmp(layout), "bad file BMP", "pic.bmp");
    }

    // Pixel data said to start beyond the end of the file.
    layout = BmpLayout{};
    layout.offsetOverride = 400;
    std::vector<uint8_t> bytes = makeBmp(layout);
    bytes.resize(100);
    expectRefusal(bytes, "bad file BMP", "pic.bmp");
}

TEST(BmpRead, ColourTableOfAtMost256EntriesAfterA40ByteHeader) {
    BmpLayout layout;
    layout.bits = 8;
    layout.palette.assign(256, 0x123456);
    layout.rows = {7, 0, 0, 0};
    layout.offsetOverride = 14 + 40 + 1024;  // 1078: the longest header and table there is
    Image image;
    EXPECT_TRUE(decode(makeBmp(layout), image).ok);
    EXPECT_EQ(rgbAt(image, 0, 0), 0x123456u);
    layout.offsetOverride = 1079;
    expectRefusal(makeBmp(layout), "bad file BMP", "pic.bmp");
}

TEST(BmpRead, RefusesCompressedFilesWithTheCompressedMessage) {
    for (uint32_t compression : {1u, 2u, 3u, 4u, 5u, 6u}) {
        BmpLayout layout;
        layout.bits = compression == 3 ? 16 : 8;
        layout.compression = compression;
        layout.rows = oneColumn(1);
        SCOPED_TRACE(compression);
        expectRefusal(makeBmp(layout), "pic.bmp", "this BMP file is compressed: I can't read it");
    }
}

TEST(BmpRead, RefusesSizesBeyondTheRecordsRowArithmetic) {
    struct Case { int width, bits; bool fits; };
    // 24-bit: 3w bytes a row, at most 32764. 1-bit files are held at 8 bits, so the memory row counts too.
    for (Case c : {Case{10921, 24, true}, {10922, 24, false}, {32764, 1, true}, {32765, 1, false},
                   {40000, 8, false}, {8191, 32, true}, {8192, 32, false}}) {
        BmpLayout layout;
        layout.width = c.width;
        layout.bits = static_cast<uint16_t>(c.bits);
        if (c.bits <= 8) layout.palette.assign(size_t{1} << c.bits, 0);
        SCOPED_TRACE(testing::Message() << c.width << " at " << c.bits << " bits");
        if (c.fits) {
            Image image;
            EXPECT_TRUE(decode(makeBmp(layout), image).ok);
            EXPECT_EQ(image.width(), c.width);
        } else {
            expectRefusal(makeBmp(layout), "this picture is " + std::to_string(c.width) + " x 1 pixels: too big for me",
                          "pic.bmp");
        }
    }
    BmpLayout tall;
    tall.height = 40000;
    expectRefusal(makeBmp(tall), "this picture is 1 x 40000 pixels: too big for me", "pic.bmp");
    tall.height = -40000;
    expectRefusal(makeBmp(tall), "this picture is 1 x 40000 pixels: too big for me", "pic.bmp");
}

// A 3 x 2 picture at 8 bits: bottom row 1 2 3, top row 4 5 6.
BmpLayout eightBitSpec() {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bits = 8;
    for (uint32_t i = 0; i < 7; ++i) layout.palette.push_back(0x102030 * i);
    layout.rows = {1, 2, 3, 0, 4, 5, 6, 0};
    return layout;
}

void expectEightBitPicture(const Image& image) {
    EXPECT_EQ(image.mode, kMode256);
    EXPECT_EQ(image.bitCount(), 8);
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    EXPECT_EQ(image.header.biSize, 40u);
    const uint8_t top[] = {4, 5, 6}, bottom[] = {1, 2, 3};
    EXPECT_EQ(std::memcmp(image.row(0), top, 3), 0);
    EXPECT_EQ(std::memcmp(image.row(1), bottom, 3), 0);
    EXPECT_EQ(image.palette[6].value(), 0x102030u * 6);
}

TEST(BmpRead, HeaderVersionsAndRowOrderGiveTheSamePicture) {
    Image image;
    ASSERT_TRUE(decode(makeBmp(eightBitSpec()), image).ok);
    expectEightBitPicture(image);

    for (uint32_t headerSize : {16u, 52u, 64u, 108u, 124u}) {
        BmpLayout layout = eightBitSpec();
        layout.headerSize = headerSize;  // the colour table follows the longer header
        SCOPED_TRACE(headerSize);
        ASSERT_TRUE(decode(makeBmp(layout), image).ok);
        expectEightBitPicture(image);
    }

    BmpLayout os2 = eightBitSpec();
    os2.headerSize = 12;
    ASSERT_TRUE(decode(makeBmp(os2), image).ok);
    expectEightBitPicture(image);

    BmpLayout topDown = eightBitSpec();
    topDown.height = -2;
    topDown.rows = {4, 5, 6, 0, 1, 2, 3, 0};
    ASSERT_TRUE(decode(makeBmp(topDown), image).ok);
    expectEightBitPicture(image);
    EXPECT_GT(image.height(), 0);
}

TEST(BmpRead, PackedFilesBecomeEightBitPicturesWithTheFilesColours) {
    BmpLayout four;
    four.width = 3;
    four.height = 1;
    four.bits = 4;
    for (uint32_t i = 0; i < 16; ++i) four.palette.push_back(0x010203 * (i + 1));
    four.rows = {0xF1, 0x70, 0, 0};
    Image image;
    ASSERT_TRUE(decode(makeBmp(four), image).ok);
    EXPECT_EQ(image.mode, kMode16);
    EXPECT_EQ(image.bitCount(), 8);
    EXPECT_EQ(image.stride, 4);
    const uint8_t indices[] = {15, 1, 7};
    EXPECT_EQ(std::memcmp(image.row(0), indices, 3), 0);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image.palette[i].value(), 0x010203u * (i + 1)) << i;

    BmpLayout one;
    one.width = 9;
    one.height = 1;
    one.bits = 1;
    one.palette = {0x112233, 0xAABBCC};
    one.rows = {0xA0, 0x80, 0, 0};  // 1 0 1 0 0 0 0 0 | 1
    ASSERT_TRUE(decode(makeBmp(one), image).ok);
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_EQ(image.bitCount(), 8);
    const uint8_t bits[] = {15, 0, 15, 0, 0, 0, 0, 0, 15};
    EXPECT_EQ(std::memcmp(image.row(0), bits, 9), 0);
    EXPECT_EQ(rgbAt(image, 0, 0), 0xAABBCCu);
    EXPECT_EQ(rgbAt(image, 1, 0), 0x112233u);
}

TEST(BmpRead, SixteenAndThirtyTwoBitFilesBecomeTruecolorRememberingTheirDepth) {
    // 5-5-5 words: bits 10-14 red, 5-9 green, 0-4 blue; bit 15 is unused.
    BmpLayout sixteen;
    sixteen.width = 2;
    sixteen.bits = 16;
    const uint16_t a = (31 << 10) | (16 << 5) | 1;
    const uint16_t b = 0x8000 | (0 << 10) | (31 << 5) | 30;
    sixteen.rows = {static_cast<uint8_t>(a), static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(b),
                    static_cast<uint8_t>(b >> 8)};
    Image image;
    ASSERT_TRUE(decode(makeBmp(sixteen), image).ok);
    EXPECT_EQ(image.mode, kModeTrue16);
    EXPECT_EQ(image.bitCount(), 24);
    // Each channel is round(v * 255 / 31): 31 -> 255, 16 -> 132, 1 -> 8, 30 -> 247.
    EXPECT_EQ(rgbAt(image, 0, 0), 0xFF8408u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0x00FFF7u);

    BmpLayout thirtyTwo;
    thirtyTwo.width = 2;
    thirtyTwo.bits = 32;
    thirtyTwo.rows = {0x10, 0x20, 0x30, 0x80, 0xFF, 0xFE, 0xFD, 0x00};  // the fourth byte is not alpha
    ASSERT_TRUE(decode(makeBmp(thirtyTwo), image).ok);
    EXPECT_EQ(image.mode, kModeTrue32);
    EXPECT_EQ(image.bitCount(), 24);
    EXPECT_EQ(rgbAt(image, 0, 0), 0x302010u);
    EXPECT_EQ(rgbAt(image, 1, 0), 0xFDFEFFu);
}

TEST(BmpRead, ShortPixelDataIsReadAsFarAsItGoesAndTheRestCleared) {
    test::ScratchDir dir;
    // The same file through both readers: from bytes in memory, and from disc into the picture's buffer.
    auto both = [&](const BmpLayout& layout, auto&& check) {
        Image image;
        ASSERT_TRUE(decode(makeBmp(layout), image).ok);
        check(image);
        test::writeBytes(dir.file("short.bmp"), makeBmp(layout));
        createImage(image, 24, 24, 2, 3);
        std::fill_n(image.pixels.data(), image.pixelBytes(), 0xEE);  // what a fresh buffer might hold
        ASSERT_TRUE(readBmpFile(dir.file("short.bmp"), image, ModeSettings{}).ok);
        check(image);
    };
    BmpLayout layout;
    layout.width = 2;
    layout.height = 3;
    layout.rows = {1, 2, 3, 4, 5, 6, 0, 0,  // bottom row
                 7, 8, 9};                // half of the middle row
    both(layout, [](const Image& image) {
        EXPECT_EQ(rgbAt(image, 0, 2), 0x030201u);
        EXPECT_EQ(rgbAt(image, 1, 2), 0x060504u);
        EXPECT_EQ(rgbAt(image, 0, 1), 0x090807u);
        EXPECT_EQ(rgbAt(image, 1, 1), 0u);
        EXPECT_EQ(rgbAt(image, 0, 0), 0u);
        EXPECT_EQ(rgbAt(image, 1, 0), 0u);
    });

    // A top-down file that stops early loses its bottom rows, not its top ones.
    layout.height = -3;
    both(layout, [](const Image& image) {
        EXPECT_EQ(rgbAt(image, 0, 0), 0x030201u);
        EXPECT_EQ(rgbAt(image, 0, 1), 0x090807u);
        EXPECT_EQ(rgbAt(image, 1, 1), 0u);
        EXPECT_EQ(rgbAt(image, 1, 2), 0u);
    });

    Image image;
    const CodecResult missing = readBmpFile(dir.file("missing.bmp"), image, ModeSettings{});
    EXPECT_FALSE(missing.ok);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].text, "I can't open this file");
    EXPECT_EQ(missing.messages[0].caption, dir.file("missing.bmp"));
}

class BmpWrite : public testing::Test {
protected:
    test::ScratchDir dir;

    std::vector<uint8_t> written(const Image& image, const std::string& name = "out.bmp") {
        CodecResult r = writeBmp(dir.file(name), image, ModeSettings{});
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.messages.empty());
        return test::readBytes(dir.file(name));
    }
};

TEST_F(BmpWrite, TruecolorLayout) {
    Image image;
    ASSERT_TRUE(createImage(image, -1, 24, 5, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 15; ++x) image.row(y)[x] = static_cast<uint8_t>(16 * y + x);
        image.row(y)[15] = 0xEE;  // padding in memory
    }
    std::vector<uint8_t> file = written(image);
    ASSERT_EQ(file.size(), 102u);  // 54 + 16 bytes a row x 3
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(get32(file, 2), 102u);
    EXPECT_EQ(get32(file, 6), 0u);
    EXPECT_EQ(get32(file, 10), 54u);
    EXPECT_EQ(get32(file, 14), 40u);
    EXPECT_EQ(get32(file, 18), 5u);
    EXPECT_EQ(get32(file, 22), 3u);
    EXPECT_EQ(file[28], 24);
    // Bottom row first.
    for (int x = 0; x < 15; ++x) {
        EXPECT_EQ(file[54 + x], 32 + x);
        EXPECT_EQ(file[54 + 32 + x], x);
    }
    EXPECT_EQ(file[54 + 15], 0) << "row padding is written as zeros";
}

TEST_F(BmpWrite, TwoColorPicturesPackToOneBitWithThePicturesColours) {
    Image image;
    ASSERT_TRUE(createImage(image, kMode2, 8, 9, 2));
    image.palette[0] = RgbQuad::fromValue(0x224466);
    image.palette[15] = RgbQuad::fromValue(0xEEDDCC);
    const uint8_t top[9] = {15, 0, 0, 0, 0, 0, 0, 15, 15}, bottom[9] = {0, 0, 0, 0, 0, 0, 0, 0, 15};
    std::memcpy(image.row(0), top, 9);
    std::memcpy(image.row(1), bottom, 9);
    std::vector<uint8_t> file = written(image);
    ASSERT_EQ(file.size(), 54u + 8 + 2 * 4);
    EXPECT_EQ(get32(file, 10), 62u);
    EXPECT_EQ(file[28], 1);
    EXPECT_EQ(get32(file, 54), 0x224466u);  // file entry 0 = picture entry 0
    EXPECT_EQ(get32(file, 58), 0xEEDDCCu);  // file entry 1 = picture entry 15
    EXPECT_EQ(file[62], 0x00);
    EXPECT_EQ(file[63], 0x80);
    EXPECT_EQ(file[64], 0x00);
    EXPECT_EQ(file[65], 0x00);
    EXPECT_EQ(file[66], 0x81);
    EXPECT_EQ(file[67], 0x80);
}

TEST_F(BmpWrite, SixteenColorFileReadsAndWritesBackAtFourBits) {
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bits = 4;
    for (uint32_t i = 0; i < 16; ++i) layout.palette.push_back(0x0A0B0C + 0x010101 * i);
    layout.rows = {0x12, 0x30, 0, 0, 0xFE, 0xD0, 0, 0};
    Image image;
    ASSERT_TRUE(decode(makeBmp(layout), image).ok);
    std::vector<uint8_t> file = written(image);
    ASSERT_EQ(file.size(), 118u + 8);
    EXPECT_EQ(get32(file, 10), 118u);
    EXPECT_EQ(file[28], 4);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(get32(file, 54 + 4 * i), 0x0A0B0Cu + 0x010101 * i);
    EXPECT_EQ(file[118], 0x12);
    EXPECT_EQ(file[119], 0x30);
    EXPECT_EQ(file[122], 0xFE);
    EXPECT_EQ(file[123], 0xD0);
}

TEST_F(BmpWrite, FailedWritesLeaveNoFileAndKeepAnExistingOne) {
    Image image;
    ASSERT_TRUE(createImage(image, -1, 24, 2, 2));
    const std::string missing = dir.file("no/such/folder.bmp");
    CodecResult r = writeBmp(missing, image, ModeSettings{});
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "I can't open this file");
    EXPECT_EQ(r.messages[0].caption, missing);

    // A record without its rows cannot be written; the file already there stays as it was.
    test::writeBytes(dir.file("keep.bmp"), {1, 2, 3});
    image.pixels.reset();
    EXPECT_FALSE(writeBmp(dir.file("keep.bmp"), image, ModeSettings{}).ok);
    EXPECT_EQ(test::readBytes(dir.file("keep.bmp")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir.entryCount(), 1u);
}

}  // namespace
}  // namespace vyd
