// GIF files: the writer's code widths and table resets read back by an independent code reader, interlaced and
// several-image files, structural faults with their errors, and damaged or huge files ended cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "formats/gif.h"
#include "support/codec_checks.h"
#include "support/gif_bytes.h"

using namespace vyd;
using namespace vydtest;

namespace {

Decoded decode(const Bytes& bytes) { return decodeGif(bytes, ModeSettings{}); }

// The image data of a file from the writer: sub-blocks of 254 bytes, the last one shorter, the zero count, the
// trailer.
Bytes writtenData(const Bytes& file) {
    Bytes data;
    size_t pos = 13 + 768 + 11;
    for (; file[pos] == 254; pos += 255) data = data + Bytes(file.begin() + pos + 1, file.begin() + pos + 255);
    EXPECT_LT(file[pos], 254);
    data = data + Bytes(file.begin() + pos + 1, file.begin() + pos + 1 + file[pos]);
    EXPECT_EQ(pos + 1 + file[pos] + 2, file.size());
    return data;
}

// Pixels whose every neighbouring pair is new make one code per pixel and one table entry per code: the width
// grows from 9 to 12 bits, the table fills and is cleared, and the picture reads back. (The code stream itself
// is pinned byte for byte by the interop answers.)
TEST(GifWriter, CodesGrowToTwelveBitsAndAFullTableIsClearedBackToNine) {
    Bytes pixels{0};
    const Bytes start = noise(4500, 77);
    std::vector<bool> used(65536, false);
    while (pixels.size() < 4500) {
        int a = pixels.back(), b = start[pixels.size()];
        while (used[a * 256 + b]) b = (b + 1) & 255;
        used[a * 256 + b] = true;
        pixels.push_back(static_cast<uint8_t>(b));
    }
    Image image;
    createImage(image, kMode256, 8, 90, 50);
    for (int y = 0; y < 50; ++y) std::copy_n(pixels.begin() + 90 * y, 90, image.row(y));
    const Encoded written = encodeGif(image, {});
    ASSERT_TRUE(written.ok());
    const Bytes file = written.bytes.flatten();
    const Codes codes = readCodes(writtenData(file), 8);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), std::pair{256, 12}), 1);
    const Decoded back = decode(file);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(indicesOf(back.picture), pixels);

    // Greys (like 2-color and 16-color) held at 8 bits go out as 256 colours with the whole palette.
    createImage(image, kModeGreys, 8, 2, 1);
    image.row(0)[0] = 200;
    image.row(0)[1] = 3;
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    const Decoded greys = decode(encodeGif(image, {}).bytes.flatten());
    ASSERT_TRUE(greys.ok());
    EXPECT_EQ(greys.picture.mode, kMode256);
    EXPECT_EQ(colorsOf(greys.picture), (std::vector<uint32_t>{0xC8C8C8, 0x030303}));
    createImage(image, kMode256, 8, 0, 0);
    EXPECT_EQ(encodeGif(image, {}).failure.value().error, CodecError::GifNothingToWrite);
}

TEST(GifReader, InterlacedRowsAndTheFirstOfThreeImages) {
    // Height 10 sends rows 0, 8, 4, 2, 6, 1, 3, 5, 7, 9; each row of 3 pixels holds its own number.
    Bytes sent;
    for (int r : {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}) sent = sent + Bytes(3, static_cast<uint8_t>(r));
    const Decoded r = decode(GifFile(7, 0x11)
                                 .extension(0xF9, {0, 0, 0, 0})
                                 .image(3, 10, sent, true)
                                 .image(9, 9, noise(81, 2), false, 7, 0x22)  // local tables replace the colours
                                 .extension(0xFE, {'h', 'i'})
                                 .image(2, 3, noise(6, 3), true, 1, 0x33)
                                 .trailer()
                                 .bytes);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].warning, CodecWarning::GifImageCount);
    EXPECT_EQ(r.warnings[0].detail.first, 3);
    ASSERT_EQ(r.picture.width(), 3);
    ASSERT_EQ(r.picture.height(), 10);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(rowOf(r.picture, y), Bytes(3, uint8_t(y))) << y;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(r.picture.palette[i], (RgbQuad{uint8_t(0x11 ^ i), uint8_t(255 - i), uint8_t(i), 0}));
}

