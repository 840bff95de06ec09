#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "formats/gif.h"
#include "gif/gif_test_util.h"

using namespace vyd;
using namespace giftest;

namespace {

std::string tempPath(const std::string& leaf) {
    auto dir = std::filesystem::temp_directory_path() / ("vyd_gif_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return (dir / leaf).string();
}

CodecResult decode(const Bytes& bytes, Image& image) { return decodeGif(bytes, "pic.gif", image, ModeSettings{}); }

// A failed read gives the message twice (under the reader's caption, then the file name) and an empty image.
void expectRefusal(const CodecResult& result, const Image& image, const std::string& message) {
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 2u) << message;
    EXPECT_EQ(result.messages[0].text, message);
    EXPECT_EQ(result.messages[0].caption, "error in reading a .GIF file");
    EXPECT_EQ(result.messages[1].text, message);
    EXPECT_EQ(result.messages[1].caption, "pic.gif");
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.mode, kMode2);
}

}  // namespace

TEST(GifWriter, OnePixelGivesCodes256_5_257InOneFourByteSubBlock) {
    Image image;
    makePicture(image, 1, 1, {5}, 7);
    std::string path = tempPath("one.gif");
    ASSERT_TRUE(writeGif(path, image, {}).ok);
    Bytes expected = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0xF7, 0, 0};
    for (const RgbQuad& c : image.palette) expected.insert(expected.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    // 256 | 5 << 9 | 257 << 18 = 0x04040B00: 27 bits in four bytes.
    expected.insert(expected.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 8, 4, 0x00, 0x0B, 0x04, 0x04, 0, 0x3B});
    EXPECT_EQ(readFile(path), expected);
}

// Pixels whose every neighbouring pair is new make one code per pixel and one table entry per code.
TEST(GifWriter, TableFullAfter3838NewStringsSendsClearAndReturnsToNineBits) {
    Bytes pixels{0}, start = noise(4500, 77);
    std::vector<bool> used(65536, false);
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
    Bytes file = readFile(path);
    const size_t dataStart = 13 + 768 + 11;
    size_t pos = dataStart;  // sub-blocks of 254 bytes, the last one shorter, the zero count, the trailer
    while (file[pos] == 254) pos += 255;
    ASSERT_LT(file[pos], 254);
    EXPECT_EQ(pos + 1 + file[pos] + 2, file.size());

    std::vector<std::pair<int, int>> expected{{256, 9}};
    int width = 9, next = 258;
    for (size_t k = 0; k < pixels.size(); ++k) {
        if (k == 3839) expected.push_back({256, 12}), width = 9, next = 258;
        expected.push_back({pixels[k], width});
        if (k != 0 && k != 3839 && ++next == (1 << width) && width < 12) ++width;  // first codes add nothing
    }
    expected.push_back({257, width});
    EXPECT_EQ(readCodes(joinSubBlocks(file, dataStart), 8), expected);
    Image back;
    ASSERT_TRUE(readGif(path, back).ok);
    EXPECT_EQ(indicesOf(back), pixels);
}

TEST(GifWriter, RefusalsLeaveNoFileAndKeepTheOldOne) {
    std::string path = tempPath("keep.gif");
    writeFile(path, {1, 2, 3});
    Image truecolor;
    createImage(truecolor, -1, 24, 4, 4);
    CodecResult r = writeGif(path, truecolor, {});
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "I can't print truecolor as GIF");
    EXPECT_EQ(r.messages[0].caption, "error in gifwrite");
    EXPECT_EQ(readFile(path), (Bytes{1, 2, 3}));

    Image image;
    makePicture(image, 2, 2, {1, 2, 3, 4}, 0);
    std::string nowhere = tempPath("no/such/folder/x.gif");
    r = writeGif(nowhere, image, {});
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, nowhere);
    EXPECT_EQ(r.messages[0].caption, "gifread: I can't open this file");

    // Greys (like 2-color and 16-color) held at 8 bits go out as 256 colours with the whole palette.
    createImage(image, kModeGreys, 8, 2, 1);
    image.row(0)[0] = 200;
    image.row(0)[1] = 3;
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    ASSERT_TRUE(writeGif(path, image, {}).ok);
    ASSERT_TRUE(readGif(path, image).ok);
    EXPECT_EQ(image.mode, kMode256);
    EXPECT_EQ(rgbOf(image), (Bytes{200, 200, 200, 3, 3, 3}));
}

