// JPEG files: the record a read gives, refusals before anything big is held, damaged files read with a warning,
// files written the right way up at the quality asked for, and the quality question's answers.
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/command_table.h"
#include "app/commands_jpeg.h"
#include "formats/jpeg.h"
#include "platform/headless_platform.h"
#include "support/codec_checks.h"
#include "support/files.h"

using namespace vyd;
using namespace vydtest;

namespace {

const std::string kTestorig = std::string(VYD_TEST_DATA) + "/jpeg/testorig.jpg";

// The file with the width and height of its first start-of-frame marker (0xFF 0xC0..0xC3) changed, and where
// the marker is.
Bytes withFrameSize(Bytes jpeg, int width, int height, size_t* at = nullptr) {
    size_t sof = 2;
    while (sof + 9 < jpeg.size() && !(jpeg[sof] == 0xFF && jpeg[sof + 1] >= 0xC0 && jpeg[sof + 1] <= 0xC3)) ++sof;
    if (at) *at = sof;
    if (width > 0) jpeg[sof + 5] = uint8_t(height >> 8), jpeg[sof + 6] = uint8_t(height), jpeg[sof + 7] = uint8_t(width >> 8),
                   jpeg[sof + 8] = uint8_t(width);
    return jpeg;
}

TEST(JpegRead, GivesTheTruecolorLayoutOfARead) {
    const Decoded result = decodeJpeg(readBytes(kTestorig));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.paletteSet, 256);
    const Image& image = result.picture;
    EXPECT_EQ(image.mode, 24);
    EXPECT_EQ(image.width(), 227);
    EXPECT_EQ(image.height(), 149);
    EXPECT_EQ(image.stride, 684);  // 681 bytes padded to a multiple of 4
    EXPECT_EQ(image.header.biSizeImage, 149u * 684);
    EXPECT_EQ(image.header.biXPelsPerMeter, 10);
    EXPECT_EQ(image.header.biYPelsPerMeter, 10);
    EXPECT_EQ(image.header.biClrUsed, 10u);
    EXPECT_EQ(image.header.biClrImportant, 10u);
    for (const RgbQuad& entry : image.palette) EXPECT_EQ(entry.value(), 0u);
    EXPECT_EQ(image.leftColor, 0u);
    EXPECT_EQ(image.rightColor, 0u);
}

TEST(JpegRead, RefusesWhatCannotBeDecodedOrWouldTakeFarTooMuch) {
    const Bytes good = readBytes(kTestorig);
    size_t sof = 0;
    withFrameSize(good, 0, 0, &sof);
    // A progressive 4:4:4 decode keeps every coefficient: with the picture, 10900 x 32000 would take more than
    // 3 GB although the record could hold it.
    const Bytes grey(64 * 64 * 3, 128);
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(handle, grey.data(), 64, 0, 64, TJPF_RGB, &out, &size, TJSAMP_444, 95, TJFLAG_PROGRESSIVE), 0);
    const Bytes progressive(out, out + size);
    tjFree(out);
    tjDestroy(handle);
    ASSERT_TRUE(sizeWithinLimits(24, 10900, 32000));
    size_t at = 0;
    Bytes arithmetic = withFrameSize(progressive, 10900, 32000, &at);
    arithmetic[at + 1] = 0xCA;
    // Enough coded data for two bits a block (16.4 million blocks), so that the budget is what refuses it.
    size_t scan = at;
    while (!(arithmetic[scan] == 0xFF && arithmetic[scan + 1] == 0xDA)) ++scan;
    const long data = static_cast<long>(scan + 2 + ((arithmetic[scan + 2] << 8) | arithmetic[scan + 3]));
    arithmetic.insert(arithmetic.begin() + data, 4'200'000, 0);
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"marker only", {0xFF, 0xD8}},
        {"noise", {0xFF, 0xD8, 0x13, 0x77, 0x00, 0xFF, 0xFF, 0xC0, 0x00}},
        {"header cut short", Bytes(good.begin(), good.begin() + static_cast<long>(sof) + 6)},
        {"wider than a row can hold", withFrameSize(good, 10922, 149)},
        {"taller than 32767", withFrameSize(good, 227, 40000)},
        {"zero height", withFrameSize(good, 227, 0)},
        {"arithmetic beyond the memory budget", arithmetic},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        expectRefusal(decodeJpeg(bytes), CodecError::JpegUnreadable);
    }
}

