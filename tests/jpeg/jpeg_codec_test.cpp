#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cmath>
#include <filesystem>

#include "formats/format_table.h"
#include "formats/jpeg.h"
#include "jpeg/jpeg_test_util.h"

using namespace vyd;
using namespace vyd::testing;
namespace fs = std::filesystem;

namespace {

const std::string kPictures = std::string(VYD_TEST_DATA) + "/jpeg";
const std::string kTestorig = kPictures + "/testorig.jpg";

// Offset of the first start-of-frame marker (0xFF 0xC0..0xC3).
size_t frameOffset(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xC0 && jpeg[i + 1] <= 0xC3) return i;
    }
    return 0;
}

std::vector<uint8_t> withFrameSize(std::vector<uint8_t> jpeg, int width, int height) {
    size_t sof = frameOffset(jpeg);
    jpeg[sof + 5] = static_cast<uint8_t>(height >> 8);
    jpeg[sof + 6] = static_cast<uint8_t>(height);
    jpeg[sof + 7] = static_cast<uint8_t>(width >> 8);
    jpeg[sof + 8] = static_cast<uint8_t>(width);
    return jpeg;
}

// Compresses raw pixels with TurboJPEG itself (not through the codec under test).
std::vector<uint8_t> compressRaw(const std::vector<uint8_t>& pixels, int width, int height, int format,
                                 int subsampling, int flags) {
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    int status = tjCompress2(handle, pixels.data(), width, 0, height, format, &out, &size, subsampling, 95, flags);
    std::vector<uint8_t> jpeg = status == 0 ? std::vector<uint8_t>(out, out + size) : std::vector<uint8_t>{};
    tjFree(out);
    tjDestroy(handle);
    return jpeg;
}

void expectRefused(const Decoded& result) {
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::JpegUnreadable);
    EXPECT_TRUE(result.warnings.empty());
    const Image& image = result.picture;
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
}

std::vector<uint8_t> encoded(const Image& image, int quality) {
    EncodeOptions options;
    options.jpegQuality = quality;
    return encodeJpeg(image, options).bytes.flatten();
}

}  // namespace

TEST(JpegRead, GivesTheTruecolorLayoutOfARead) {
    const Decoded result = decodeJpeg(readBytes(kTestorig));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.paletteSet, 256);
    const Image& image = result.picture;
    EXPECT_EQ(image.mode, 24);
    EXPECT_EQ(image.header.biBitCount, 24);
    EXPECT_EQ(image.header.biSize, 40u);
    EXPECT_EQ(image.header.biPlanes, 1);
    EXPECT_EQ(image.header.biCompression, 0u);
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
    EXPECT_GE(image.pixels.size(), image.pixelBytes() + 1024);
    // Rows bottom-up, blue first: the picture matches its reference the right way up.
    auto reference = readNetpbm(kPictures + "/testorig.ppm");
    ASSERT_TRUE(reference);
    EXPECT_GT(psnr(image, *reference), 40);
}

TEST(JpegRead, GreyAndCmykFilesReadAsTruecolor) {
    const Decoded greyRead = decodeJpeg(readBytes(kPictures + "/hopper_gray.jpg"));
    ASSERT_TRUE(greyRead.ok());
    const Image& grey = greyRead.picture;
    EXPECT_EQ(grey.mode, 24);
    bool allGrey = true;
    for (int y = 0; y < grey.height(); ++y) {
        const uint8_t* row = grey.row(y);
        for (int x = 0; x < grey.width(); ++x) allGrey &= row[3 * x] == row[3 * x + 1] && row[3 * x] == row[3 * x + 2];
    }
    EXPECT_TRUE(allGrey);

    // Files with an Adobe segment (libjpeg writes one with every CMYK file) hold inverted inks: C=255, M=0,
    // Y=0, K=255 is full magenta and yellow without black: red.
    std::vector<uint8_t> cmyk;
    for (int i = 0; i < 16 * 16; ++i) cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    std::vector<uint8_t> jpeg = compressRaw(cmyk, 16, 16, TJPF_CMYK, TJSAMP_444, 0);
    ASSERT_FALSE(jpeg.empty());
    const Decoded read = decodeJpeg(jpeg);
    ASSERT_TRUE(read.ok());
    const Image& image = read.picture;
    EXPECT_EQ(image.mode, 24);
    const uint8_t* pixel = image.row(8) + 3 * 8;
    EXPECT_LE(pixel[0], 4);    // blue
    EXPECT_LE(pixel[1], 4);    // green
    EXPECT_GE(pixel[2], 251);  // red
}

