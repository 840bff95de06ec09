// Interoperability with Pillow (Debian's python3-pil for /usr/bin/python3): files we write decode in Pillow
// close to their source, and files Pillow writes decode here as Pillow decodes them. Both sides use
// libjpeg-turbo, so only rounding may differ.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "formats/format_table.h"
#include "formats/jpeg.h"
#include "jpeg/jpeg_test_util.h"

using namespace vyd;
using namespace vyd::testing;
namespace fs = std::filesystem;

namespace {

const std::string kPictures = std::string(VYD_TEST_DATA) + "/jpeg";
const std::string kPython = "/usr/bin/python3";
const std::string kScript = std::string(VYD_SOURCE_DIR) + "/tests/jpeg/pillow_jpeg.py";

bool pillowPresent() {
    return std::system((kPython + " -c 'import PIL.Image' >/dev/null 2>&1").c_str()) == 0;
}

bool pillow(const std::string& arguments) {
    return std::system((kPython + " " + kScript + " " + arguments).c_str()) == 0;
}

class JpegPillow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pillowPresent()) GTEST_SKIP() << "Pillow is not installed for " << kPython;
        dir_ = fs::temp_directory_path() / ("vyd_jpeg_pillow_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        if (!dir_.empty()) fs::remove_all(dir_, ignored);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // Our decode of a file against Pillow's decode of it.
    void expectSameDecode(const std::string& jpeg, int tolerance) {
        SCOPED_TRACE(jpeg);
        ASSERT_TRUE(pillow("decode " + jpeg + " " + file("pillow.ppm")));
        auto theirs = readNetpbm(file("pillow.ppm"));
        ASSERT_TRUE(theirs);
        const Decoded decoded = decodeJpeg(readBytes(jpeg));
        ASSERT_TRUE(decoded.ok());
        const Image& ours = decoded.picture;
        ASSERT_EQ(ours.width(), theirs->width);
        ASSERT_EQ(ours.height(), theirs->height);
        EXPECT_LE(maxDifference(ours, *theirs), tolerance);
    }

    fs::path dir_;
};

}  // namespace

TEST_F(JpegPillow, FilesWeWriteDecodeInPillowCloseToTheirSource) {
    for (int width : {1, 7, 33, 201}) {
        SCOPED_TRACE(width);
        Image source = syntheticPicture(width, 61);
        ASSERT_TRUE(encodeImageFile(kJpegFormat, source, {{}, 90}, file("ours.jpg")).ok());
        ASSERT_TRUE(pillow("decode " + file("ours.jpg") + " " + file("ours.ppm")));
        auto decoded = readNetpbm(file("ours.ppm"));
        ASSERT_TRUE(decoded);
        EXPECT_GT(psnr(source, *decoded), 28);  // flipped or channel-swapped pictures score below 15
    }
    // A palette picture arrives in its palette's colours.
    Image indexed;
    createImage(indexed, kMode256, 8, 24, 24);
    indexed.palette[7] = {200, 100, 50, 0};
    for (int y = 0; y < 24; ++y) std::fill(indexed.row(y), indexed.row(y) + 24, 7);
    ASSERT_TRUE(encodeImageFile(kJpegFormat, indexed, {{}, 95}, file("indexed.jpg")).ok());
    ASSERT_TRUE(pillow("decode " + file("indexed.jpg") + " " + file("indexed.ppm")));
    auto decoded = readNetpbm(file("indexed.ppm"));
    ASSERT_TRUE(decoded);
    const uint8_t* pixel = decoded->at(12, 12);  // red, green, blue
    EXPECT_NEAR(pixel[0], 50, 3);
    EXPECT_NEAR(pixel[1], 100, 3);
    EXPECT_NEAR(pixel[2], 200, 3);
}

TEST_F(JpegPillow, FilesPillowWritesDecodeHereAsInPillow) {
    std::string source = kPictures + "/testorig.ppm";
    for (const char* mode : {"RGB", "L", "RGB-progressive"}) {
        std::string jpeg = file(std::string("pillow_") + mode + ".jpg");
        ASSERT_TRUE(pillow("encode " + source + " " + jpeg + " 85 " + mode));
        expectSameDecode(jpeg, 1);
    }
}

TEST_F(JpegPillow, CmykFilesDecodeHereAsInPillow) {
    expectSameDecode(kPictures + "/pil_sample_cmyk.jpg", 2);
}