// A greyscale file made by hand: a quantization table; the frame header of the coding process given; for Huffman
// coding, tables in which the one-bit code 0 is a DC difference of 0 and an end of block; the coded bytes given
// in one scan, or when progressive half of them in a scan of the DC coefficients and half in one of the others;
// the end marker.
Bytes handMade(uint8_t frame, int width, int height, const Bytes& coded) {
    Bytes b = {0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0};
    b.insert(b.end(), 64, 1);
    b = b + Bytes{0xFF, frame, 0, 11, 8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width),
                  1, 1, 0x11, 0};
    for (uint8_t table : {0x00, 0x10}) {
        if (frame < 0xC8) b = b + Bytes{0xFF, 0xC4, 0, 20, table, 1} + Bytes(15, 0) + Bytes{0};
    }
    const Bytes end = {0xFF, 0xD9};
    if (frame != 0xC2 && frame != 0xCA) return b + Bytes{0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0} + coded + end;
    const auto half = coded.begin() + static_cast<long>(coded.size() / 2);
    return b + Bytes{0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0} + Bytes(coded.begin(), half) +
           Bytes{0xFF, 0xDA, 0, 8, 1, 1, 0, 1, 63, 0} + Bytes(half, coded.end()) + end;
}

// 2048 x 2056 pixels (256 x 257 blocks) is just over the size read whatever its data. Zero bytes of Huffman data
// code every block in its fewest bits: two when sequential (a DC code and an end of block). Progressive and
// arithmetic coding can take less, but two bits a block is the floor they are held to. The coded data goes on
// past a data byte 0xFF, a restart marker and fill bytes.
TEST(JpegFloor, CodedDataBelowTheLeastAPictureTakesIsRefused) {
    const size_t floorBytes = 16448;
    for (const uint8_t frame : {0xC0, 0xC2, 0xC9, 0xCA}) {
        SCOPED_TRACE(frame);
        Bytes coded(floorBytes, 0);
        const Bytes marks = {0xFF, 0x00, 0xFF, 0xD3, 0xFF, 0xFF, 0x00};
        std::copy(marks.begin(), marks.end(), coded.end() - 100);
        const Decoded atFloor = decodeJpeg(handMade(frame, 2048, 2056, coded));
        ASSERT_TRUE(atFloor.ok());
        EXPECT_EQ(atFloor.picture.width(), 2048);
        expectRefusal(decodeJpeg(handMade(frame, 2048, 2056, Bytes(floorBytes - 1, 0))), CodecError::BeyondData, 2048, 2056);
        expectRefusal(decodeJpeg(handMade(frame, 10000, 30000, {0x12, 0x34, 0x56})), CodecError::BeyondData, 10000, 30000);
    }
    // A picture of a few megapixels is never refused for want of data: it reads as far as its data goes.
    const Decoded cut = decodeJpeg(handMade(0xC2, 2000, 2000, {0x12, 0x34}));
    ASSERT_TRUE(cut.ok());
    ASSERT_EQ(cut.warnings.size(), 1u);
    EXPECT_EQ(cut.warnings[0].warning, CodecWarning::JpegDamaged);
}

TEST(JpegRead, DamagedFilesAreReadWithAWarningButStrayBytesAloneAreNot) {
    const Bytes good = readBytes(kTestorig);
    const Decoded reference = decodeJpeg(good);
    ASSERT_TRUE(reference.ok());

    const Decoded cut = decodeJpeg(Bytes(good.begin(), good.begin() + 3000));
    ASSERT_TRUE(cut.ok());
    ASSERT_EQ(cut.warnings.size(), 1u);
    EXPECT_EQ(cut.warnings[0].warning, CodecWarning::JpegDamaged);
    EXPECT_EQ(cut.picture.width(), 227);
    EXPECT_EQ(cut.picture.height(), 149);

    // Three stray bytes after the first segment: the decoder skips them, the picture is whole.
    Bytes stray = good;
    const size_t firstSegmentEnd = 4 + ((good[4] << 8) | good[5]);
    stray.insert(stray.begin() + static_cast<long>(firstSegmentEnd), {0x12, 0x34, 0x56});
    const Decoded whole = decodeJpeg(stray);
    ASSERT_TRUE(whole.ok());
    EXPECT_TRUE(whole.warnings.empty());
    EXPECT_EQ(colorsOf(whole.picture), colorsOf(reference.picture));
}

