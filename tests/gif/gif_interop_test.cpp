// GIFs we write decode to the same pixels in Pillow and ImageMagick, and Pillow's compressor makes the same
// codes from the same picture; GIFs Pillow writes decode to the same pixels here. The expected pixels are the
// pictures that went into each file, never a decoder's output.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "formats/codec_messages.h"
#include "formats/format_table.h"
#include "formats/gif.h"
#include "gif/gif_test_util.h"

using namespace vyd;
using namespace giftest;

namespace {

const std::string kPython = "/usr/bin/python3";
const std::string kScript = std::string(VYD_SOURCE_DIR) + "/tests/gif/pillow_gif.py";

std::string run(const std::string& command, int* status = nullptr) {
    std::string output;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p)) output += buffer;
    int rc = pclose(p);
    if (status) *status = rc;
    return output;
}

bool havePillow() {
    int status = -1;
    run(kPython + " " + kScript + " check 2>/dev/null", &status);
    return status == 0;
}

std::filesystem::path workDir() {
    auto dir = std::filesystem::temp_directory_path() / ("vyd_gif_interop_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

struct Sample { int w, h; std::vector<uint8_t> pixels; };

std::vector<Sample> samples() {
    std::vector<Sample> out;
    out.push_back({1, 1, {200}});
    out.push_back({1, 300, noise(300, 6, 3)});
    out.push_back({33, 7, noise(33 * 7, 1)});
    std::vector<uint8_t> smooth(320 * 200);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) smooth[y * 320 + x] = static_cast<uint8_t>((x / 9 + y / 4) % 256);
    }
    out.push_back({320, 200, smooth});
    out.push_back({257, 129, noise(257 * 129, 2)});  // the table is cleared many times
    out.push_back({400, 300, std::vector<uint8_t>(400 * 300, 17)});
    return out;
}

}  // namespace

TEST(GifInterop, OurFilesDecodeTheSameInPillowAndImageMagick) {
    if (!havePillow()) GTEST_SKIP() << "PIL is not available to " << kPython;
    const bool haveConvert = std::system("convert -version >/dev/null 2>&1") == 0;
    auto dir = workDir();
    int n = 0;
    for (const Sample& s : samples()) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        Image image;
        makePicture(image, s.w, s.h, s.pixels, 31 * ++n);
        std::string gif = (dir / ("ours" + std::to_string(n) + ".gif")).string();
        ASSERT_TRUE(encodeImageFile(kGifFormat, image, {}, gif).ok());
        auto expected = rgbOf(image);

        std::string out = (dir / "pillow.rgb").string();
        std::istringstream size(run(kPython + " " + kScript + " read " + gif + " " + out));
        int w = 0, h = 0;
        size >> w >> h;
        EXPECT_EQ(w, s.w);
        EXPECT_EQ(h, s.h);
        EXPECT_TRUE(readFile(out) == expected) << "Pillow decodes other pixels";
        // Pillow's own compressor, given the same picture, sends the very same codes.
        std::string codes = (dir / "pillow.lzw").string();
        run(kPython + " " + kScript + " codes " + gif + " " + codes);
        EXPECT_TRUE(readFile(codes) == joinSubBlocks(readFile(gif), 13 + 768 + 11)) << "Pillow compresses otherwise";

        if (haveConvert) {
            std::string magick = (dir / "magick.rgb").string();
            ASSERT_EQ(std::system(("convert " + gif + " -depth 8 rgb:" + magick + " 2>/dev/null").c_str()), 0);
            EXPECT_TRUE(readFile(magick) == expected) << "ImageMagick decodes other pixels";
        }
    }
    std::filesystem::remove_all(dir);
}

TEST(GifInterop, PillowFilesDecodeToTheirFirstFrame) {
    if (!havePillow()) GTEST_SKIP() << "PIL is not available to " << kPython;
    auto dir = workDir();
    std::istringstream list(run(kPython + " " + kScript + " write " + dir.string()));
    std::string name;
    int w, h, count = 0;
    while (list >> name >> w >> h) {
        SCOPED_TRACE(name);
        ++count;
        const Decoded r = decodeGif(readFile((dir / (name + ".gif")).string()), {});
        ASSERT_TRUE(r.ok()) << codecText(*r.failure);
        const Image& image = r.picture;
        EXPECT_EQ(image.width(), w);
        EXPECT_EQ(image.height(), h);
        EXPECT_TRUE(rgbOf(image) == readFile((dir / (name + ".rgb")).string())) << "pixels differ";
        if (name == "animated") {
            ASSERT_EQ(r.warnings.size(), 1u);
            EXPECT_EQ(codecText(r.warnings[0]), "this file may be a movie and has 3 images: I will show the first");
        }
    }
    EXPECT_EQ(count, 6);
    std::filesystem::remove_all(dir);
}
