// `vyd convert`: arguments, messages on the error stream, exit status, and no output file after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "modes/imageconv.h"
#include "support/files.h"
#include "support/image_files.h"
#include "app/convert_tool.h"

namespace vyd {
namespace {

using vydtest::readBytes;

class Convert : public testing::Test {
protected:
    vydtest::ScratchDir dir;
    std::ostringstream err;

    // A truecolor picture: the left half dark red, the right half light grey after a column of the blue
    // where the two cube roundings differ.
    std::string truecolorFile() {
        std::vector<uint32_t> colors;
        for (int i = 0; i < 32; ++i) colors.push_back(i % 8 < 4 ? 0x901010 : i % 8 == 4 ? 0x000080 : 0xC8C8C8);
        vydtest::writeBytes(dir / "in.bmp", vydtest::bmpFile(24, 8, 4, colors));
        return dir / "in.bmp";
    }

    int run(std::vector<std::string> args) { return runConvert(args, err); }

    Image readBack(const std::string& name) {
        vydtest::Reading r = vydtest::readPicture(name);
        EXPECT_TRUE(r.ok) << name;
        return std::move(r.image);
    }
};

TEST_F(Convert, ModesGiveTheMenusResultsAndTheFileItsDepth) {
    const std::string in = truecolorFile();
    struct Case { const char* mode; int code; int fileBits; int16_t readMode; };
    for (Case c : {Case{"2", kCode2Color, 1, kMode2}, {"16", kCode16Color, 4, kMode16}, {"chequer", kCodeChequer, 4, kMode16},
                   {"256", kCode256, 8, kMode256}, {"dither", kCodeCubeAlternative, 8, kMode256},
                   {"grey", kCodeGreys, 8, kMode256}, {"true", kCodeTrue, 24, kModeTrue24}}) {
        SCOPED_TRACE(c.mode);
        const std::string out = dir / (std::string("out-") + c.mode + ".bmp");
        EXPECT_EQ(run({in, out, "--mode", c.mode}), 0);
        EXPECT_EQ(err.str(), "");
        std::vector<uint8_t> file = readBytes(out);
        ASSERT_GT(file.size(), 30u);
        EXPECT_EQ(file[28], c.fileBits);
        const Image back = readBack(out);
        EXPECT_EQ(back.mode, c.readMode);
        Image converted;
        ASSERT_GT(imageconv(readBack(in), converted, c.code), 0);
        EXPECT_EQ(vydtest::firstDifference(vydtest::colorsOf(back), vydtest::colorsOf(converted), 8), "");
    }
    // Without a mode the picture is written as read, here to another format.
    EXPECT_EQ(run({in, dir / "same.pcx"}), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "same.pcx"));
    // The quality is clamped as the menu's question clamps it: 0 gives 1, 150 gives 100.
    EXPECT_EQ(run({in, dir / "low.jpg", "--quality", "0"}), 0);
    EXPECT_EQ(run({in, dir / "high.jpg", "--quality", "150"}), 0);
    EXPECT_LT(std::filesystem::file_size(dir / "low.jpg"), std::filesystem::file_size(dir / "high.jpg"));
}

// Failures print the boxes and exit 1; bad arguments (all in the command line's table) exit 2 with the usage.
TEST_F(Convert, FailuresAndBadArgumentsPrintWhyAndLeaveNoFile) {
    const std::string missing = dir / "missing.bmp";
    const std::string out = dir / "out.bmp";
    EXPECT_EQ(run({missing, out}), 1);
    EXPECT_EQ(err.str(), missing + ": I can't open this file\n");

    err.str("");
    const std::string in = truecolorFile();
    const std::string png = dir / "out.png";
    EXPECT_EQ(run({in, png}), 1);
    EXPECT_EQ(err.str(), "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG': " + png + "\n" + png +
                             ": write failed\n");

    // A GIF holds 8-bit pictures only: the writer refuses truecolor and nothing is left behind.
    err.str("");
    EXPECT_EQ(run({in, dir / "out.gif"}), 1);
    EXPECT_NE(err.str().find(": write failed\n"), std::string::npos);
    err.str("");
    EXPECT_EQ(run({in, dir / "a.bmp", "--mode", "4"}), 2);
    EXPECT_EQ(err.str().find("unknown mode: 4\nusage: vyd convert IN OUT"), 0u) << err.str();
    for (const std::string& left : {dir / "out.gif", out, png, dir / "a.bmp"}) EXPECT_FALSE(std::filesystem::exists(left)) << left;
}

}  // namespace
}  // namespace vyd