TEST(GifReader, StructuralFaultsAndImpossibleSizesAreRefused) {
    const Bytes good = GifFile().image(2, 2, {1, 2, 3, 4}).trailer().bytes;
    EXPECT_TRUE(decode(good).ok());
    EXPECT_TRUE(decode(GifFile(7, 0, "GIF87a").image(2, 2, {1, 2, 3, 4}).trailer().bytes).ok());
    const Bytes head = GifFile().bytes, noTrailer(good.begin(), good.end() - 1);
    std::vector<std::pair<Bytes, CodecError>> cases = {
        {GifFile().trailer().bytes, CodecError::GifNoImage},
        {{'G', 'I', 'F', '8', '9', 'a', 1, 0}, CodecError::GifHeaderNotRead},
        {GifFile(-1, 0, "GIF88a").image(1, 1, {0}).bytes, CodecError::GifNotGif},
        {GifFile(-1).image(1, 1, {0}).trailer().bytes, CodecError::GifNoPalette},
        {noTrailer, CodecError::GifSeparatorNotRead},
        {head + Bytes{0x2C, 0, 0, 0, 0, 1}, CodecError::GifImageHeaderNotRead},
        {head + Bytes{0x21}, CodecError::GifBlockCodeNotRead},
        {head + Bytes{0x21, 0xF9}, CodecError::GifBlockSizeNotRead},
        {head + Bytes{0x21, 0xF9, 4, 1, 2}, CodecError::GifBlockNotRead},
        {noTrailer + Bytes{0x2C, 0, 0}, CodecError::GifImageHeaderNotRead},
    };
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {40000, 2}, {2, 40000}, {32765, 1}}) {
        cases.push_back({GifFile().image(w, h, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes,
                         CodecError::GifNoImageArray});
    }
    for (const auto& [bytes, error] : cases) {
        SCOPED_TRACE(static_cast<int>(error));
        expectRefusal(decode(bytes), error);
    }
    expectRefusal(decode(noTrailer + Bytes{0x2A}), CodecError::GifBadSeparator, 0x2A);

    // The widest row that fits is read, the pixels the data did not reach cleared.
    const Decoded r = decode(GifFile().image(32764, 1, false, -1, 0, 8, subBlocks(literalCodes({1, 2}))).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.row(0)[1], 2);
    EXPECT_EQ(r.picture.row(0)[32763], 0);
}

TEST(GifReader, DamagedDataStopsCleanlyAndClearsTheRest) {
    // Minimum code size 2: clear 4, end 5. A code beyond the table (7 while 6 is the next free code), or a
    // table code straight after a clear code, ends the data.
    Decoded r = decode(GifFile(1).image(3, 2, false, -1, 0, 2, subBlocks(packCodes({{4, 3}, {3, 3}, {7, 3}, {1, 3}, {5, 3}})))
                           .trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), (Bytes{3, 0, 0, 0, 0, 0}));
    r = decode(GifFile(1).image(3, 1, false, -1, 0, 2, subBlocks(packCodes({{4, 3}, {1, 3}, {4, 3}, {6, 3}, {1, 3}, {5, 3}})))
                   .trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), (Bytes{1, 0, 0}));
    // Data running on past the last row without an end code, over several sub-blocks: the rows are whole and
    // the next image is still counted.
    const Bytes pixels = noise(40, 4);
    r = decode(GifFile().image(8, 5, false, -1, 0, 8, subBlocks(literalCodes(pixels + Bytes(600, 7), false), 100))
                   .image(1, 1, {0}).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), pixels);
    EXPECT_EQ(r.warnings.size(), 1u);
    // Impossible minimum code sizes decode nothing.
    r = decode(GifFile().image(4, 4, false, -1, 0, 12, subBlocks(noise(40, 1))).trailer().bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(indicesOf(r.picture), Bytes(16, 0));

    // A file that ends inside interlaced data keeps the rows that arrived; the others are cleared.
    Bytes sent(6 * 16);
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<uint8_t>(1 + i / 6);  // arrival k holds k + 1
    const Bytes full = GifFile().image(6, 16, sent, true).trailer().bytes;
    r = decode(Bytes(full.begin(), full.end() - 70));
    ASSERT_TRUE(r.ok());
    const std::vector<int> order = gifRowOrder(16, true);
    int whole = 0;
    for (int k = 0; k < 16; ++k) {
        const Bytes row = rowOf(r.picture, order[k]);
        if (row == Bytes(6, uint8_t(k + 1)) && whole == k) ++whole;
        for (uint8_t v : row) EXPECT_TRUE(v == 0 || (v == k + 1 && k <= whole)) << "arrival " << k;
    }
    EXPECT_GT(whole, 3);
    EXPECT_LT(whole, 15);
}