TEST(JpegRead, RowsADamagedFileNeverReachesAreBlackNotLeftoverMemory) {
    // A fuzzed progressive file (libjpeg-turbo's seed corpora) whose decoder stops short of the bottom rows.
    // Several decodes in a row, so that the buffers are reused memory of earlier pictures.
    const Bytes damaged = readBytes(std::string(VYD_TEST_DATA) + "/jpeg/damaged-progressive.jpg");
    std::vector<uint32_t> first;
    for (int i = 0; i < 3; ++i) {
        Image filler;
        createImage(filler, kModeTrue24, 24, 32, 32);
        std::memset(filler.pixels.data(), 0xA5, filler.pixelBytes());
        filler = Image{};
        const Decoded read = decodeJpeg(damaged);
        ASSERT_TRUE(read.ok());
        ASSERT_EQ(read.warnings.size(), 1u);
        const uint8_t* bottom = read.picture.pixels.data();  // rows are stored bottom-up
        EXPECT_EQ(std::count(bottom, bottom + read.picture.stride, 0), read.picture.stride);
        if (i == 0) first = colorsOf(read.picture);
        EXPECT_EQ(colorsOf(read.picture), first);
    }
}

TEST(JpegWrite, FilesAreTheRightWayUpInTheirColoursAtTheQualityAsked) {
    // A smooth picture with a disc, the kind JPEG is made for.
    Image source;
    createImage(source, -1, 24, 97, 61);
    for (int y = 0; y < 61; ++y) {
        for (int x = 0; x < 97; ++x) {
            const bool disc = (x - 32) * (x - 32) + (y - 30) * (y - 30) < 400;
            uint8_t* p = source.row(y) + 3 * x;
            p[0] = uint8_t(255 * x / 96), p[1] = uint8_t(disc ? 40 : 255 * y / 60), p[2] = uint8_t(disc ? 220 : 60 + y);
        }
    }
    auto encoded = [&source](int quality) { return encodeJpeg(source, {{}, quality}).bytes.flatten(); };
    const Bytes jpeg = encoded(90);

    // Decoded by TurboJPEG itself, top-down RGB: the colours are where they were.
    Bytes rgb(97 * 61 * 3);
    tjhandle handle = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(handle, jpeg.data(), jpeg.size(), rgb.data(), 97, 0, 61, TJPF_RGB, 0), 0);
    tjDestroy(handle);
    const std::vector<uint32_t> want = colorsOf(source);
    double difference = 0;
    for (size_t i = 0; i < want.size(); ++i) {
        for (int c = 0; c < 3; ++c) difference += std::abs(int(rgb[3 * i + c]) - int((want[i] >> (16 - 8 * c)) & 0xFF));
    }
    EXPECT_LT(difference / rgb.size(), 4.0);  // about 30 the wrong way up

    // A palette picture goes through its own palette.
    Image indexed;
    createImage(indexed, kMode256, 8, 16, 16);
    indexed.palette[200] = {30, 200, 10, 0};  // blue, green, red
    std::fill_n(indexed.pixels.data(), indexed.pixels.size(), 200);
    const Decoded back = decodeJpeg(encodeJpeg(indexed, {}).bytes.flatten());
    ASSERT_TRUE(back.ok());
    const uint32_t c = rgbAt(back.picture, 8, 8);
    EXPECT_NEAR(c >> 16, 10, 4);
    EXPECT_NEAR((c >> 8) & 0xFF, 200, 4);
    EXPECT_NEAR(c & 0xFF, 30, 4);

    EXPECT_LT(encoded(1).size(), encoded(100).size());
    EXPECT_EQ(encoded(0), encoded(1));
    EXPECT_EQ(encoded(150), encoded(100));
}

TEST(JpegQuality, AnswersBecomeWholeNumbersFromOneToOneHundred) {
    for (auto [answer, quality] : {std::pair{0.0, 1}, {1.0, 1}, {100.0, 100}, {150.0, 100}, {-5.0, 1}, {99.9, 99},
                                   {1e300, 100}, {NAN, 1}}) {
        EXPECT_EQ(clampJpegQuality(answer), quality) << answer;
    }
    // The menu command ends with an update; its question, with the answers read and clamped, is a script case.
    HeadlessPlatform ui;
    AppState app;
    app.platform = &ui;
    ui.queueDialogAnswer({true, {{11, "55.9"}}});
    EXPECT_EQ(commandSetJpegQuality(app, kCommandSetJpegQuality), Ending::Update);
    EXPECT_EQ(app.files.jpegQuality, 55);
}

}  // namespace
