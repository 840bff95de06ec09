// The Modes menu seen from outside: conversions of a read picture, checked by the pixels of the saved level.
#include <gtest/gtest.h>

#include "acceptance_util.h"

using namespace acc;

namespace {

// Reads a 24-bit picture into level 0, runs the commands, saves level 0 and returns the script's run.
Outcome convertLevel0(const TempDir& dir, int w, int h, const std::vector<uint32_t>& colours, const std::string& commands,
                  const std::string& saved = "out.bmp") {
    writeBytes(dir / "in.bmp", makeBmp(24, w, h, colours));
    return script("drop \"" + (dir / "in.bmp") + "\"\n" + commands + "save level 0 \"" + (dir / saved) +
                  "\"\nprint state\n");
}

}  // namespace

TEST(ModesAcceptance, ColourCubeAndItsDitheringRounding) {
    TempDir dir;
    std::vector<uint32_t> px = {bgr(128, 0, 0), bgr(255, 128, 10), bgr(0, 0, 0), bgr(200, 100, 50)};
    auto q = [](unsigned v, int add) { return (5 * v + add) >> 8; };
    for (int id : {1544, 1561}) {
        Outcome r = convertLevel0(dir, 4, 1, px, "menu " + std::to_string(id) + "\n");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "8");
        EXPECT_EQ(field(levelLine(r.out, 0), "altered"), "1");
        Bmp b = readBmp(dir / "out.bmp");
        ASSERT_TRUE(b.ok);
        ASSERT_EQ(b.bits, 8);
        int add = id == 1544 ? 128 : 127;
        for (int x = 0; x < 4; ++x) {
            uint32_t c = px[x];
            unsigned want = 16 + 36 * q(c & 0xFF, add) + 6 * q((c >> 8) & 0xFF, add) + q(c >> 16, add);
            EXPECT_EQ(b.at(x, 0), want) << "id " << id << " x " << x;
        }
        EXPECT_EQ(b.at(0, 0), id == 1544 ? 124u : 88u);
        // Entry 16 + 36i + 6j + k holds blue 51i, green 51j, red 51k; 0..15 stay the default colours.
        EXPECT_EQ(b.palette[16 + 36 * 2 + 6 * 3 + 4] & 0xFFFFFF, bgr(102, 153, 204));
        EXPECT_EQ(b.palette[231] & 0xFFFFFF, bgr(255, 255, 255));
        EXPECT_EQ(b.palette[9] & 0xFFFFFF, bgr(255, 0, 0));
    }
}

TEST(ModesAcceptance, SixteenColourClassesAndTwoColourThreshold) {
    TempDir dir;
    // (blue, green, red) triples and their classes.
    std::vector<uint32_t> px = {bgr(64, 64, 64), bgr(65, 65, 65),   bgr(200, 200, 200), bgr(224, 224, 224),
                                bgr(0, 0, 191),  bgr(0, 0, 192),    bgr(100, 40, 0),    bgr(160, 161, 161)};
    std::vector<unsigned> classes = {0, 8, 7, 15, 4, 12, 1, 7};
    Outcome r = convertLevel0(dir, 8, 1, px, "menu 1604\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "4");
    EXPECT_EQ(field(levelLine(r.out, 0), "bpp"), "8");
    Bmp b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.bits, 4);  // a 16-color level is written packed
    EXPECT_EQ(b.offset, 118u);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(b.at(x, 0), classes[x]) << "x " << x;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(b.palette[i] & 0xFFFFFF, defaultSixteen()[i]) << i;

    // Grey value (b + g + r) / 3 against bwlimit 128: 127 is black, 128 is white.
    std::vector<uint32_t> grey = {bgr(127, 127, 128), bgr(128, 128, 128), bgr(0, 0, 255), bgr(255, 255, 129)};
    r = convertLevel0(dir, 4, 1, grey, "menu 1601\n");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "1");
    b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.bits, 1);
    EXPECT_EQ(b.colour(0, 0), 0u);
    EXPECT_EQ(b.colour(1, 0), bgr(255, 255, 255));
    EXPECT_EQ(b.colour(2, 0), 0u);
    EXPECT_EQ(b.colour(3, 0), bgr(255, 255, 255));
}

TEST(ModesAcceptance, ChequerAndGreyshades) {
    TempDir dir;
    std::vector<uint32_t> grey(12, bgr(128, 128, 128));
    Outcome r = convertLevel0(dir, 4, 3, grey, "menu 1636\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "4");
    Bmp b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(b.at(x, y), (x + y) % 2 ? 15u : 0u) << x << "," << y;

    std::vector<uint32_t> red(4, bgr(0, 0, 255));
    r = convertLevel0(dir, 2, 2, red, "menu 1636\n");
    b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b.values[i], 12u);

    // Truecolor to greyshades: mode 9, index = (b + g + r) / 3 truncated, the grey ramp as palette.
    std::vector<uint32_t> px = {bgr(10, 20, 31), bgr(255, 255, 254)};
    r = convertLevel0(dir, 2, 1, px, "menu 1545\n");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "9");
    b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.at(0, 0), 20u);
    EXPECT_EQ(b.at(1, 0), 254u);
    EXPECT_EQ(b.palette[200] & 0xFFFFFF, bgr(200, 200, 200));

    // From an 8-bit picture greyshades stay mode 8.
    r = convertLevel0(dir, 2, 1, px, "menu 1544\nmenu 1545\n");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "8");
}

