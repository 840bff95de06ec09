#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "formats/gif.h"
#include "formats/gif_lzw.h"
#include "gif/gif_test_util.h"

using namespace vyd;
using namespace giftest;

namespace {

const std::string kReadCaption = "error in reading a .GIF file";

std::string tempPath(const std::string& leaf) {
    auto dir = std::filesystem::temp_directory_path() / ("vyd_gif_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return (dir / leaf).string();
}

CodecResult decode(const std::vector<uint8_t>& bytes, Image& image) {
    return decodeGif(bytes, "pic.gif", image, ModeSettings{});
}

// A failed read gives the message twice (under the reader's caption, then the file name) and an empty image.
void expectRefusal(const CodecResult& result, const Image& image, const std::string& message) {
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 2u);
    EXPECT_EQ(result.messages[0].text, message);
    EXPECT_EQ(result.messages[0].caption, kReadCaption);
    EXPECT_EQ(result.messages[1].text, message);
    EXPECT_EQ(result.messages[1].caption, "pic.gif");
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_EQ(image.width(), 0);
}

}  // namespace

// ---- writer: exact bytes ----

TEST(GifWriter, OnePixelGivesCodes256_5_257InOneFourByteSubBlock) {
    Image image;
    makePicture(image, 1, 1, {5}, 7);
    std::string path = tempPath("one.gif");
    ASSERT_TRUE(writeGif(path, image, {}).ok);

    std::vector<uint8_t> expected = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0xF7, 0, 0};
    for (const RgbQuad& c : image.palette) expected.insert(expected.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    // 256 | 5 << 9 | 257 << 18 = 0x04040B00, 27 bits in four bytes.
    expected.insert(expected.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 8, 4, 0x00, 0x0B, 0x04, 0x04, 0, 0x3B});
    EXPECT_EQ(readFile(path), expected);
}

// Pixels whose every neighbouring pair is new make one code per pixel and one table entry per code.
TEST(GifWriter, TableFullAfter3838NewStringsSendsClearAndReturnsToNineBits) {
    std::vector<uint8_t> pixels{0};
    std::vector<bool> used(65536, false);
    std::vector<uint8_t> start = noise(4500, 77);
    while (pixels.size() < 4500) {
        int a = pixels.back(), b = start[pixels.size()];
        while (used[a * 256 + b]) b = (b + 1) & 255;
        used[a * 256 + b] = true;
        pixels.push_back(static_cast<uint8_t>(b));
    }
    Image image;
    makePicture(image, 90, 50, pixels, 1);
    std::string path = tempPath("reset.gif");
    ASSERT_TRUE(writeGif(path, image, {}).ok);

    auto file = readFile(path);
    const size_t dataStart = 13 + 768 + 10 + 1;
    ASSERT_EQ(file[dataStart - 1], 8);
    // Sub-blocks of 254 bytes, the last one shorter, then the zero count and the trailer.
    size_t pos = dataStart;
    while (file[pos] == 254) pos += 255;
    ASSERT_LT(file[pos], 254);
    EXPECT_EQ(pos + 1 + file[pos] + 2, file.size());
    EXPECT_EQ(file.back(), 0x3B);

    auto codes = readCodes(joinSubBlocks(file, dataStart), 8);
    std::vector<std::pair<int, int>> expected{{256, 9}};
    int width = 9, next = 258;
    for (size_t k = 0; k < pixels.size(); ++k) {
        if (k == 3839) {
            expected.push_back({256, 12});
            width = 9;
            next = 258;
        }
        expected.push_back({pixels[k], width});
        if (k != 0 && k != 3839 && ++next == (1 << width) && width < 12) ++width;  // first codes add nothing
    }
    expected.push_back({257, width});
    for (size_t i = 0; i < std::min(codes.size(), expected.size()); ++i) {
        ASSERT_EQ(codes[i], expected[i]) << "code " << i;
    }
    ASSERT_EQ(codes.size(), expected.size());

    Image back;
    ASSERT_TRUE(readGif(path, back).ok);
    EXPECT_EQ(indicesOf(back), pixels);
}

