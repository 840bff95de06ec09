#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "formats/format_table.h"
#include "formats/gif.h"
#include "gif/gif_test_util.h"

using namespace vyd;
using namespace giftest;

namespace {

Decoded decode(const Bytes& bytes) { return decodeGif(bytes, ModeSettings{}); }

// The bytes of the GIF file of an image.
Bytes encoded(const Image& image) {
    const Encoded result = encodeGif(image, {});
    EXPECT_TRUE(result.ok());
    return result.bytes.flatten();
}

// A failed read gives an empty image.
void expectRefusal(const Decoded& result, CodecError error, int64_t detail = 0) {
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, error);
    EXPECT_EQ(result.failure->detail.first, detail);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_FALSE(result.picture.hasPixels());
    EXPECT_EQ(result.picture.mode, kMode2);
}

void expectImageCount(const Decoded& result, int count) {
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].warning, CodecWarning::GifImageCount);
    EXPECT_EQ(result.warnings[0].detail.first, count);
}

}  // namespace

TEST(GifWriter, OnePixelGivesCodes256_5_257InOneFourByteSubBlock) {
    Image image;
    makePicture(image, 1, 1, {5}, 7);
    Bytes expected = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0xF7, 0, 0};
    for (const RgbQuad& c : image.palette) expected.insert(expected.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    // 256 | 5 << 9 | 257 << 18 = 0x04040B00: 27 bits in four bytes.
    expected.insert(expected.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 8, 4, 0x00, 0x0B, 0x04, 0x04, 0, 0x3B});
    EXPECT_EQ(encoded(image), expected);
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
    const Bytes file = encoded(image);
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
    const Decoded back = decode(file);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(indicesOf(back.picture), pixels);
}

TEST(GifWriter, RefusalsLeaveNoFileAndKeepTheOldOne) {
    vyd::test::ScratchDir dir;
    const std::string path = dir.file("keep.gif");
    writeFile(path, {1, 2, 3});
    Image truecolor;
    createImage(truecolor, -1, 24, 4, 4);
    Encoded r = encodeImageFile(kGifFormat, truecolor, {}, path);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, CodecError::GifTruecolor);
    EXPECT_EQ(readFile(path), (Bytes{1, 2, 3}));
    Image empty;
    createImage(empty, kMode256, 8, 0, 0);
    r = encodeGif(empty, {});
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, CodecError::GifNothingToWrite);

    Image image;
    makePicture(image, 2, 2, {1, 2, 3, 4}, 0);
    r = encodeImageFile(kGifFormat, image, {}, dir.file("no/such/folder/x.gif"));
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, CodecError::GifCantCreateFile);

    // Greys (like 2-color and 16-color) held at 8 bits go out as 256 colours with the whole palette.
    createImage(image, kModeGreys, 8, 2, 1);
    image.row(0)[0] = 200;
    image.row(0)[1] = 3;
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    const Decoded back = decode(encoded(image));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.picture.mode, kMode256);
    EXPECT_EQ(rgbOf(back.picture), (Bytes{200, 200, 200, 3, 3, 3}));
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
    const Decoded r = decode(bytes);
    ASSERT_TRUE(r.ok());
    expectImageCount(r, 3);
    const Image& image = r.picture;
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 10);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(Bytes(image.row(y), image.row(y) + 3), Bytes(3, uint8_t(y))) << y;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(image.palette[i], (RgbQuad{uint8_t(0x11 ^ i), uint8_t(255 - i), uint8_t(i), 0}));
}

TEST(GifReader, SmallTablesFillTheirEntriesOnly) {
    const Decoded r = decode(GifFile(0, 0x40).image(2, 1, {1, 0}).trailer().bytes);
    ASSERT_TRUE(r.ok());
    const Image& image = r.picture;
    EXPECT_EQ(image.palette[0], (RgbQuad{0x40, 255, 0, 0}));
    EXPECT_EQ(image.palette[1], (RgbQuad{0x41, 254, 1, 0}));
    for (int i = 2; i < 16; ++i) {
        EXPECT_EQ(image.palette[i], (RgbQuad{defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0}));
    }
    EXPECT_EQ(r.paletteSet, 16);  // a record read into keeps its entries from 16 on
}

TEST(GifReader, DataWithoutEndCodeStopsWhenRowsAreFull) {
    Bytes pixels = noise(40, 4), longer = pixels;
    longer.insert(longer.end(), 600, 7);  // runs on past the last row, over several sub-blocks
    auto bytes = GifFile().image(8, 5, false, -1, 0, 8, subBlocks(literalCodes(longer, false), 100))
                     .image(1, 1, {0}).trailer().bytes;
    const Decoded r = decode(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), pixels);
    expectImageCount(r, 2);
}