TEST(JpegRead, RefusesWhatCannotBeDecoded) {
    std::vector<uint8_t> good = readBytes(kTestorig);
    size_t sof = frameOffset(good);
    ASSERT_NE(sof, 0u);
    std::vector<uint8_t> twelveBit = good, lossless = good;
    twelveBit[sof + 4] = 12;
    lossless[sof + 1] = 0xC3;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
        {"empty", {}},
        {"marker only", {0xFF, 0xD8}},
        {"noise", {0xFF, 0xD8, 0x13, 0x77, 0x00, 0xFF, 0xFF, 0xC0, 0x00}},
        {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(sof) + 6)},
        {"12-bit samples", twelveBit},
        {"lossless process", lossless},
        {"wider than a row can hold", withFrameSize(good, 10922, 149)},
        {"taller than 32767", withFrameSize(good, 227, 40000)},
        {"zero height", withFrameSize(good, 227, 0)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        expectRefused(decodeJpeg(bytes));
    }
}

TEST(JpegRead, RefusesHeadersClaimingFarMoreThanTheFileOrTheMemoryBudgetHolds) {
    std::vector<uint8_t> rgb(64 * 64 * 3, 128);
    std::vector<uint8_t> jpeg = compressRaw(rgb, 64, 64, TJPF_RGB, TJSAMP_444, TJFLAG_PROGRESSIVE);
    ASSERT_FALSE(jpeg.empty());
    // Huffman coding spends at least a bit on every block: a few hundred bytes cannot hold 8000 x 8000.
    expectRefused(decodeJpeg(withFrameSize(jpeg, 8000, 8000)));
    // Arithmetic coding has no such floor, but a progressive 4:4:4 decode keeps every coefficient: with the
    // picture, 10900 x 32000 would take more than 3 GB although the size is within the record's limits.
    ASSERT_TRUE(sizeWithinLimits(24, 10900, 32000));
    std::vector<uint8_t> arithmetic = withFrameSize(jpeg, 10900, 32000);
    arithmetic[frameOffset(arithmetic) + 1] = 0xCA;
    expectRefused(decodeJpeg(arithmetic));
}

TEST(JpegRead, DamagedFilesAreReadWithAWarningButStrayBytesAloneAreNot) {
    std::vector<uint8_t> good = readBytes(kTestorig);
    const Decoded reference = decodeJpeg(good);
    ASSERT_TRUE(reference.ok());

    const Decoded cut = decodeJpeg(std::vector<uint8_t>(good.begin(), good.begin() + 3000));
    ASSERT_TRUE(cut.ok());
    ASSERT_EQ(cut.warnings.size(), 1u);
    EXPECT_EQ(cut.warnings[0].warning, CodecWarning::JpegDamaged);
    EXPECT_EQ(cut.picture.width(), 227);
    EXPECT_EQ(cut.picture.height(), 149);

    // Three stray bytes after the first segment: the decoder skips them, the picture is whole.
    std::vector<uint8_t> stray = good;
    size_t firstSegmentEnd = 4 + ((good[4] << 8) | good[5]);
    stray.insert(stray.begin() + static_cast<long>(firstSegmentEnd), {0x12, 0x34, 0x56});
    const Decoded whole = decodeJpeg(stray);
    ASSERT_TRUE(whole.ok());
    EXPECT_TRUE(whole.warnings.empty());
    EXPECT_EQ(maxDifference(whole.picture, toRgb(reference.picture)), 0);
}

