// Reading and writing whole PCX files: hand-built files with known pixels, the exact bytes written, round
// trips at edge widths, and every refusal with its message.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "formats/format_table.h"
#include "formats/pcx.h"
#include "support/codec_bytes.h"

namespace vyd {
namespace {

using test::append;
using test::Bytes;
Bytes header(int bitsPerPixel, int planes, int width, int height, int bytesPerLine, int version = 5) {
    return test::pcxHeader(bitsPerPixel, planes, width, height, bytesPerLine, version);
}

Decoded read(const Bytes& bytes) { return decodePcx(bytes, ModeSettings{}); }

void expectFailure(const Decoded& r, CodecError error, CodecDetail detail = {}) {
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(r.failure->error, error);
    EXPECT_EQ(r.failure->detail.first, detail.first);
    EXPECT_EQ(r.failure->detail.second, detail.second);
    // A failed read leaves an empty 2-color image.
    EXPECT_FALSE(r.picture.hasPixels());
    EXPECT_EQ(r.picture.mode, kMode2);
    EXPECT_EQ(r.picture.bitCount(), 1);
    EXPECT_EQ(r.picture.width(), 0);
}

Bytes row(const Image& image, int y, int bytesPerPixel = 1) {
    const uint8_t* p = image.row(y);
    return Bytes(p, p + image.width() * bytesPerPixel);
}

TEST(PcxRead, MonochromeIsBlackAndWhiteWhateverTheHeaderPaletteSays) {
    Bytes file = header(1, 1, 10, 1, 2);
    file[16] = 0xFF;  // colour 0 red
    file[20] = 0xFF;  // colour 1 green
    append(file, {0xA5, 0x40});
    Decoded r = read(file);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.picture.mode, kMode2);
    EXPECT_EQ(r.picture.bitCount(), 8);
    EXPECT_EQ(row(r.picture, 0), (Bytes{15, 0, 15, 0, 0, 15, 0, 15, 0, 15}));
    EXPECT_EQ(r.picture.palette[0], (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(r.picture.palette[15], (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(r.picture.header.biXPelsPerMeter, 12000);
    EXPECT_EQ(r.picture.header.biYPelsPerMeter, 12000);
    ASSERT_TRUE(r.pcxHeader);
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + 128, r.pcxHeader->begin()));
}

TEST(PcxRead, TooFewBytesPerLineWarnsAndClearsTheUncoveredColumns) {
    Bytes file = header(1, 1, 10, 2, 1);
    append(file, {0xC2, 0xFF, 0xC1, 0xFF});  // two lines of eight set bits; the first run's rest is dropped
    Decoded r = read(file);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].warning, CodecWarning::PcxHeaderMismatch);
    for (int y = 0; y < 2; ++y) EXPECT_EQ(row(r.picture, y), (Bytes{15, 15, 15, 15, 15, 15, 15, 15, 0, 0}));
}

TEST(PcxRead, IndexedRowsDropPaddingAndTakeTheTrailingPalette) {
    Bytes file = header(8, 1, 3, 2, 4);
    append(file, {1, 2, 0xC1, 0xC9, 0x77, 0xC4, 0x05});  // row 0: 1 2 C9 [77], row 1: 5 5 5 [5]
    Bytes trailer(769, 0);
    trailer[0] = 0x0C;
    trailer[1 + 3 * 0xC9] = 0x10;  // red of entry 0xC9
    trailer[3 + 3 * 5] = 0x20;     // blue of entry 5
    file.insert(file.end(), trailer.begin(), trailer.end());
    append(file, {0xAB, 0xCD});  // anything after the palette is ignored
    Decoded r = read(file);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kMode256);
    EXPECT_EQ(row(r.picture, 0), (Bytes{1, 2, 0xC9}));
    EXPECT_EQ(row(r.picture, 1), (Bytes{5, 5, 5}));
    EXPECT_EQ(r.picture.palette[0xC9], (RgbQuad{0, 0, 0x10, 0}));
    EXPECT_EQ(r.picture.palette[5], (RgbQuad{0x20, 0, 0, 0}));
    EXPECT_EQ(r.paletteSet, 256);
}

TEST(PcxRead, IndexedFileWithoutItsPaletteFails) {
    Bytes lines = header(8, 1, 2, 1, 2);
    append(lines, {7, 8});
    const Decoded r = read(lines);
    expectFailure(r, CodecError::PcxEof);
    EXPECT_EQ(r.paletteSet, 256);  // sizing the picture cleared its whole palette
    Bytes wrongMark = lines;
    append(wrongMark, {0x0A});
    wrongMark.resize(wrongMark.size() + 768);
    expectFailure(read(wrongMark), CodecError::PcxNoPaletteMark);
    Bytes shortPalette = lines;
    append(shortPalette, {0x0C});
    shortPalette.resize(shortPalette.size() + 767);
    expectFailure(read(shortPalette), CodecError::PcxEof);
}

