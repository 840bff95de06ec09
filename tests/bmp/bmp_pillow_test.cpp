// BMP interchange with Pillow, pixel for pixel: Pillow reads the 1-, 4-, 8- and 24-bit files VYD writes,
// and VYD reads the files Pillow writes. Skipped when the system's Python has no Pillow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "bmp_test_support.h"
#include "reference_images.h"
#include "formats/bmp.h"
#include "formats/codec_messages.h"
#include "formats/format_table.h"

namespace vyd {
namespace {

const std::string kPython = "/usr/bin/python3";
const std::string kScript = std::string(VYD_SOURCE_DIR) + "/tests/bmp/pillow_bmp.py";

bool havePillow() {
    static const bool present =
        std::system((kPython + " -c 'import PIL' >/dev/null 2>&1").c_str()) == 0;
    return present;
}

bool runScript(const std::string& arguments) {
    return std::system((kPython + " " + kScript + " " + arguments).c_str()) == 0;
}

// The "W H\n" + RGB dump the script writes.
test::ReferencePicture readDump(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    test::ReferencePicture picture;
    in >> picture.width >> picture.height;
    in.get();
    std::vector<unsigned char> rgb(static_cast<size_t>(picture.width) * picture.height * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    for (size_t i = 0; i < rgb.size(); i += 3) picture.rgb.push_back((rgb[i] << 16) | (rgb[i + 1] << 8) | rgb[i + 2]);
    return picture;
}

void expectSame(const Image& image, const test::ReferencePicture& pillow) {
    ASSERT_EQ(image.width(), pillow.width);
    ASSERT_EQ(image.height(), pillow.height);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(test::rgbAt(image, x, y), pillow.rgb[static_cast<size_t>(y) * pillow.width + x])
                << "first differing pixel at (" << x << ", " << y << ")";
        }
    }
}

// A 37 x 23 picture (odd, so that rows are padded) of the given mode, with colours of its own.
Image vydPicture(int mode) {
    Image image;
    const int bits = mode == kModeTrue24 ? 24 : 8;
    createImage(image, mode, bits, 37, 23);
    for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(makeColor(i, (3 * i) % 256, 255 - i));
    for (int y = 0; y < 23; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < 37; ++x) {
            const int v = 5 * x + 9 * y;
            if (mode == kMode2) row[x] = (x + y) % 3 ? 15 : 0;
            else if (mode == kMode16) row[x] = static_cast<uint8_t>(v % 16);
            else if (mode == kMode256) row[x] = static_cast<uint8_t>(v % 256);
            else for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<uint8_t>(v * (c + 1));
        }
    }
    return image;
}

class BmpPillow : public testing::Test {
protected:
    void SetUp() override {
        if (!havePillow()) GTEST_SKIP() << kPython << " has no Pillow";
    }
    test::ScratchDir dir;
};

TEST_F(BmpPillow, PillowReadsWhatVydWrites) {
    for (int mode : {kMode2, kMode16, kMode256, kModeTrue24}) {
        SCOPED_TRACE(mode);
        const Image image = vydPicture(mode);
        const std::string file = dir.file("vyd.bmp");
        ASSERT_TRUE(encodeImageFile(kBmpFormat, image, {}, file).ok());
        const int expectedBits = mode == kMode2 ? 1 : mode == kMode16 ? 4 : mode == kMode256 ? 8 : 24;
        EXPECT_EQ(test::readBytes(file)[28], expectedBits);
        ASSERT_TRUE(runScript("read " + file + " " + dir.file("dump")));
        expectSame(image, readDump(dir.file("dump")));
    }
}

TEST_F(BmpPillow, VydReadsWhatPillowWrites) {
    for (const char* kind : {"1", "L", "P", "RGB", "RGBA"}) {
        SCOPED_TRACE(kind);
        const std::string file = dir.file("pillow.bmp");
        ASSERT_TRUE(runScript(std::string("write ") + kind + " " + file + " " + dir.file("dump")));
        const Decoded result = decodeBmp(test::readBytes(file), ModeSettings{});
        ASSERT_TRUE(result.ok()) << codecText(*result.failure);
        const Image& image = result.picture;
        expectSame(image, readDump(dir.file("dump")));
    }
}

}  // namespace
}  // namespace vyd