TEST(GifWriter, RoundTripsEdgeWidthsRunsAndNoise) {
    struct Case { int w, h; std::vector<uint8_t> pixels; };
    std::vector<Case> cases;
    for (int w : {1, 7, 8, 9, 33}) cases.push_back({w, 13, noise(w * 13, w, 4)});
    cases.push_back({300, 200, std::vector<uint8_t>(60000, 9)});        // one long run: strings to 4096
    cases.push_back({257, 129, noise(257 * 129, 3)});                   // many table resets
    cases.push_back({1, 5000, noise(5000, 5, 2)});                      // one pixel a row
    for (const auto& c : cases) {
        Image image, back;
        makePicture(image, c.w, c.h, c.pixels, 9);
        std::string path = tempPath("round.gif");
        ASSERT_TRUE(writeGif(path, image, {}).ok);
        ASSERT_TRUE(readGif(path, back).ok);
        EXPECT_EQ(back.mode, kMode256);
        EXPECT_EQ(indicesOf(back), c.pixels) << c.w << "x" << c.h;
        EXPECT_TRUE(std::equal(back.palette, back.palette + 256, image.palette));
    }
}

TEST(GifWriter, RefusalsLeaveNoFileAndKeepTheOldOne) {
    std::string path = tempPath("keep.gif");
    writeFile(path, {1, 2, 3});
    Image truecolor;
    createImage(truecolor, -1, 24, 4, 4);
    CodecResult r = writeGif(path, truecolor, {});
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "I can't print truecolor as GIF");
    EXPECT_EQ(r.messages[0].caption, "error in gifwrite");
    EXPECT_EQ(readFile(path), (std::vector<uint8_t>{1, 2, 3}));

    Image image;
    makePicture(image, 2, 2, {1, 2, 3, 4}, 0);
    std::string nowhere = tempPath("no/such/folder/x.gif");
    r = writeGif(nowhere, image, {});
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, nowhere);
    EXPECT_EQ(r.messages[0].caption, "gifread: I can't open this file");

    // 2-color, 16-color and greys pictures held at 8 bits are written with their whole palette.
    createImage(image, kModeGreys, 8, 2, 1);
    image.row(0)[0] = 200;
    image.row(0)[1] = 3;
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    ASSERT_TRUE(writeGif(path, image, {}).ok);
    Image back;
    ASSERT_TRUE(readGif(path, back).ok);
    EXPECT_EQ(back.mode, kMode256);
    EXPECT_EQ(rgbOf(back), (std::vector<uint8_t>{200, 200, 200, 3, 3, 3}));
}

// ---- reader: container ----

TEST(GifReader, InterlacedRowsArriveInFourPasses) {
    // Height 10 sends rows 0, 8, 4, 2, 6, 1, 3, 5, 7, 9; each row of 3 pixels holds its own row number.
    const int arrival[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    std::vector<uint8_t> sent;
    for (int r : arrival) sent.insert(sent.end(), 3, static_cast<uint8_t>(r));
    Image image;
    auto bytes = GifFile().image(3, 10, sent, true).trailer().bytes;
    ASSERT_TRUE(decode(bytes, image).ok);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(image.row(y)[x], y) << x << "," << y;
    }
    EXPECT_EQ(gifRowOrder(10, true), (std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}));
}

TEST(GifReader, ThreeImagesKeepTheFirstAndCountThem) {
    std::vector<uint8_t> first = noise(35, 1);
    auto bytes = GifFile(7, 0x11)
                     .extension(0xF9, {0, 0, 0, 0})
                     .image(5, 7, first)
                     .image(9, 9, noise(81, 2), false, 7, 0x22)  // local tables replace the colours
                     .extension(0xFE, {'h', 'i'})
                     .image(2, 3, noise(6, 3), true, 1, 0x33)
                     .trailer()
                     .bytes;
    Image image;
    CodecResult r = decode(bytes, image);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "this file may be a movie and has 3 images: I will show the first");
    EXPECT_EQ(r.messages[0].caption, "pic.gif");
    EXPECT_EQ(image.width(), 5);
    EXPECT_EQ(image.height(), 7);
    EXPECT_EQ(indicesOf(image), first);
    for (int i = 0; i < 256; ++i) {  // colour i = (i, 255 - i, seed ^ i)
        EXPECT_EQ(image.palette[i], (RgbQuad{uint8_t(0x11 ^ i), uint8_t(255 - i), uint8_t(i), 0})) << i;
    }
}

