#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cmath>
#include <filesystem>

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

void expectRefused(const CodecResult& result, const Image& image, const std::string& name) {
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, name);
    EXPECT_EQ(result.messages[0].caption, "I can't read this JPEG file");
    EXPECT_EQ(result.messages[0].flags, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(image.mode, kMode2);
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
}

fs::path scratchDir() {
    fs::path dir = fs::temp_directory_path() / ("vyd_jpeg_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

}  // namespace

TEST(JpegRead, GivesTheTruecolorLayoutOfARead) {
    Image image;
    CodecResult result = decodeJpeg(readBytes(kTestorig), "testorig.jpg", image);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.messages.empty());
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
    Image grey;
    ASSERT_TRUE(decodeJpeg(readBytes(kPictures + "/hopper_gray.jpg"), "g", grey).ok);
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
    Image image;
    ASSERT_TRUE(decodeJpeg(jpeg, "cmyk.jpg", image).ok);
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
        Image image;
        createImage(image, -1, 24, 4, 4);  // whatever the record held goes
        expectRefused(decodeJpeg(bytes, name, image), image, name);
    }
}

TEST(JpegRead, RefusesHeadersClaimingFarMoreThanTheFileOrTheMemoryBudgetHolds) {
    std::vector<uint8_t> rgb(64 * 64 * 3, 128);
    std::vector<uint8_t> jpeg = compressRaw(rgb, 64, 64, TJPF_RGB, TJSAMP_444, TJFLAG_PROGRESSIVE);
    ASSERT_FALSE(jpeg.empty());
    // Huffman coding spends at least a bit on every block: a few hundred bytes cannot hold 8000 x 8000.
    Image image;
    expectRefused(decodeJpeg(withFrameSize(jpeg, 8000, 8000), "big.jpg", image), image, "big.jpg");
    // Arithmetic coding has no such floor, but a progressive 4:4:4 decode keeps every coefficient: with the
    // picture, 10900 x 32000 would take more than 3 GB although the size is within the record's limits.
    ASSERT_TRUE(sizeWithinLimits(24, 10900, 32000));
    std::vector<uint8_t> arithmetic = withFrameSize(jpeg, 10900, 32000);
    arithmetic[frameOffset(arithmetic) + 1] = 0xCA;
    expectRefused(decodeJpeg(arithmetic, "huge.jpg", image), image, "huge.jpg");
}

TEST(JpegRead, DamagedFilesAreReadWithAWarningButStrayBytesAloneAreNot) {
    std::vector<uint8_t> good = readBytes(kTestorig);
    Image reference;
    ASSERT_TRUE(decodeJpeg(good, "testorig.jpg", reference).ok);

    Image cut;
    CodecResult result = decodeJpeg(std::vector<uint8_t>(good.begin(), good.begin() + 3000), "cut.jpg", cut);
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, "cut.jpg");
    EXPECT_EQ(result.messages[0].caption, "this JPEG file is damaged: parts of the picture may be wrong");
    EXPECT_EQ(cut.width(), 227);
    EXPECT_EQ(cut.height(), 149);

    // Three stray bytes after the first segment: the decoder skips them, the picture is whole.
    std::vector<uint8_t> stray = good;
    size_t firstSegmentEnd = 4 + ((good[4] << 8) | good[5]);
    stray.insert(stray.begin() + static_cast<long>(firstSegmentEnd), {0x12, 0x34, 0x56});
    Image image;
    result = decodeJpeg(stray, "stray.jpg", image);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(maxDifference(image, toRgb(reference)), 0);
}

TEST(JpegWrite, RoundTripsTheRightWayUpAndHonoursTheQualityRange) {
    Image source = syntheticPicture(97, 61);
    std::vector<uint8_t> jpeg = encodeJpeg(source, 90);
    ASSERT_FALSE(jpeg.empty());

    // Decoded by TurboJPEG itself, top-down RGB: the written file is the right way up with its colours.
    std::vector<uint8_t> rgb(97 * 61 * 3);
    tjhandle handle = tjInitDecompress();
    ASSERT_EQ(tjDecompress2(handle, jpeg.data(), jpeg.size(), rgb.data(), 97, 0, 61, TJPF_RGB, 0), 0);
    tjDestroy(handle);
    Rgb decoded{97, 61, rgb};
    EXPECT_GT(psnr(source, decoded), 30);

    fs::path file = scratchDir() / "round.jpg";
    ASSERT_TRUE(writeJpeg(file.string(), source, 90).ok);
    Image back;
    ASSERT_TRUE(decodeJpeg(readBytes(file.string()), file.string(), back).ok);
    EXPECT_EQ(maxDifference(back, decoded), 0);

    EXPECT_LT(encodeJpeg(source, 1).size(), encodeJpeg(source, 100).size());
    EXPECT_EQ(encodeJpeg(source, 0), encodeJpeg(source, 1));
    EXPECT_EQ(encodeJpeg(source, 150), encodeJpeg(source, 100));
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
    Image back;
    ASSERT_TRUE(decodeJpeg(encodeJpeg(twoColor, 95), "2", back).ok);
    const uint8_t* row = back.row(8);
    EXPECT_LE(std::max({row[3 * 4], row[3 * 4 + 1], row[3 * 4 + 2]}), 3);      // black
    EXPECT_GE(std::min({row[3 * 27], row[3 * 27 + 1], row[3 * 27 + 2]}), 252);  // white

    ASSERT_TRUE(decodeJpeg(encodeJpeg(custom, 95), "256", back).ok);
    row = back.row(8) + 3 * 16;
    EXPECT_NEAR(row[0], 30, 4);
    EXPECT_NEAR(row[1], 200, 4);
    EXPECT_NEAR(row[2], 10, 4);
}

TEST(JpegWrite, AFailedWriteSaysNothingAndKeepsTheOldFile) {
    fs::path file = scratchDir() / "keep.jpg";
    writeBytes(file.string(), {1, 2, 3});
    Image empty;
    CodecResult result = writeJpeg(file.string(), empty, 80);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(readBytes(file.string()), (std::vector<uint8_t>{1, 2, 3}));

    result = writeJpeg((scratchDir() / "missing" / "x.jpg").string(), syntheticPicture(8, 8), 80);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.messages.empty());
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