TEST(GifReader, InterlacedRowsAndTheFirstOfThreeImages) {
    // Height 10 sends rows 0, 8, 4, 2, 6, 1, 3, 5, 7, 9; each row of 3 pixels holds its own number.
    Bytes sent;
    for (int r : {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}) sent.insert(sent.end(), 3, static_cast<uint8_t>(r));
    auto bytes = GifFile(7, 0x11)
                     .extension(0xF9, {0, 0, 0, 0})
                     .image(3, 10, sent, true)
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
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 10);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(Bytes(image.row(y), image.row(y) + 3), Bytes(3, uint8_t(y))) << y;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(image.palette[i], (RgbQuad{uint8_t(0x11 ^ i), uint8_t(255 - i), uint8_t(i), 0}));
}

TEST(GifReader, SmallTablesFillTheirEntriesOnly) {
    Image image;
    image.palette[100] = {1, 2, 3, 0};
    ASSERT_TRUE(decode(GifFile(0, 0x40).image(2, 1, {1, 0}).trailer().bytes, image).ok);
    EXPECT_EQ(image.palette[0], (RgbQuad{0x40, 255, 0, 0}));
    EXPECT_EQ(image.palette[1], (RgbQuad{0x41, 254, 1, 0}));
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(image.palette[i], (RgbQuad{defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0}));
    }
    EXPECT_EQ(image.palette[100], (RgbQuad{1, 2, 3, 0}));
}

TEST(GifReader, DataWithoutEndCodeStopsWhenRowsAreFull) {
    Bytes pixels = noise(40, 4), longer = pixels;
    longer.insert(longer.end(), 600, 7);  // runs on past the last row, over several sub-blocks
    auto bytes = GifFile().image(8, 5, false, -1, 0, 8, subBlocks(literalCodes(longer, false), 100))
                     .image(1, 1, {0}).trailer().bytes;
    Image image;
    CodecResult r = decode(bytes, image);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(indicesOf(image), pixels);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "this file may be a movie and has 2 images: I will show the first");
}

TEST(GifReader, StructuralFaultsGiveTheirMessages) {
    Image image;
    Bytes good = GifFile().image(2, 2, {1, 2, 3, 4}).trailer().bytes;
    EXPECT_TRUE(decode(good, image).ok);
    EXPECT_TRUE(decode(GifFile(7, 0, "GIF87a").image(2, 2, {1, 2, 3, 4}).trailer().bytes, image).ok);
    auto withTail = [](Bytes file, Bytes tail) {
        file.insert(file.end(), tail.begin(), tail.end());
        return file;
    };
    const std::pair<Bytes, std::string> cases[] = {
        {GifFile().trailer().bytes, "no image"},
        {{'G', 'I', 'F', '8', '9', 'a', 1, 0}, "header not read"},
        {GifFile(-1, 0, "GIF88a").image(1, 1, {0}).bytes, "not GIF version 87a or 89a"},
        {GifFile(-1).image(1, 1, {0}).trailer().bytes, "no palette"},
        {withTail(Bytes(good.begin(), good.end() - 1), {0x2A}), "bad separator: 0x2a"},
        {Bytes(good.begin(), good.end() - 1), "separator not read"},  // everything but the trailer
        {withTail(GifFile().bytes, {0x2C, 0, 0, 0, 0, 1}), "image header not read"},
        {withTail(GifFile().bytes, {0x21}), "block code not read"},
        {withTail(GifFile().bytes, {0x21, 0xF9}), "block size not read"},
        {withTail(GifFile().bytes, {0x21, 0xF9, 4, 1, 2}), "block not read"},
        {withTail(GifFile().image(2, 2, {1, 2, 3, 4}).bytes, {0x2C, 0, 0}), "image header not read"},  // later image
    };
    for (const auto& [bytes, message] : cases) expectRefusal(decode(bytes, image), image, message);

    CodecResult r = readGif(tempPath("absent.gif"), image);
    ASSERT_EQ(r.messages.size(), 2u);
    EXPECT_EQ(r.messages[0].text, "file not found");
}