// A picture of one colour codes strings of 1, 2, 3, ... pixels, so its first n codes fill n(n + 1) / 2 pixels.
TEST(GifFloor, APictureIsRefusedOnlyWhenItsCodesFillLessThanHalfOfIt) {
    Image image;
    createImage(image, kMode256, 8, 2100, 2100);
    std::fill_n(image.pixels.data(), image.pixels.size(), 5);
    const Bytes file = encodeGif(image, {}).bytes.flatten();
    auto fives = [](const Image& read) {  // rows of 2100 bytes need no padding
        return std::count(read.pixels.data(), read.pixels.data() + 2100 * 2100, 5);
    };
    const Decoded whole = decode(file);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(fives(whole.picture), 2100 * 2100);

    const Codes codes = readCodes(writtenData(file), 8);  // the clear code, then one code a string
    auto firstCodes = [&codes](size_t n) { return Codes(codes.begin(), codes.begin() + 1 + n); };
    auto picture = [](int width, int height, const Codes& sent) {
        return GifFile().image(width, height, false, -1, 0, 8, subBlocks(packCodes(sent))).trailer().bytes;
    };
    // 2100 codes fill 2206050 pixels, a little over half of 4410000; 2099 codes fill 2203950.
    const Decoded half = decode(picture(2100, 2100, firstCodes(2100)));
    ASSERT_TRUE(half.ok());
    EXPECT_EQ(fives(half.picture), 2206050);
    expectRefusal(decode(picture(2100, 2100, firstCodes(2099))), CodecError::BeyondData, 2100, 2100);
    // Codes after an end code fill nothing, and a few bytes cannot claim the largest picture.
    Codes ended = {{256, 9}, {1, 9}, {257, 9}};
    ended.insert(ended.end(), codes.begin(), codes.end());
    expectRefusal(decode(picture(2100, 2100, ended)), CodecError::BeyondData, 2100, 2100);
    expectRefusal(decode(picture(32764, 32767, {{256, 9}, {1, 9}})), CodecError::BeyondData, 32764, 32767);
}

// Files the fuzzer found (tests/data/gif): huge pictures with little data once took minutes to lay out.
TEST(GifReader, FuzzerFindsEndCleanlyAndQuickly) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VYD_TEST_DATA) + "/gif")) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        const auto started = std::chrono::steady_clock::now();
        const Decoded r = decode(readBytes(entry.path().string()));
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 30.0);
        if (entry.path().filename() == "fuzz-large-image-then-bad-separator.gif") {
            expectRefusal(r, CodecError::BeyondData, 17993, 14648);
        } else if (r.ok()) {
            const Bytes last = rowOf(r.picture, r.picture.height() - 1);  // the data ran out before the last row
            EXPECT_EQ(last, Bytes(last.size(), 0));
        }
    }
    EXPECT_GE(files, 3);
}

}  // namespace