TEST(PcxRead, SixteenBitWordsWidenEachFiveBitValueByEight) {
    Bytes file = header(16, 1, 2, 1, 4);
    file[12] = 72;  // 72 pixels/inch
    file[13] = 0;
    append(file, {0x1F, 0x40, 0xC1, 0xFF, 0x7F});  // words 0x401F (red 16, blue 31) and 0x7FFF
    Decoded r = read(file);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.mode, kModeTrue16);
    EXPECT_EQ(r.picture.bitCount(), 24);
    EXPECT_EQ(row(r.picture, 0, 3), (Bytes{248, 0, 128, 248, 248, 248}));  // blue, green, red: v x 8
    EXPECT_EQ(r.picture.header.biXPelsPerMeter, 72 * 40);
    EXPECT_EQ(r.paletteSet, 16);  // widened from a picture of its own: the palette is the record's
}

TEST(PcxRead, RefusesWhatItCannotHold) {
    Bytes twoBits = header(2, 1, 8, 1, 1);
    append(twoBits, {0});
    Decoded r = read(twoBits);
    expectFailure(r, CodecError::PcxUnknownMode, {2, 0, {}});
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_TRUE(r.pcxHeader);

    // A header that is not PCX is still kept for the header page.
    Bytes notPcx = header(8, 1, 1, 1, 1);
    notPcx[0] = 0x0B;
    r = read(notPcx);
    expectFailure(r, CodecError::PcxBadFile);
    ASSERT_TRUE(r.pcxHeader);
    EXPECT_EQ((*r.pcxHeader)[0], 0x0B);

    r = read(Bytes(127, 0x0A));
    expectFailure(r, CodecError::PcxBadFile);
    EXPECT_FALSE(r.pcxHeader);

    expectFailure(read(header(8, 1, 30000, 30000, 0)), CodecError::PcxBadFile);  // lines without bytes

    Bytes backwards = header(8, 1, 1, 1, 1);
    backwards[4] = 5;  // X from 5, X to 0
    expectFailure(read(backwards), CodecError::PcxNoImageArray);
    Bytes wide = header(8, 3, 20000, 1, 20000);
    expectFailure(read(wide), CodecError::TooBig, {20000, 1, {}});
}

TEST(PcxRead, TruncatedFilesFailWithEofAndNothingHalfRead) {
    Bytes midLine = header(1, 1, 8, 2, 1);
    append(midLine, {0xFF});
    expectFailure(read(midLine), CodecError::PcxEof);
    Bytes countAtEnd = header(8, 3, 4, 1, 4);
    append(countAtEnd, {0xCC});
    expectFailure(read(countAtEnd), CodecError::PcxEof);
    // A header claiming a huge picture over a few bytes fails without taking the memory.
    Bytes huge = header(8, 3, 10000, 30000, 10000);
    append(huge, {0xFF, 0x00, 0xFF, 0x00});
    expectFailure(read(huge), CodecError::PcxEof);
}

// ---- Writing ------------------------------------------------------------------------------------------

class PcxWrite : public ::testing::Test {
protected:
    Bytes write(const Image& image) {
        const Encoded result = encodePcx(image, {});
        EXPECT_TRUE(result.ok());
        return result.bytes.flatten();
    }
};

Image picture(int mode, int width, int height) {
    Image image;
    createImage(image, mode, mode >= 16 ? 24 : 8, width, height);
    std::fill_n(image.pixels.data(), image.pixels.size(), 0);
    return image;
}

TEST_F(PcxWrite, TwoColorHeaderAndLines) {
    Image image = picture(kMode2, 9, 2);
    const Bytes top{15, 0, 15, 15, 0, 0, 0, 15, 15};
    std::copy(top.begin(), top.end(), image.row(0));
    image.palette[15] = {0x33, 0x22, 0x11, 0};
    Bytes want = header(1, 1, 9, 2, 2);
    want[19] = 0x11, want[20] = 0x22, want[21] = 0x33;  // colour 1 = palette entry 15
    for (int i = 2; i < 15; ++i) {                      // colours 2..15 = entries 2..15 as (red, green, blue)
        want[16 + 3 * i] = defaultPalette16[i][2];
        want[17 + 3 * i] = defaultPalette16[i][1];
        want[18 + 3 * i] = defaultPalette16[i][0];
    }
    want[61] = 0x11, want[62] = 0x22, want[63] = 0x33;
    append(want, {0xB1, 0x80, 0xC2, 0x00});
    EXPECT_EQ(write(image), want);
}