TEST(GifReader, SmallTablesFillTheirEntriesOnly) {
    Image image;
    image.palette[100] = {1, 2, 3, 0};
    auto bytes = GifFile(0, 0x40).image(2, 1, {1, 0}).trailer().bytes;
    ASSERT_TRUE(decode(bytes, image).ok);
    EXPECT_EQ(image.palette[0], (RgbQuad{0x40, 255, 0, 0}));
    EXPECT_EQ(image.palette[1], (RgbQuad{0x41, 254, 1, 0}));
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(image.palette[i], (RgbQuad{defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0}));
    }
    EXPECT_EQ(image.palette[100], (RgbQuad{1, 2, 3, 0}));  // entries past 15 keep what they held
}

TEST(GifReader, DataWithoutEndCodeStopsWhenRowsAreFull) {
    // The first image's data runs on past its last row (no end code, more codes in a later sub-block);
    // the rest is skipped and the next image is still found.
    std::vector<uint8_t> pixels = noise(40, 4);
    std::vector<uint8_t> extra = pixels;
    extra.insert(extra.end(), 600, 7);
    auto bytes = GifFile()
                     .image(8, 5, false, -1, 0, 8, subBlocks(literalCodes(extra, false), 100))
                     .image(1, 1, {0})
                     .trailer()
                     .bytes;
    Image image;
    CodecResult r = decode(bytes, image);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(indicesOf(image), pixels);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "this file may be a movie and has 2 images: I will show the first");
}

TEST(GifReader, StructuralFaultsGiveTheirMessages) {
    Image image;
    std::vector<uint8_t> good = GifFile().image(2, 2, {1, 2, 3, 4}).trailer().bytes;

    expectRefusal(decode(GifFile().trailer().bytes, image), image, "no image");
    expectRefusal(decode({'G', 'I', 'F', '8', '9', 'a', 1, 0}, image), image, "header not read");
    expectRefusal(decode(GifFile(-1, 0, "GIF88a").image(1, 1, {0}).bytes, image), image,
                  "not GIF version 87a or 89a");
    expectRefusal(decode(GifFile(-1).image(1, 1, {0}).trailer().bytes, image), image, "no palette");

    auto bad = good;
    bad.back() = 0x2A;
    expectRefusal(decode(bad, image), image, "bad separator: 0x2a");
    // Everything read well but the trailer is missing: the next separator cannot be read.
    bad = good;
    bad.pop_back();
    expectRefusal(decode(bad, image), image, "separator not read");

    auto head = GifFile().bytes;
    auto cut = [&](std::vector<uint8_t> tail) {
        auto b = head;
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    expectRefusal(decode(cut({0x2C, 0, 0, 0, 0, 1}), image), image, "image header not read");
    expectRefusal(decode(cut({0x21}), image), image, "block code not read");
    expectRefusal(decode(cut({0x21, 0xF9}), image), image, "block size not read");
    expectRefusal(decode(cut({0x21, 0xF9, 4, 1, 2}), image), image, "block not read");

    // A later image's fault fails the whole read.
    auto later = GifFile().image(2, 2, {1, 2, 3, 4}).bytes;
    later.insert(later.end(), {0x2C, 0, 0});
    expectRefusal(decode(later, image), image, "image header not read");

    EXPECT_TRUE(decode(good, image).ok);
    EXPECT_TRUE(decode(GifFile(7, 0, "GIF87a").image(2, 2, {1, 2, 3, 4}).trailer().bytes, image).ok);
}

TEST(GifReader, FileNotFound) {
    Image image;
    CodecResult r = readGif(tempPath("absent.gif"), image);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].text, "file not found");
    EXPECT_EQ(r.messages[0].caption, kReadCaption);
    EXPECT_FALSE(r.ok);
}

// ---- reader: LZW and damaged data ----

TEST(GifReader, DecodesTableCodesAndTheCodeNotYetInTheTable) {
    // Minimum code size 2: clear 4, end 5, first free code 6. At 3 bits: 1; 6 = "1 1" (sent before it is in
    // the table); 7 = "1 1 1", after which the next free code is 8 and codes widen to 4 bits: 2; 8 = "1 1 1 2";
    // 9 = "2 1".
    auto data = packCodes({{4, 3}, {1, 3}, {6, 3}, {7, 3}, {2, 4}, {8, 4}, {9, 4}, {5, 4}});
    Image image;
    auto bytes = GifFile(1).image(7, 2, false, -1, 0, 2, subBlocks(data)).trailer().bytes;
    ASSERT_TRUE(decode(bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 2, 2, 1, 0}));
}

