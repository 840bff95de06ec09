// `vyd convert` from outside: modes, messages on the error stream, exit status, untouched outputs.
#include <gtest/gtest.h>

#include "acceptance_util.h"

using namespace acc;

TEST(ConvertAcceptance, ModesMatchTheMenu) {
    TempDir dir;
    std::vector<uint32_t> px = {bgr(128, 0, 0), bgr(128, 128, 128), bgr(0, 0, 255), bgr(30, 60, 90)};
    writeBytes(dir / "in.bmp", makeBmp(24, 4, 1, px));
    struct Case {
        const char* mode;
        int bits;
        std::vector<uint32_t> values;
    };
    const Case cases[] = {
        {"256", 8, {124, 16 + 36 * 3 + 6 * 3 + 3, 16 + 5, 16 + 36 * 1 + 6 * 1 + 2}},
        {"dither", 8, {88, 16 + 36 * 2 + 6 * 2 + 2, 16 + 5, 16 + 36 * 1 + 6 * 1 + 2}},
        {"16", 4, {1, 8, 12, 6}},
        {"2", 1, {0, 1, 0, 0}},
        {"grey", 8, {42, 128, 85, 60}},
    };
    for (const Case& c : cases) {
        std::string out = dir / (std::string("o_") + c.mode + ".bmp");
        Outcome r = convert({dir / "in.bmp", out, "--mode", c.mode});
        ASSERT_EQ(r.status, 0) << c.mode << r.err;
        Bmp b = readBmp(out);
        ASSERT_TRUE(b.ok) << c.mode;
        EXPECT_EQ(b.bits, c.bits) << c.mode;
        EXPECT_EQ(b.values, c.values) << c.mode;
    }
    Outcome r = convert({dir / "in.bmp", dir / "t.bmp", "--mode", "true"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readBmp(dir / "t.bmp").values, px);
}

TEST(ConvertAcceptance, FailuresLeaveTheOutputAlone) {
    TempDir dir;
    writeBytes(dir / "in.bmp", makeBmp(24, 1, 1, {0}));
    writeBytes(dir / "keep.gif", {'k', 'e', 'e', 'p'});
    Outcome r = convert({dir / "in.bmp", dir / "keep.gif"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, "I can't print truecolor as GIF: error in gifwrite")) << r.err;
    EXPECT_EQ(readBytes(dir / "keep.gif"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));

    writeBytes(dir / "junk.bin", {'x', 'y', 'z'});
    r = convert({dir / "junk.bin", dir / "o.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, (dir / "junk.bin") + ": this file is no graphics mode that I know of")) << r.err;
    EXPECT_FALSE(fs::exists(dir / "o.bmp"));

    r = convert({dir / "missing.bmp", dir / "o.bmp"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.err, (dir / "missing.bmp") + ": I can't open this file")) << r.err;

    for (auto args : std::vector<std::vector<std::string>>{
             {dir / "in.bmp"}, {dir / "in.bmp", dir / "o.bmp", "--mode", "7"}, {dir / "in.bmp", dir / "o.bmp", "--quality"}}) {
        r = convert(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(fs::exists(dir / "o.bmp"));
    }
}