TEST_F(PcxWrite, SixteenColorPlanesAreSeparateRunSequences) {
    Image image = picture(kMode16, 3, 1);
    std::fill_n(image.row(0), 3, 3);
    Bytes want = header(1, 4, 3, 1, 1, 3);
    for (int i = 0; i < 16; ++i) {
        want[16 + 3 * i] = defaultPalette16[i][2];
        want[17 + 3 * i] = defaultPalette16[i][1];
        want[18 + 3 * i] = defaultPalette16[i][0];
    }
    append(want, {0xC1, 0xE0, 0xC1, 0xE0, 0x00, 0x00});
    EXPECT_EQ(write(image), want);
}

TEST_F(PcxWrite, TruecolorPlanesAreOneRunSequence) {
    Image image = picture(kModeTrue24, 2, 1);
    std::fill_n(image.row(0), 6, 5);
    Bytes want = header(8, 3, 2, 1, 2);
    append(want, {0xC6, 0x05});
    EXPECT_EQ(write(image), want);
}

TEST_F(PcxWrite, IndexedLinesThenTheMarkedPalette) {
    Image image = picture(kMode256, 2, 1);
    image.row(0)[0] = 0xD0;
    image.row(0)[1] = 0x01;
    image.palette[255] = {0x03, 0x02, 0x01, 0};
    const Bytes file = write(image);
    Bytes want = header(8, 1, 2, 1, 2);
    append(want, {0xC1, 0xD0, 0x01, 0x0C});
    ASSERT_EQ(file.size(), want.size() + 768);
    EXPECT_TRUE(std::equal(want.begin(), want.end(), file.begin()));
    EXPECT_EQ(Bytes(file.end() - 3, file.end()), (Bytes{1, 2, 3}));
}

TEST_F(PcxWrite, RoundTripsEveryModeAtEdgeWidths) {
    std::mt19937 random(11);
    for (int mode : {kMode2, kMode16, kMode256, kModeTrue16, kModeTrue24}) {
        for (int width : {1, 7, 8, 9, 33}) {
            Image image = picture(mode, width, 3);
            const int bytesPerPixel = mode >= 16 ? 3 : 1;
            for (int y = 0; y < 3; ++y) {
                uint8_t* p = image.row(y);
                for (int i = 0; i < width * bytesPerPixel; ++i) {
                    // Runs as well as changes; 16-bit channels hold values a 5-bit channel reproduces.
                    const unsigned v = (random() % 3 == 0 && i > 0) ? p[i - 1] : random();
                    switch (mode) {
                        case kMode2: p[i] = (v & 1) ? 15 : 0; break;
                        case kMode16: p[i] = v & 15; break;
                        case kModeTrue16: p[i] = static_cast<uint8_t>((v % 32) << 3); break;
                        default: p[i] = static_cast<uint8_t>(v); break;
                    }
                }
            }
            for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(random() & 0xFFFFFF);
            Decoded r = read(write(image));
            ASSERT_TRUE(r.ok()) << mode << " " << width;
            EXPECT_EQ(r.picture.mode, mode);
            for (int y = 0; y < 3; ++y) EXPECT_EQ(row(r.picture, y, bytesPerPixel), row(image, y, bytesPerPixel));
            if (mode == kMode256 || mode == kMode16) {
                EXPECT_EQ(r.picture.palette[mode == kMode256 ? 255 : 15], image.palette[mode == kMode256 ? 255 : 15]);
            }
        }
    }
}

TEST_F(PcxWrite, RefusedModesLeaveNoFileAndKeepAnExistingOne) {
    test::ScratchDir dir;
    const std::string path = dir.file("out.pcx");
    Encoded result = encodeImageFile(kPcxFormat, picture(kModeGreys, 4, 4), {}, path);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::PcxModeNotWritable);
    EXPECT_FALSE(std::filesystem::exists(path));

    test::writeBytes(path, Bytes{1, 2, 3});
    Image packed;
    createImage(packed, kMode2, 1, 8, 8);
    EXPECT_FALSE(encodeImageFile(kPcxFormat, packed, {}, path).ok());
    EXPECT_EQ(test::readBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(dir.entryCount(), 1u);

    result = encodeImageFile(kPcxFormat, picture(kMode256, 2, 2), {}, dir.file("no/such/folder.pcx"));
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::CantCreateFile);
}

}  // namespace
}  // namespace vyd
