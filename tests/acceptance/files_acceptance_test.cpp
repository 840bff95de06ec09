// Reading and writing files from outside: messages of the readers and writers, layouts of the written files.
#include <gtest/gtest.h>

#include "acceptance_util.h"

using namespace acc;

namespace {

std::string q(const std::string& s) { return "\"" + s + "\""; }

std::string box(const std::string& owner, const std::string& caption, const std::string& text) {
    return "messagebox owner=" + owner + " icon=exclamation buttons=ok caption=\"" + caption + "\" text=\"" + text +
           "\" -> ok";
}

// A PCX header: bits a plane, planes, bytes a line, size; palette of 16 (red, green, blue) triples.
std::vector<uint8_t> pcxHeader(int bitsPerPlane, int planes, int bytesPerLine, int w, int h,
                               const std::vector<uint8_t>& palette16 = {}) {
    std::vector<uint8_t> b(128, 0);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = static_cast<uint8_t>(bitsPerPlane);
    b[8] = (w - 1) & 0xFF;
    b[9] = (w - 1) >> 8;
    b[10] = (h - 1) & 0xFF;
    b[11] = (h - 1) >> 8;
    b[12] = 44;  // 300 pixels an inch
    b[13] = 1;
    b[14] = 44;
    b[15] = 1;
    for (size_t i = 0; i < palette16.size() && i < 48; ++i) b[16 + i] = palette16[i];
    b[65] = static_cast<uint8_t>(planes);
    b[66] = bytesPerLine & 0xFF;
    b[67] = bytesPerLine >> 8;
    return b;
}

}  // namespace