TEST(GifReader, DecodesTableCodesAndTheCodeNotYetInTheTable) {
    // Minimum code size 2: clear 4, end 5. At 3 bits: 1; 6 = "1 1" (sent before it is in the table); 7 = "1 1 1",
    // after which the next free code is 8 and codes are 4 bits: 2; 8 = "1 1 1 2"; 9 = "2 1".
    auto data = packCodes({{4, 3}, {1, 3}, {6, 3}, {7, 3}, {2, 4}, {8, 4}, {9, 4}, {5, 4}});
    Image image;
    ASSERT_TRUE(decode(GifFile(1).image(7, 2, false, -1, 0, 2, subBlocks(data)).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (Bytes{1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 2, 2, 1, 0}));
}

TEST(GifReader, DamagedDataStopsCleanlyAndClearsTheRest) {
    Image image;
    // A code beyond the table (7 while 6 is the next free code), or a table code straight after a clear code.
    auto beyond = packCodes({{4, 3}, {3, 3}, {7, 3}, {1, 3}, {1, 3}, {5, 3}});
    ASSERT_TRUE(decode(GifFile(1).image(3, 2, false, -1, 0, 2, subBlocks(beyond)).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (Bytes{3, 0, 0, 0, 0, 0}));
    auto afterClear = packCodes({{4, 3}, {1, 3}, {4, 3}, {6, 3}, {1, 3}, {5, 3}});
    ASSERT_TRUE(decode(GifFile(1).image(3, 1, false, -1, 0, 2, subBlocks(afterClear)).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), (Bytes{1, 0, 0}));
    // Impossible minimum code sizes decode nothing.
    ASSERT_TRUE(decode(GifFile().image(4, 4, false, -1, 0, 12, subBlocks(noise(40, 1))).trailer().bytes, image).ok);
    EXPECT_EQ(indicesOf(image), Bytes(16, 0));

    // A file that ends inside interlaced data keeps the rows that arrived; the others are cleared.
    Bytes sent(6 * 16);
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<uint8_t>(1 + i / 6);  // arrival k holds k + 1
    Bytes full = GifFile().image(6, 16, sent, true).trailer().bytes;
    ASSERT_TRUE(decode(Bytes(full.begin(), full.end() - 70), image).ok);
    std::vector<int> order = gifRowOrder(16, true);
    int whole = 0;
    for (int k = 0; k < 16; ++k) {
        Bytes row(image.row(order[k]), image.row(order[k]) + 6);
        if (row == Bytes(6, uint8_t(k + 1)) && whole == k) ++whole;
        for (uint8_t v : row) EXPECT_TRUE(v == 0 || (v == k + 1 && k <= whole)) << "arrival " << k;
    }
    EXPECT_GT(whole, 3);
    EXPECT_LT(whole, 15);
}

TEST(GifReader, InvalidSizesAreRefused) {
    Image image;
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {40000, 2}, {2, 40000}, {32765, 1}}) {
        auto bytes = GifFile().image(w, h, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes;
        expectRefusal(decode(bytes, image), image, "I can't create the image array");
    }
    ASSERT_TRUE(decode(GifFile().image(32764, 1, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes,
                       image).ok);
    EXPECT_EQ(image.row(0)[1], 2);
    EXPECT_EQ(image.row(0)[32763], 0);
}

// Files the fuzzer found (tests/data/gif): huge pictures with little data once took minutes to lay out.
TEST(GifReader, FuzzerFindsEndCleanlyAndQuickly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VYD_TEST_DATA) + "/gif")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        Image image;
        auto started = std::chrono::steady_clock::now();
        CodecResult r = decode(readFile(entry.path().string()), image);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 30.0);
        if (entry.path().filename() == "fuzz-large-image-then-bad-separator.gif") {
            expectRefusal(r, image, "bad separator: 0x20");
        } else if (r.ok) {
            const uint8_t* last = image.row(image.height() - 1);  // the data ran out before the last row
            EXPECT_EQ(std::count(last, last + image.width(), 0), image.width());
        } else {
            EXPECT_EQ(r.messages.size(), 2u);
        }
    }
    EXPECT_GE(files, 3);
}