TEST(GifReader, DamagedDataStopsCleanlyAndClearsTheRest) {
    Image image;
    image.palette[0] = {};
    // A code beyond the table (7 while 6 is the next free code) stops decoding: the rest is index 0.
    auto corrupt = packCodes({{4, 3}, {3, 3}, {7, 3}, {1, 3}, {1, 3}, {5, 3}});
    ASSERT_TRUE(decode(GifFile(1).image(3, 2, false, -1, 0, 2, subBlocks(corrupt)).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{3, 0, 0, 0, 0, 0}));

    // So does a table code straight after a clear code.
    auto afterClear = packCodes({{4, 3}, {1, 3}, {4, 3}, {6, 3}, {1, 3}, {5, 3}});
    ASSERT_TRUE(decode(GifFile(1).image(3, 1, false, -1, 0, 2, subBlocks(afterClear)).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (std::vector<uint8_t>{1, 0, 0}));

    // A file that ends inside the image data keeps what was decoded, interlaced rows included.
    std::vector<uint8_t> rows(6 * 16);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(1 + i / 6);
    auto full = GifFile().image(6, 16, rows, true).trailer().bytes;
    auto truncated = std::vector<uint8_t>(full.begin(), full.end() - 70);
    ASSERT_TRUE(decode(truncated, image).ok);
    int decodedRows = 0;
    std::vector<int> order = gifRowOrder(16, true);
    for (int i = 0; i < 16; ++i) {
        std::vector<uint8_t> expect(6, static_cast<uint8_t>(1 + i));
        std::vector<uint8_t> got(image.row(order[i]), image.row(order[i]) + 6);
        if (got == expect) {
            EXPECT_EQ(decodedRows, i) << "rows arrive in order";
            ++decodedRows;
        } else {
            for (int x = 0; x < 6; ++x) {
                if (got[x] != 0) {
                    EXPECT_EQ(got[x], expect[x]) << "row " << order[i];
                }
            }
        }
    }
    EXPECT_GT(decodedRows, 3);
    EXPECT_LT(decodedRows, 16);
    std::vector<uint8_t> lastRow(image.row(order[15]), image.row(order[15]) + 6);
    EXPECT_EQ(lastRow, std::vector<uint8_t>(6, 0));

    // Impossible minimum code sizes decode nothing; the picture is blank but defined.
    for (int minCode : {12, 200}) {
        ASSERT_TRUE(decode(GifFile().image(4, 4, false, -1, 0, minCode, subBlocks(noise(40, 1))).trailer().bytes,
                           image).ok);
        EXPECT_EQ(indicesOf(image), std::vector<uint8_t>(16, 0));
    }
}

TEST(GifReader, InvalidSizesAreRefused) {
    Image image;
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {40000, 2}, {2, 40000}, {32765, 1}}) {
        auto bytes = GifFile().image(w, h, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes;
        expectRefusal(decode(bytes, image), image, "I can't create the image array");
    }
    auto bytes = GifFile().image(32764, 1, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes;
    ASSERT_TRUE(decode(bytes, image).ok);
    EXPECT_EQ(image.row(0)[1], 2);
    EXPECT_EQ(image.row(0)[32763], 0);
}

TEST(GifLzw, DecoderNeverWritesPastItsSlack) {
    // A long run decodes into long copied strings; the bytes after total + slack stay untouched.
    Image image;
    makePicture(image, 61, 1, std::vector<uint8_t>(61, 3), 0);
    std::string path = tempPath("run.gif");
    ASSERT_TRUE(writeGif(path, image, {}).ok);
    auto file = readFile(path);
    auto data = joinSubBlocks(file, 13 + 768 + 11);
    for (size_t total : {1u, 2u, 3u, 10u, 60u, 61u}) {
        std::vector<uint8_t> out(total + kGifLzwSlack + 16, 0xEE);
        EXPECT_EQ(decodeGifLzw(data, 8, out.data(), total), total);
        for (size_t i = 0; i < total; ++i) EXPECT_EQ(out[i], 3);
        for (size_t i = total + kGifLzwSlack; i < out.size(); ++i) EXPECT_EQ(out[i], 0xEE);
    }
}