TEST(JpegWrite, RoundTripsTheRightWayUpAndHonoursTheQualityRange) {
    Image source = syntheticPicture(97, 61);
    std::vector<uint8_t> jpeg = encoded(source, 90);
    ASSERT_FALSE(jpeg.empty());

    // Decoded by TurboJPEG itself, top-down RGB: the written file is the right way up with its colours.
    std::vector<uint8_t> rgb(97 * 61 * 3);
    tjhandle handle = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(handle, jpeg.data(), jpeg.size(), rgb.data(), 97, 0, 61, TJPF_RGB, 0), 0);
    tjDestroy(handle);
    Rgb decoded{97, 61, rgb};
    EXPECT_GT(psnr(source, decoded), 30);

    test::ScratchDir dir;
    ASSERT_TRUE(encodeImageFile(kJpegFormat, source, {{}, 90}, dir.file("round.jpg")).ok());
    const Decoded back = decodeJpeg(readBytes(dir.file("round.jpg")));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(maxDifference(back.picture, decoded), 0);

    EXPECT_LT(encoded(source, 1).size(), encoded(source, 100).size());
    EXPECT_EQ(encoded(source, 0), encoded(source, 1));
    EXPECT_EQ(encoded(source, 150), encoded(source, 100));
}

TEST(JpegWrite, PalettePicturesGoThroughTheirPalette) {
    Image twoColor;
    createImage(twoColor, kMode2, 8, 32, 16);
    Image custom;
    createImage(custom, kMode256, 8, 32, 16);
    custom.palette[200] = {30, 200, 10, 0};  // blue, green, red
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            twoColor.row(y)[x] = x < 16 ? 0 : 15;
            custom.row(y)[x] = 200;
        }
    }
    Decoded back = decodeJpeg(encoded(twoColor, 95));
    ASSERT_TRUE(back.ok());
    const uint8_t* row = back.picture.row(8);
    EXPECT_LE(std::max({row[3 * 4], row[3 * 4 + 1], row[3 * 4 + 2]}), 3);      // black
    EXPECT_GE(std::min({row[3 * 27], row[3 * 27 + 1], row[3 * 27 + 2]}), 252);  // white

    back = decodeJpeg(encoded(custom, 95));
    ASSERT_TRUE(back.ok());
    row = back.picture.row(8) + 3 * 16;
    EXPECT_NEAR(row[0], 30, 4);
    EXPECT_NEAR(row[1], 200, 4);
    EXPECT_NEAR(row[2], 10, 4);
}

TEST(JpegWrite, FailuresAreTypedAndKeepTheOldFile) {
    test::ScratchDir dir;
    test::writeBytes(dir.file("keep.jpg"), {1, 2, 3});
    Image empty;
    Encoded result = encodeImageFile(kJpegFormat, empty, {}, dir.file("keep.jpg"));
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::JpegNotEncoded);
    EXPECT_EQ(readBytes(dir.file("keep.jpg")), (std::vector<uint8_t>{1, 2, 3}));

    result = encodeImageFile(kJpegFormat, syntheticPicture(8, 8), {}, dir.file("missing/x.jpg"));
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->error, CodecError::JpegNotWritten);
}

TEST(JpegQuality, AnswersBecomeWholeNumbersFromOneToOneHundred) {
    EXPECT_EQ(clampJpegQuality(0), 1);
    EXPECT_EQ(clampJpegQuality(1), 1);
    EXPECT_EQ(clampJpegQuality(100), 100);
    EXPECT_EQ(clampJpegQuality(150), 100);
    EXPECT_EQ(clampJpegQuality(-5), 1);
    EXPECT_EQ(clampJpegQuality(99.9), 99);
    EXPECT_EQ(clampJpegQuality(1e300), 100);
    EXPECT_EQ(clampJpegQuality(NAN), 1);
}