TEST(BmpAcceptance, DispatchAndReaderMessages) {
    TempDir dir;
    writeBytes(dir / "three", {'B', 'M', 0});
    writeBytes(dir / "pcx3", {0x0A, 5, 1});
    writeBytes(dir / "one", {'B'});
    Outcome r = script("drop " + q(dir / "three") + "\ndrop " + q(dir / "pcx3") + "\ndrop " + q(dir / "one") +
                   "\ndrop " + q(dir / "missing.bmp") + "\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, box("none", dir / "three", "bad file BMP"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", "this file is no graphics mode that I know of", dir / "pcx3"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", "this file is no graphics mode that I know of", dir / "one"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", "I can't open this file", dir / "missing.bmp"))) << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "name"), "");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "1");  // a failed read leaves an empty 2-color image
    EXPECT_TRUE(has(r.out, "title \"reading from file\""));

    // Pixel-data offset 1078 is the largest accepted; 1079 is refused.
    std::vector<uint32_t> px = {bgr(1, 2, 3), bgr(4, 5, 6)};
    writeBytes(dir / "ok.bmp", makeBmp(24, 2, 1, px, {}, 0, 1024));
    writeBytes(dir / "bad.bmp", makeBmp(24, 2, 1, px, {}, 0, 1025));
    std::vector<uint8_t> rle = makeBmp(8, 2, 1, {1, 2}, defaultSixteen(), 1);
    writeBytes(dir / "rle.bmp", rle);
    r = script("drop " + q(dir / "ok.bmp") + "\nprint state\ndrop " + q(dir / "bad.bmp") + "\ndrop " +
               q(dir / "rle.bmp") + "\nprint state\n");
    auto states = linesStarting(r.out, "level 0 ");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(field(states[0], "size"), "2x1");
    EXPECT_TRUE(has(r.out, box("none", dir / "bad.bmp", "bad file BMP"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", "this BMP file is compressed: I can't read it", dir / "rle.bmp"))) << r.out;
    EXPECT_EQ(field(states[1], "size"), "0x0");
}

TEST(BmpAcceptance, WriterLayoutsAndExtensions) {
    TempDir dir;
    std::vector<uint32_t> px(15);
    for (int i = 0; i < 15; ++i) px[i] = bgr(i, 2 * i, 3 * i);
    writeBytes(dir / "in.bmp", makeBmp(24, 5, 3, px));
    Outcome c = convert({dir / "in.bmp", dir / "out.BUM"});
    ASSERT_EQ(c.status, 0) << c.err;
    Bmp b = readBmp(dir / "out.BUM");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.fileBytes, 102u);
    EXPECT_EQ(b.fileSize, 102u);
    EXPECT_EQ(b.offset, 54u);
    EXPECT_EQ(b.values, px);

    // A 4-bit file keeps 4 bits, 16 colours and offset 118 when written back; the mode reads as 4.
    std::vector<uint32_t> idx = {0, 1, 2, 3, 12, 13, 14, 15, 9};
    writeBytes(dir / "four.bmp", makeBmp(4, 9, 1, idx, defaultSixteen()));
    Outcome r = script("drop " + q(dir / "four.bmp") + "\nprint state\nchoose " + q(dir / "four2.bmp") + "\nmenu 1298\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "4");
    EXPECT_EQ(field(levelLine(r.out, 0), "bpp"), "8");
    EXPECT_TRUE(has(r.out, "chooser save title=\"name of file to write to?\"")) << r.out;
    b = readBmp(dir / "four2.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.bits, 4);
    EXPECT_EQ(b.offset, 118u);
    EXPECT_EQ(b.values, idx);

    // Names ending otherwise are refused, followed by "write failed"; nothing is written.
    for (std::string name : {"x.JPEG", "a.b", "b.p"}) {
        r = script("drop " + q(dir / "in.bmp") + "\nchoose " + q(dir / name) + "\nmenu 1298\n");
        EXPECT_TRUE(has(r.out, box("none", dir / name,
                                   "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'")) ||
                    has(r.out, box("main", dir / name,
                                   "the filename must end in `.BMP' or `.PCX' or `.GIF' or `.JPG'")))
            << r.out;
        EXPECT_TRUE(has(r.out, box("main", "write failed", dir / name))) << r.out;
        EXPECT_FALSE(fs::exists(dir / name));
    }
    // The short-name rule: fewer than 5 characters.
    c = convert({dir / "in.bmp", ".bmp"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(has(c.err, "the filename must end in")) << c.err;

    // 16- and 32-bit files read as 24-bit pixels keeping their modes.
    std::vector<uint8_t> f16 = makeBmp(24, 1, 1, {0});
    f16[28] = 16;
    f16.resize(54);
    put16(f16, (31 << 10) | (0 << 5) | 16);  // red 31, green 0, blue 16
    put16(f16, 0);
    writeBytes(dir / "16.bmp", f16);
    r = script("drop " + q(dir / "16.bmp") + "\nprint state\nsave level 0 " + q(dir / "16out.bmp") + "\n");
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "16");
    EXPECT_EQ(field(levelLine(r.out, 0), "bpp"), "24");
    b = readBmp(dir / "16out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.at(0, 0), bgr(132, 0, 255));  // 5-5-5 words widened to full channels
}

TEST(PcxAcceptance, ReaderMessagesAndWarnings) {
    TempDir dir;
    // 1-bit, width 10, bytes/line 2: no warning; bytes/line 1: the warning, and the read goes on.
    std::vector<uint8_t> ok = pcxHeader(1, 1, 2, 10, 1);
    ok.insert(ok.end(), {0xC1, 0xFF, 0x80});  // 0xFF needs a count byte
    writeBytes(dir / "ok.pcx", ok);
    std::vector<uint8_t> narrow = pcxHeader(1, 1, 1, 10, 1);
    narrow.insert(narrow.end(), {0xC1, 0xFF});
    writeBytes(dir / "narrow.pcx", narrow);
    Outcome r = script("drop " + q(dir / "ok.pcx") + "\nsave level 0 " + q(dir / "ok.bmp") + "\nprint state\ndrop " +
                   q(dir / "narrow.pcx") + "\nprint state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto boxes = linesStarting(r.out, "messagebox");
    ASSERT_EQ(boxes.size(), 1u) << r.out;
    EXPECT_EQ(boxes[0], box("none", "mismatch in PCX file header", "image may display corrupted"));
    auto states = linesStarting(r.out, "level 0 ");
    EXPECT_EQ(field(states[0], "mode"), "1");
    EXPECT_EQ(field(states[1], "size"), "10x1");
    Bmp b = readBmp(dir / "ok.bmp");
    ASSERT_TRUE(b.ok);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(b.colour(x, 0), x < 9 ? bgr(255, 255, 255) : 0u) << x;

    std::vector<uint8_t> two = pcxHeader(2, 1, 2, 4, 1);
    two.insert(two.end(), {0, 0});
    writeBytes(dir / "two.pcx", two);
    std::vector<uint8_t> eof = pcxHeader(8, 1, 2, 2, 1);
    eof.insert(eof.end(), {1, 2});
    writeBytes(dir / "eof.pcx", eof);
    std::vector<uint8_t> noL = eof;
    noL.push_back(0x0A);
    noL.resize(noL.size() + 768, 0);
    writeBytes(dir / "noL.pcx", noL);
    std::vector<uint8_t> shortHeader(100, 0);
    shortHeader[0] = 0x0A;
    writeBytes(dir / "short.pcx", shortHeader);
    r = script("drop " + q(dir / "two.pcx") + "\ndrop " + q(dir / "eof.pcx") + "\ndrop " + q(dir / "noL.pcx") +
               "\ndrop " + q(dir / "short.pcx") + "\nprint state\n");
    EXPECT_TRUE(has(r.out, box("none", dir / "two.pcx", "I can't handle 2 bits per pixel mode yet"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", dir / "eof.pcx", "eof"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", dir / "noL.pcx", "ctrl-L after image not found"))) << r.out;
    EXPECT_TRUE(has(r.out, box("none", dir / "short.pcx", "bad file"))) << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "size"), "0x0");
}

TEST(PcxAcceptance, DecodingRunsAndWriterHeaders) {
    TempDir dir;
    // A count 0xC3 at the end of a 4-byte line stores its byte twice; the next line starts after it.
    std::vector<uint8_t> f = pcxHeader(8, 1, 4, 4, 2);
    f.insert(f.end(), {1, 2, 0xC3, 7, 9, 0xC2, 5, 6});
    f.push_back(0x0C);
    for (int i = 0; i < 256; ++i) f.insert(f.end(), {static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)});
    writeBytes(dir / "runs.pcx", f);
    Outcome c = convert({dir / "runs.pcx", dir / "runs.bmp"});
    ASSERT_EQ(c.status, 0) << c.err;
    Bmp b = readBmp(dir / "runs.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.bits, 8);
    EXPECT_EQ(b.values, (std::vector<uint32_t>{1, 2, 7, 7, 9, 5, 5, 6}));
    EXPECT_EQ(b.palette[7] & 0xFFFFFF, bgr(248, 0, 7));

    // Encoding 0xC5 once and 0x10 seventy times: C1 C5, FF 10, C7 10.
    std::vector<uint32_t> row = {0xC5};
    std::vector<uint32_t> pal(256);
    for (int i = 0; i < 256; ++i) pal[i] = bgr(i, i, i);
    for (int i = 0; i < 70; ++i) row.push_back(0x10);
    writeBytes(dir / "row.bmp", makeBmp(8, 71, 1, row, pal));
    c = convert({dir / "row.bmp", dir / "row.pcx"});
    ASSERT_EQ(c.status, 0) << c.err;
    std::vector<uint8_t> out = readBytes(dir / "row.pcx");
    ASSERT_GE(out.size(), 128u + 6 + 769);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(out[3], 8);
    EXPECT_EQ(out[65], 1);
    EXPECT_EQ(get16(out, 66), 71u);
    EXPECT_EQ(get16(out, 12), 300u);
    EXPECT_EQ(get16(out, 68), 1u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 128, out.begin() + 134),
              (std::vector<uint8_t>{0xC1, 0xC5, 0xFF, 0x10, 0xC7, 0x10}));
    EXPECT_EQ(out[134], 0x0C);
    EXPECT_EQ(out.size(), 128u + 6 + 769);

    // A 16-color picture: version 3, four one-bit planes; a 2-color one: version 5, colour 1 = entry 15.
    writeBytes(dir / "c16.bmp", makeBmp(4, 3, 1, {1, 2, 15}, defaultSixteen()));
    c = convert({dir / "c16.bmp", dir / "c16.pcx"});
    ASSERT_EQ(c.status, 0) << c.err;
    out = readBytes(dir / "c16.pcx");
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[3], 1);
    EXPECT_EQ(out[65], 4);
    EXPECT_EQ(get16(out, 66), 1u);
    EXPECT_EQ(out[16 + 3 * 1 + 2], 0xAA);  // colour 1 is blue (red, green, blue)
    c = convert({dir / "c16.pcx", dir / "back.bmp"});
    b = readBmp(dir / "back.bmp");
    EXPECT_EQ(b.values, (std::vector<uint32_t>{1, 2, 15}));

    writeBytes(dir / "in.bmp", makeBmp(24, 3, 1, {0, bgr(255, 255, 255), 0}));
    c = convert({dir / "in.bmp", dir / "c2.pcx", "--mode", "2"});
    ASSERT_EQ(c.status, 0) << c.err;
    out = readBytes(dir / "c2.pcx");
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(out[3], 1);
    EXPECT_EQ(out[65], 1);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 19, out.begin() + 22), (std::vector<uint8_t>{255, 255, 255}));

    // Greys cannot be written as PCX.
    c = convert({dir / "in.bmp", dir / "g.pcx", "--mode", "grey"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(has(c.err, "I can't write PCX from this mode of image yet")) << c.err;
    EXPECT_FALSE(fs::exists(dir / "g.pcx"));
}

TEST(GifAcceptance, ReaderMessagesAndWriterBytes) {
    TempDir dir;
    std::vector<uint8_t> empty = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
    writeBytes(dir / "empty.gif", empty);
    std::vector<uint8_t> bad = {'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
    writeBytes(dir / "bad.gif", bad);
    Outcome r = script("drop " + q(dir / "empty.gif") + "\ndrop " + q(dir / "bad.gif") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, box("none", "error in reading a .GIF file", "no image") + "\n" +
                               box("none", dir / "empty.gif", "no image")))
        << r.out;
    EXPECT_TRUE(has(r.out, box("none", "error in reading a .GIF file", "not GIF version 87a or 89a"))) << r.out;

    // Three 1x1 images: the message with 3, and the first image's pixel and palette kept.
    std::vector<uint8_t> three = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 10, 20, 30, 40, 50, 60};
    for (int k = 0; k < 3; ++k) {
        uint8_t local = k == 0 ? 0 : 0x80;
        three.insert(three.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, local});
        if (local) three.insert(three.end(), {1, 1, 1, 2, 2, 2});
        // min code size 2: clear 4, pixel, end 5 at 3 bits.
        uint8_t pixel = k == 0 ? 1 : 0;
        unsigned bits = 4 | (pixel << 3) | (5 << 6);
        three.insert(three.end(), {2, 2, static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>(bits >> 8), 0});
    }
    three.push_back(0x3B);
    writeBytes(dir / "three.gif", three);
    r = script("drop " + q(dir / "three.gif") + "\nsave level 0 " + q(dir / "three.bmp") + "\nprint state\n");
    EXPECT_TRUE(has(r.out, box("none", dir / "three.gif", "this file may be a movie and has 3 images: I will show the first")))
        << r.out;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "8");
    Bmp b = readBmp(dir / "three.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.at(0, 0), 1u);
    EXPECT_EQ(b.palette[1] & 0xFFFFFF, bgr(60, 50, 40));
    EXPECT_EQ(b.palette[0] & 0xFFFFFF, bgr(30, 20, 10));
    EXPECT_EQ(b.palette[2] & 0xFFFFFF, bgr(0, 170, 0));  // entries past the table keep the default colours

    // Writing a 1x1 picture of index 5: codes 256, 5, 257 at 9 bits in one 4-byte sub-block.
    std::vector<uint32_t> pal = defaultSixteen();
    writeBytes(dir / "one.bmp", makeBmp(8, 1, 1, {5}, pal));
    Outcome c = convert({dir / "one.bmp", dir / "one.gif"});
    ASSERT_EQ(c.status, 0) << c.err;
    std::vector<uint8_t> g = readBytes(dir / "one.gif");
    ASSERT_EQ(g.size(), 13u + 768 + 10 + 1 + 1 + 4 + 1 + 1);
    EXPECT_EQ(std::string(g.begin(), g.begin() + 6), "GIF87a");
    EXPECT_EQ(g[10], 0xF7);
    size_t at = 13 + 768;
    EXPECT_EQ(g[at], 0x2C);
    EXPECT_EQ(g[at + 9], 0);
    EXPECT_EQ(g[at + 10], 8);
    // 256 | 5 << 9 | 257 << 18 packed least significant bit first.
    uint32_t bits = 256u | (5u << 9) | (257u << 18);
    EXPECT_EQ(std::vector<uint8_t>(g.begin() + at + 11, g.end()),
              (std::vector<uint8_t>{4, static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                    static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24), 0, 0x3B}));

    writeBytes(dir / "t.bmp", makeBmp(24, 1, 1, {0}));
    r = script("drop " + q(dir / "t.bmp") + "\nchoose " + q(dir / "t.gif") + "\nmenu 1298\n");
    EXPECT_TRUE(has(r.out, box("none", "error in gifwrite", "I can't print truecolor as GIF"))) << r.out;
}