TEST(ModesAcceptance, TruecolorCommandsAndFailureReport) {
    TempDir dir;
    std::vector<uint32_t> px = {bgr(127, 127, 128), bgr(10, 10, 10)};
    Outcome r = convertLevel0(dir, 2, 1, px, "menu 1324\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "24");
    EXPECT_EQ(field(levelLine(r.out, 0), "altered"), "0");
    Bmp b = readBmp(dir / "out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.at(0, 0), bgr(0, 0, 0));
    px = {bgr(128, 128, 128), bgr(10, 10, 10)};
    r = convertLevel0(dir, 2, 1, px, "menu 1324\n");
    b = readBmp(dir / "out.bmp");
    EXPECT_EQ(b.at(0, 0), bgr(255, 255, 255));
    EXPECT_EQ(b.at(1, 0), 0u);

    r = convertLevel0(dir, 2, 1, px, "menu 1540\nprint state\nmenu 1540\n");
    auto states = linesStarting(r.out, "level 0 ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(field(states[0], "mode"), "16");
    EXPECT_EQ(field(states[1], "mode"), "24");
    EXPECT_EQ(field(states[1], "altered"), "0");

    // An empty level cannot be converted: the report names the command in hexadecimal.
    r = script("menu 1329\nmenu 1601\nmenu 1545\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "messagebox owner=main icon=exclamation buttons=ok caption=\"\" "
                           "text=\"out of memory in case 0x641, or no image\" -> ok"))
        << r.out;
    EXPECT_TRUE(has(r.out, "text=\"out of memory in case 0x9, or no image\"")) << r.out;
    // The refresh ending gives the empty background its blank 640 x 480 16-color picture.
    EXPECT_EQ(field(levelLine(r.out, 0), "size"), "640x480");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "4");
}

TEST(ModesAcceptance, PaletteDiagnosisAndRepairs) {
    TempDir dir;
    std::vector<uint32_t> idx = {0, 7, 8, 1, 4, 15, 3, 6};
    auto readWith = [&](std::vector<uint32_t> palette, const std::string& more = "") {
        writeBytes(dir / "p.bmp", makeBmp(4, 8, 1, idx, palette));
        return script("drop \"" + (dir / "p.bmp") + "\"\n" + more);
    };
    const std::string caption = "caption=\"This image's palette is nonstandard and may upset mode-conversions etc.\"";
    Outcome r = readWith(defaultSixteen());
    EXPECT_FALSE(has(r.out, "messagebox")) << r.out;

    auto greys = defaultSixteen();
    std::swap(greys[7], greys[8]);
    r = readWith(greys);
    EXPECT_EQ(linesStarting(r.out, "messagebox").size(), 1u) << r.out;
    EXPECT_TRUE(has(r.out, "messagebox owner=none icon=exclamation buttons=ok " + caption +
                               " text=\"the greys are swopped\""))
        << r.out;

    auto both = greys;
    std::swap(both[1], both[4]);
    std::swap(both[3], both[6]);
    std::swap(both[9], both[12]);
    std::swap(both[11], both[14]);
    r = readWith(both);
    auto boxes = linesStarting(r.out, "messagebox");
    ASSERT_EQ(boxes.size(), 2u) << r.out;
    EXPECT_TRUE(has(boxes[0], "the greys are swopped"));
    EXPECT_TRUE(has(boxes[1], "text=\"the red and blue bits are swopped all through\""));

    r = readWith(std::vector<uint32_t>(16, 0));
    boxes = linesStarting(r.out, "messagebox");
    ASSERT_EQ(boxes.size(), 1u) << r.out;
    EXPECT_TRUE(has(boxes[0], "caption=\"This PCX image shows all black because its palette somehow got zeroed.\""));

    auto odd = defaultSixteen();
    odd[2] = bgr(255, 0, 0);
    r = readWith(odd);
    EXPECT_TRUE(has(r.out, "text=\"try `show header' option to see what you've got\"")) << r.out;

    // Swops move indices, standardize resets the palette without marking the level altered.
    r = readWith(std::vector<uint32_t>(16, 0), "menu 1618\nprint state\nmenu 1616\nmenu 1617\nsave level 0 \"" +
                                                   (dir / "s.bmp") + "\"\nprint state\n");
    auto states = linesStarting(r.out, "level 0 ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(field(states[0], "altered"), "0");
    EXPECT_EQ(field(states[1], "altered"), "1");
    Bmp b = readBmp(dir / "s.bmp");
    ASSERT_TRUE(b.ok);
    std::vector<uint32_t> want = {0, 8, 7, 4, 1, 15, 6, 3};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(b.at(x, 0), want[x]) << x;
    EXPECT_EQ(b.palette[12] & 0xFFFFFF, bgr(0, 0, 255));

    // A 256-color picture is refused, with the background's name as the caption.
    writeBytes(dir / "t.bmp", makeBmp(24, 1, 1, {bgr(1, 2, 3)}));
    r = script("drop \"" + (dir / "t.bmp") + "\"\nmenu 1544\nmenu 1616\nmenu 1618\n");
    EXPECT_EQ(linesStarting(r.out, "messagebox owner=main icon=exclamation buttons=ok caption=\"" + (dir / "t.bmp") +
                                       "\" text=\"this image is not 2-color or 16-color\"")
                  .size(),
              2u)
        << r.out;
}
