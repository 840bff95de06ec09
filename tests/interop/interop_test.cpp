// Interchange with another program's readers and writers (Pillow), by frozen answers: files Pillow wrote read
// here to the pixels Pillow reads from them, and the files written here are, byte for byte, the ones Pillow
// read to the very pictures that went into them. scripts/freeze_interop_answers.py makes the answers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/files.h"
#include "support/image_files.h"

using namespace vyd;
using namespace vydtest;

namespace {

const std::string kData = std::string(VYD_TEST_DATA) + "/interop/";

struct Answer { std::string direction, name; int width = 0, height = 0; std::string pixels, bytes; };

std::vector<Answer> answers(const std::string& direction) {
    std::vector<Answer> rows;
    std::ifstream in(kData + "answers.tsv");
    for (std::string line; std::getline(in, line);) {
        std::istringstream cells(line);
        Answer a;
        if (line[0] != '#' && cells >> a.direction >> a.name >> a.width >> a.height >> a.pixels >> a.bytes &&
            a.direction == direction)
            rows.push_back(a);
    }
    return rows;
}

// FNV-1a (64 bits) as 16 hexadecimal digits.
std::string bytesHash(const Bytes& bytes) {
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// The hash of "W H\n" and the red, green, blue bytes from the top row: the answers are frozen in this form.
std::string pictureHash(const Image& image) {
    const std::string size = std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n";
    Bytes bytes(size.begin(), size.end());
    for (uint32_t c : colorsOf(image)) bytes.insert(bytes.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    return bytesHash(bytes);
}

// The picture a write row names ("FORMAT-COLOURS-PATTERN"): a palette of its own, and plain (runs and
// changes), noise (a new string every few pixels) or flat pixels.
Image pictureFor(const std::string& name, int width, int height) {
    const int colours = std::atoi(name.c_str() + name.find('-') + 1);  // 2, 16, 256 or 24 (truecolor)
    const int mode = colours == 2 ? kMode2 : colours == 16 ? kMode16 : colours == 256 ? kMode256 : kModeTrue24;
    Image image;
    createImage(image, mode, mode == kModeTrue24 ? 24 : 8, width, height);
    // A one-bit PCX is black and white whatever its header palette says; other pictures get colours of their own.
    for (int i = 0; i < 256 && !(mode == kMode2 && name.starts_with("pcx")); ++i)
        image.palette[i] = RgbQuad::fromValue(makeColor(i, (3 * i) % 256, 255 - i));
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * (mode == kModeTrue24 ? 3 : 1); ++x) {
            seed = seed * 1103515245 + 12345;
            unsigned v = name.ends_with("noise") ? seed >> 16 : name.ends_with("flat") ? 17 : 5 * (x / 3) + 9 * y;
            if (mode == kMode2) v = v % 3 ? 15 : 0;
            if (mode == kMode16) v %= 16;
            image.row(y)[x] = static_cast<uint8_t>(v);
        }
    return image;
}

}  // namespace

TEST(Interop, FilesPillowWroteReadToPillowsPixels) {
    const auto rows = answers("read");
    ASSERT_GE(rows.size(), 25u) << "answers missing under " << kData;
    for (const Answer& a : rows) {
        SCOPED_TRACE(a.name);
        ASSERT_EQ(bytesHash(readBytes(kData + a.name)), a.bytes) << "the file is not the one Pillow read";
        const Reading r = readPicture(kData + a.name);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.image.width(), a.width);
        EXPECT_EQ(r.image.height(), a.height);
        EXPECT_EQ(pictureHash(r.image), a.pixels);
    }
}

TEST(Interop, FilesWrittenHereArePillowsAndHoldTheirPictures) {
    const auto rows = answers("write");
    ASSERT_GE(rows.size(), 30u) << "answers missing under " << kData;
    ScratchDir dir;
    const char* dump = std::getenv("VYD_INTEROP_DUMP");  // set by the freezing script
    for (const Answer& a : rows) {
        const std::string file = a.name + "-" + std::to_string(a.width) + "x" + std::to_string(a.height) + "." +
                                 a.name.substr(0, a.name.find('-'));
        SCOPED_TRACE(file);
        const Image image = pictureFor(a.name, a.width, a.height);
        BoxPlatform ui;
        FileSettings files;
        ASSERT_TRUE(writeImageFile(ui, files, ModeSettings{}, dir / file, image))
            << (ui.boxes.empty() ? "" : ui.boxes[0].text + " / " + ui.boxes[0].caption);
        const Bytes written = readBytes(dir / file);
        if (dump) writeBytes(std::string(dump) + "/" + file, written);
        EXPECT_EQ(bytesHash(written), a.bytes) << "other bytes than Pillow read";
        EXPECT_EQ(pictureHash(image), a.pixels) << "Pillow read another picture from these bytes";
    }
}