TEST(GifReader, StructuralFaultsGiveTheirMessages) {
    Bytes good = GifFile().image(2, 2, {1, 2, 3, 4}).trailer().bytes;
    EXPECT_TRUE(decode(good).ok());
    EXPECT_TRUE(decode(GifFile(7, 0, "GIF87a").image(2, 2, {1, 2, 3, 4}).trailer().bytes).ok());
    auto withTail = [](Bytes file, Bytes tail) {
        file.insert(file.end(), tail.begin(), tail.end());
        return file;
    };
    const std::pair<Bytes, CodecError> cases[] = {
        {GifFile().trailer().bytes, CodecError::GifNoImage},
        {{'G', 'I', 'F', '8', '9', 'a', 1, 0}, CodecError::GifHeaderNotRead},
        {GifFile(-1, 0, "GIF88a").image(1, 1, {0}).bytes, CodecError::GifNotGif},
        {GifFile(-1).image(1, 1, {0}).trailer().bytes, CodecError::GifNoPalette},
        {Bytes(good.begin(), good.end() - 1), CodecError::GifSeparatorNotRead},  // everything but the trailer
        {withTail(GifFile().bytes, {0x2C, 0, 0, 0, 0, 1}), CodecError::GifImageHeaderNotRead},
        {withTail(GifFile().bytes, {0x21}), CodecError::GifBlockCodeNotRead},
        {withTail(GifFile().bytes, {0x21, 0xF9}), CodecError::GifBlockSizeNotRead},
        {withTail(GifFile().bytes, {0x21, 0xF9, 4, 1, 2}), CodecError::GifBlockNotRead},
        {withTail(GifFile().image(2, 2, {1, 2, 3, 4}).bytes, {0x2C, 0, 0}), CodecError::GifImageHeaderNotRead},
    };
    for (const auto& [bytes, error] : cases) expectRefusal(decode(bytes), error);
    expectRefusal(decode(withTail(Bytes(good.begin(), good.end() - 1), {0x2A})), CodecError::GifBadSeparator, 0x2A);
}

TEST(GifReader, DecodesTableCodesAndTheCodeNotYetInTheTable) {
    // Minimum code size 2: clear 4, end 5. At 3 bits: 1; 6 = "1 1" (sent before it is in the table); 7 = "1 1 1",
    // after which the next free code is 8 and codes are 4 bits: 2; 8 = "1 1 1 2"; 9 = "2 1".
    auto data = packCodes({{4, 3}, {1, 3}, {6, 3}, {7, 3}, {2, 4}, {8, 4}, {9, 4}, {5, 4}});
    const Decoded r = decode(GifFile(1).image(7, 2, false, -1, 0, 2, subBlocks(data)).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), (Bytes{1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 2, 2, 1, 0}));
}

TEST(GifReader, DamagedDataStopsCleanlyAndClearsTheRest) {
    Decoded r;
    // A code beyond the table (7 while 6 is the next free code), or a table code straight after a clear code.
    auto beyond = packCodes({{4, 3}, {3, 3}, {7, 3}, {1, 3}, {1, 3}, {5, 3}});
    r = decode(GifFile(1).image(3, 2, false, -1, 0, 2, subBlocks(beyond)).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), (Bytes{3, 0, 0, 0, 0, 0}));
    auto afterClear = packCodes({{4, 3}, {1, 3}, {4, 3}, {6, 3}, {1, 3}, {5, 3}});
    r = decode(GifFile(1).image(3, 1, false, -1, 0, 2, subBlocks(afterClear)).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), (Bytes{1, 0, 0}));
    // Impossible minimum code sizes decode nothing.
    r = decode(GifFile().image(4, 4, false, -1, 0, 12, subBlocks(noise(40, 1))).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), Bytes(16, 0));

    // A file that ends inside interlaced data keeps the rows that arrived; the others are cleared.
    Bytes sent(6 * 16);
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<uint8_t>(1 + i / 6);  // arrival k holds k + 1
    Bytes full = GifFile().image(6, 16, sent, true).trailer().bytes;
    r = decode(Bytes(full.begin(), full.end() - 70));
    ASSERT_TRUE(r.ok());
    const Image& image = r.picture;
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
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {40000, 2}, {2, 40000}, {32765, 1}}) {
        auto bytes = GifFile().image(w, h, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes;
        expectRefusal(decode(bytes), CodecError::GifNoImageArray);
    }
    const Decoded r = decode(GifFile().image(32764, 1, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes);
    ASSERT_TRUE(r.ok());
    const Image& image = r.picture;
    EXPECT_EQ(image.row(0)[1], 2);
    EXPECT_EQ(image.row(0)[32763], 0);
}

// Files the fuzzer found (tests/data/gif): huge pictures with little data once took minutes to lay out.
TEST(GifReader, FuzzerFindsEndCleanlyAndQuickly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VYD_TEST_DATA) + "/gif")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        auto started = std::chrono::steady_clock::now();
        const Decoded r = decode(readFile(entry.path().string()));
        const Image& image = r.picture;
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 30.0);
        if (entry.path().filename() == "fuzz-large-image-then-bad-separator.gif") {
            expectRefusal(r, CodecError::GifBadSeparator, 0x20);
        } else if (r.ok()) {
            const uint8_t* last = image.row(image.height() - 1);  // the data ran out before the last row
            EXPECT_EQ(std::count(last, last + image.width(), 0), image.width());
        }
    }
    EXPECT_GE(files, 3);
}