TEST(JpegAcceptance, ReadThroughMenuAndConvert) {
    TempDir dir;
    ASSERT_EQ(python("from PIL import Image\nim = Image.new('RGB', (8, 8), (200, 40, 10))\nim.save('" +
                         (dir / "p.jpg") + "', quality=95)\n",
                     dir / ""),
              0);
    Outcome r = script("drop " + q(dir / "p.jpg") + "\nprint state\nsave level 0 " + q(dir / "p.bmp") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string l0 = levelLine(r.out, 0);
    EXPECT_EQ(field(l0, "mode"), "24");
    EXPECT_EQ(field(l0, "size"), "8x8");
    EXPECT_EQ(field(l0, "left"), "ffffffff");  // reading from a file sets no transparent colour
    EXPECT_EQ(field(l0, "right"), "00000000");
    Bmp b = readBmp(dir / "p.bmp");
    ASSERT_TRUE(b.ok);
    uint32_t c = b.at(3, 3);
    EXPECT_NEAR(static_cast<int>(c >> 16), 200, 4);
    EXPECT_NEAR(static_cast<int>((c >> 8) & 0xFF), 40, 4);
    EXPECT_NEAR(static_cast<int>(c & 0xFF), 10, 4);

    Outcome cv = convert({dir / "p.jpg", dir / "q.jpg", "--quality", "50"});
    EXPECT_EQ(cv.status, 0) << cv.err;
    std::vector<uint8_t> j = readBytes(dir / "q.jpg");
    ASSERT_GE(j.size(), 2u);
    EXPECT_EQ(j[0], 0xFF);
    EXPECT_EQ(j[1], 0xD8);
    cv = convert({dir / "p.jpg", dir / "q.jpeg"});
    EXPECT_EQ(cv.status, 1);
    EXPECT_FALSE(fs::exists(dir / "q.jpeg"));
}

TEST(BmpAcceptance, PaletteTopDownAndLongHeaders) {
    TempDir dir;
    // 1-bit: entry 0 and entry 1 of the file become the picture's 0 and 15 and are written back as such.
    writeBytes(dir / "rg.bmp", makeBmp(1, 2, 1, {0, 1}, {bgr(0, 0, 255), bgr(0, 255, 0)}));
    // Top-down 24-bit rows (negative height): the first row in the file is the top row.
    std::vector<uint8_t> td = makeBmp(24, 1, 2, {bgr(255, 0, 0), bgr(0, 0, 255)});
    td[22] = 0xFE, td[23] = td[24] = td[25] = 0xFF;  // height -2
    std::swap_ranges(td.begin() + 54, td.begin() + 58, td.begin() + 58);
    writeBytes(dir / "td.bmp", td);
    // A 108-byte header: the pixel data follows it.
    std::vector<uint8_t> v4 = makeBmp(24, 1, 2, {bgr(255, 0, 0), bgr(0, 0, 255)}, {}, 0, 68);
    v4[14] = 108;
    writeBytes(dir / "v4.bmp", v4);
    Outcome r = script("drop " + q(dir / "rg.bmp") + "\nsave level 0 " + q(dir / "rg_out.bmp") + "\nprint state\ndrop " +
                       q(dir / "td.bmp") + "\nsave level 0 " + q(dir / "td_out.bmp") + "\ndrop " + q(dir / "v4.bmp") +
                       "\nsave level 0 " + q(dir / "v4_out.bmp") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(field(levelLine(r.out, 0), "mode"), "1");
    Bmp b = readBmp(dir / "rg_out.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.bits, 1);
    EXPECT_EQ(b.colour(0, 0), bgr(0, 0, 255));
    EXPECT_EQ(b.colour(1, 0), bgr(0, 255, 0));
    for (const char* name : {"td_out.bmp", "v4_out.bmp"}) {
        b = readBmp(dir / name);
        ASSERT_TRUE(b.ok) << name;
        EXPECT_EQ(b.at(0, 0), bgr(255, 0, 0)) << name;
        EXPECT_EQ(b.at(0, 1), bgr(0, 0, 255)) << name;
    }
}

TEST(PcxAcceptance, TruecolorPlanes) {
    TempDir dir;
    std::vector<uint8_t> f = pcxHeader(8, 3, 2, 2, 1);
    f.insert(f.end(), {10, 20, 30, 40, 50, 60});  // red plane, green plane, blue plane
    writeBytes(dir / "t24.pcx", f);
    Outcome c = convert({dir / "t24.pcx", dir / "t24.bmp"});
    ASSERT_EQ(c.status, 0) << c.err;
    Bmp b = readBmp(dir / "t24.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.values, (std::vector<uint32_t>{bgr(50, 30, 10), bgr(60, 40, 20)}));
    // Written back: bits/plane 8, three planes of width bytes, one run sequence.
    c = convert({dir / "t24.bmp", dir / "back.pcx"});
    std::vector<uint8_t> out = readBytes(dir / "back.pcx");
    ASSERT_EQ(out.size(), 134u);
    EXPECT_EQ(out[3], 8);
    EXPECT_EQ(out[65], 3);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 128, out.end()), (std::vector<uint8_t>{10, 20, 30, 40, 50, 60}));
}

// The 16-bit PCX reader widens each five-bit value v to v x 8 (low three bits 0): red 31 reads as 248.
// Disabled until the reader stops widening through the BMP rule round(v x 255 / 31), which gives 255.
TEST(PcxAcceptance, SixteenBitWordsWidenByEight) {
    TempDir dir;
    std::vector<uint8_t> f = pcxHeader(16, 1, 2, 1, 1);
    unsigned w = (31u << 10) | (1u << 5) | 2u;
    f.insert(f.end(), {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)});
    writeBytes(dir / "t16.pcx", f);
    Outcome c = convert({dir / "t16.pcx", dir / "t16.bmp"});
    ASSERT_EQ(c.status, 0) << c.err;
    Bmp b = readBmp(dir / "t16.bmp");
    ASSERT_TRUE(b.ok);
    EXPECT_EQ(b.at(0, 0), bgr(16, 8, 248));
}

TEST(GifAcceptance, InterlacedRowsFromPillow) {
    TempDir dir;
    ASSERT_EQ(python("from PIL import Image\nim = Image.new('P', (3, 10))\n"
                     "im.putpalette([i % 256 for i in range(768)])\n"
                     "for y in range(10):\n    for x in range(3): im.putpixel((x, y), 3 * y + x)\n"
                     "im.save('" + (dir / "i.gif") + "', interlace=1)\n",
                     dir / ""),
              0);
    Outcome c = convert({dir / "i.gif", dir / "i.bmp"});
    ASSERT_EQ(c.status, 0) << c.err;
    Bmp b = readBmp(dir / "i.bmp");
    ASSERT_TRUE(b.ok);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(b.at(x, y), static_cast<uint32_t>(3 * y + x)) << x << "," << y;
}
