// Interoperability with Pillow (Debian's python3-pil under /usr/bin/python3): the PCX files we write decode
// in Pillow to the same colours, and the PCX files Pillow writes in each of its modes decode here to the
// colours Pillow itself reads from them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "formats/codec_messages.h"
#include "formats/format_table.h"
#include "formats/pcx.h"
#include "pcx_test_util.h"

namespace vyd {
namespace {

using pcxtest::Rgb;

const char* const kPython = "/usr/bin/python3";

bool pillowPresent() {
    const std::string command = std::string(kPython) + " -c 'import PIL.PcxImagePlugin' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs the jobs through the Pillow helper; true when every job reported ok.
bool runPillow(const pcxtest::ScratchDir& dir, const std::vector<std::string>& jobs) {
    const std::string jobFile = dir.file("jobs.txt"), outFile = dir.file("answers.txt");
    {
        std::ofstream out(jobFile);
        for (const std::string& job : jobs) out << job << "\n";
    }
    const std::string command = std::string(kPython) + " " + VYD_SOURCE_DIR + "/tests/pcx/pillow_pcx.py <" +
                                jobFile + " >" + outFile + " 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    std::ifstream answers(outFile);
    size_t ok = 0;
    for (std::string line; std::getline(answers, line);) {
        if (line == "ok") {
            ++ok;
        } else {
            ADD_FAILURE() << "Pillow: " << line;
        }
    }
    return ok == jobs.size();
}

// A picture with runs and changes, so both literal bytes and run counts are exercised.
void fillPicture(Image& image, std::mt19937& random) {
    const int bytesPerPixel = image.bitCount() == 24 ? 3 : 1;
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        for (int i = 0; i < image.width() * bytesPerPixel; ++i) {
            const unsigned v = (i >= bytesPerPixel && random() % 2) ? p[i - bytesPerPixel] : random();
            p[i] = image.mode == kMode2 ? ((v & 1) ? 15 : 0) : image.mode == kMode16 ? (v & 15) : static_cast<uint8_t>(v);
        }
    }
    if (image.mode == kMode256 || image.mode == kMode16) {
        for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(random() & 0xFFFFFF);
    }
}

const int kWidths[] = {1, 7, 8, 9, 33, 130};

TEST(PcxPillow, PillowReadsWhatWeWrite) {
    if (!pillowPresent()) GTEST_SKIP() << "Pillow is not installed for " << kPython;
    pcxtest::ScratchDir dir;
    std::mt19937 random(3);
    std::vector<std::string> jobs;
    std::vector<std::pair<std::string, Rgb>> expected;
    for (int mode : {kMode2, kMode16, kMode256, kModeTrue24}) {
        for (int width : kWidths) {
            Image image;
            ASSERT_TRUE(createImage(image, mode, mode == kModeTrue24 ? 24 : 8, width, 5));
            fillPicture(image, random);
            const std::string name = "vyd_" + std::to_string(mode) + "_" + std::to_string(width);
            ASSERT_TRUE(encodeImageFile(kPcxFormat, image, {}, dir.file(name + ".pcx")).ok());
            jobs.push_back("decode " + dir.file(name + ".pcx") + " " + dir.file(name + ".ppm"));
            expected.emplace_back(name, pcxtest::shownColors(image));
        }
    }
    ASSERT_TRUE(runPillow(dir, jobs));
    for (const auto& [name, colors] : expected) {
        auto decoded = pcxtest::readPpm(dir.file(name + ".ppm"));
        ASSERT_TRUE(decoded) << name;
        EXPECT_EQ(pcxtest::firstDifference(*decoded, colors), "") << name;
    }
}

TEST(PcxPillow, WeReadWhatPillowWrites) {
    if (!pillowPresent()) GTEST_SKIP() << "Pillow is not installed for " << kPython;
    pcxtest::ScratchDir dir;
    std::mt19937 random(5);
    std::vector<std::string> jobs, names;
    for (const char* mode : {"1", "L", "P", "RGB"}) {
        for (int width : kWidths) {
            // Pillow writes only part of the lines of a one-pixel-wide RGB picture (and cannot read it back).
            if (std::string(mode) == "RGB" && width == 1) continue;
            Rgb source{width, 6, {}};
            for (int i = 0; i < width * 6 * 3; ++i) {
                source.pixels.push_back(i >= 3 && random() % 2 ? source.pixels[i - 3] : static_cast<uint8_t>(random()));
            }
            const std::string name = std::string("pil_") + mode + "_" + std::to_string(width);
            ASSERT_TRUE(pcxtest::writePpm(dir.file(name + ".src.ppm"), source));
            jobs.push_back(std::string("encode ") + mode + " " + dir.file(name + ".src.ppm") + " " + dir.file(name + ".pcx"));
            // Truecolor keeps the source colours.
            if (std::string(mode) == "RGB") {
                ASSERT_TRUE(pcxtest::writePpm(dir.file(name + ".ppm"), source));
            } else {
                jobs.push_back("decode " + dir.file(name + ".pcx") + " " + dir.file(name + ".ppm"));
            }
            names.push_back(name);
        }
    }
    ASSERT_TRUE(runPillow(dir, jobs));
    for (const std::string& name : names) {
        auto reference = pcxtest::readPpm(dir.file(name + ".ppm"));
        ASSERT_TRUE(reference) << name;
        const Decoded result = decodePcx(pcxtest::readBytes(dir.file(name + ".pcx")), {});
        ASSERT_TRUE(result.ok()) << name << ": " << (result.ok() ? "" : codecText(*result.failure));
        const Image& image = result.picture;
        EXPECT_EQ(pcxtest::firstDifference(pcxtest::shownColors(image), *reference), "") << name;
    }
}

}  // namespace
}  // namespace vyd
