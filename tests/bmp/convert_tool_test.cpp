// `vyd convert`: arguments, the messages on the error stream, the exit status, and no output file after
// any failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/convert_tool.h"
#include "bmp_test_support.h"
#include "formats/bmp.h"
#include "formats/format_table.h"

namespace vyd {
namespace {

class Convert : public testing::Test {
protected:
    test::ScratchDir dir;
    std::ostringstream err;

    // A truecolor picture: the left half dark red, the right half light grey.
    std::string truecolorFile() {
        Image picture;
        createImage(picture, -1, 24, 8, 4);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                uint8_t* p = picture.row(y) + 3 * x;
                p[0] = x < 4 ? 0x10 : 0xC8;
                p[1] = x < 4 ? 0x10 : 0xC8;
                p[2] = x < 4 ? 0x90 : 0xC8;
            }
        }
        EXPECT_TRUE(encodeImageFile(kBmpFormat, picture, {}, dir.file("in.bmp")).ok());
        return dir.file("in.bmp");
    }

    int run(std::vector<std::string> args) { return runConvert(args, err); }
};

TEST_F(Convert, ModesGiveTheMenusResultsAndTheFileItsDepth) {
    const std::string in = truecolorFile();
    struct Case { const char* mode; int fileBits; int16_t readMode; };
    for (Case c : {Case{"2", 1, kMode2}, {"16", 4, kMode16}, {"256", 8, kMode256}, {"grey", 8, kMode256},
                   {"true", 24, kModeTrue24}}) {
        SCOPED_TRACE(c.mode);
        const std::string out = dir.file(std::string("out-") + c.mode + ".bmp");
        EXPECT_EQ(run({in, out, "--mode", c.mode}), 0);
        EXPECT_EQ(err.str(), "");
        std::vector<uint8_t> file = test::readBytes(out);
        ASSERT_GT(file.size(), 30u);
        EXPECT_EQ(file[28], c.fileBits);
        const Decoded back = decodeBmp(file, ModeSettings{});
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.picture.mode, c.readMode);
    }
    // 2-color by the threshold: dark red is black, light grey white.
    const Decoded decoded = decodeBmp(test::readBytes(dir.file("out-2.bmp")), ModeSettings{});
    ASSERT_TRUE(decoded.ok());
    const Image& twoColor = decoded.picture;
    EXPECT_EQ(test::rgbAt(twoColor, 0, 0), 0x000000u);
    EXPECT_EQ(test::rgbAt(twoColor, 7, 0), 0xFFFFFFu);

    // Without a mode the picture is written as read, here to another format.
    EXPECT_EQ(run({in, dir.file("same.pcx")}), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("same.pcx")));
}

TEST_F(Convert, FailuresPrintTheBoxesAndLeaveNoFile) {
    const std::string missing = dir.file("missing.bmp");
    const std::string out = dir.file("out.bmp");
    EXPECT_EQ(run({missing, out}), 1);
    EXPECT_EQ(err.str(), missing + ": I can't open this file\n");

    err.str("");
    test::writeBytes(dir.file("bad.bmp"), {'B', 'M', 1, 2});
    EXPECT_EQ(run({dir.file("bad.bmp"), out}), 1);
    EXPECT_EQ(err.str(), "bad file BMP: " + dir.file("bad.bmp") + "\n");

    err.str("");
    const std::string in = truecolorFile();
    const std::string png = dir.file("out.png");
    EXPECT_EQ(run({in, png}), 1);
    EXPECT_EQ(err.str(), "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG': " + png + "\n" + png +
                             ": write failed\n");

    // A GIF holds 8-bit pictures only: the writer refuses truecolor and nothing is left behind.
    err.str("");
    EXPECT_EQ(run({in, dir.file("out.gif")}), 1);
    EXPECT_NE(err.str().find(": write failed\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.gif")));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(Convert, ArgumentsAreChecked) {
    const std::string in = truecolorFile();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{in}, {in, dir.file("a.bmp"), dir.file("b.bmp")}, {in, dir.file("a.bmp"), "--mode"},
          {in, dir.file("a.bmp"), "--mode", "4"}, {in, dir.file("a.jpg"), "--quality", "high"},
          {in, dir.file("a.bmp"), "--colour"}}) {
        err.str("");
        EXPECT_EQ(run(args), 1);
        EXPECT_NE(err.str().find("usage: vyd convert IN OUT"), std::string::npos) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.bmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.jpg")));

    // The quality is clamped as the menu's question clamps it: 0 gives 1, 150 gives 100.
    EXPECT_EQ(run({in, dir.file("low.jpg"), "--quality", "0"}), 0);
    EXPECT_EQ(run({in, dir.file("high.jpg"), "--quality", "150"}), 0);
    EXPECT_LT(std::filesystem::file_size(dir.file("low.jpg")), std::filesystem::file_size(dir.file("high.jpg")));
}

}  // namespace
}  // namespace vyd
