// PCX files: run-length lines against bytes worked out by hand, hand-built files with known pixels, round trips
// at edge widths, and every refusal with its error.
#include <gtest/gtest.h>

#include <random>

#include "formats/pcx.h"
#include "support/codec_checks.h"
#include "support/files.h"

using namespace vyd;
using namespace vydtest;

namespace {

Decoded read(const Bytes& bytes) { return decodePcx(bytes, ModeSettings{}); }

Bytes encodeRuns(const Bytes& in) {
    Bytes out(2 * in.size() + 1);
    out.resize(encodeRunLine(in, out.data()));
    return out;
}

// A file of height equal scan lines of the given bytes.
Bytes pcxLines(const Bytes& header, const Bytes& raw, int height) {
    const Bytes line = encodeRuns(raw);
    Bytes file = header;
    for (int y = 0; y < height; ++y) file.insert(file.end(), line.begin(), line.end());
    return file;
}

TEST(PcxRunLength, EncodesRunsOfUpToSixtyThreeAndMarksHighBytes) {
    // Every byte from 0xC0 up needs a count of one; 0xBE and 0xBF stand for themselves.
    Bytes each, marked;
    for (int b = 0xBE; b <= 0xFF; ++b) {
        each.push_back(static_cast<uint8_t>(b));
        if (b >= 0xC0) marked.push_back(0xC1);
        marked.push_back(static_cast<uint8_t>(b));
    }
    const std::pair<Bytes, Bytes> cases[] = {
        {Bytes{0xC5} + Bytes(70, 0x10), {0xC1, 0xC5, 0xFF, 0x10, 0xC7, 0x10}}, {Bytes(63, 0x41), {0xFF, 0x41}},
        {Bytes(64, 0x41), {0xFF, 0x41, 0x41}}, {Bytes(64, 0xC7), {0xFF, 0xC7, 0xC1, 0xC7}}, {each, marked},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(encodeRuns(in), want) << in.size() << " bytes";
}

TEST(PcxRunLength, RunsAreCutAtTheLineEndAndMissingDataClearsTheRest) {
    // Line of 5: three literals, then a run of 3 of which only 2 fit; the next line starts at 0x09.
    const Bytes data{0x01, 0x02, 0x03, 0xC3, 0x07, 0x09, 0xC4, 0x08};
    size_t position = 0;
    Bytes line(5, 0xEE);
    ASSERT_TRUE(decodeRunLine(line, data, position));
    EXPECT_EQ(line, (Bytes{1, 2, 3, 7, 7}));
    EXPECT_EQ(position, 5u);
    ASSERT_TRUE(decodeRunLine(line, data, position));
    EXPECT_EQ(line, (Bytes{9, 8, 8, 8, 8}));

    // A zero count consumes its value and stores nothing; runs of 63, 30 literals, a run of 63 of which 7 fit.
    const Bytes longData = Bytes{0xC0, 0x55, 0xFF, 0x01} + Bytes(30, 0x02) + Bytes{0xFF, 0x03, 0x04};
    Bytes longLine(100);
    position = 0;
    ASSERT_TRUE(decodeRunLine(longLine, longData, position));
    EXPECT_EQ(longLine, Bytes(63, 0x01) + Bytes(30, 0x02) + Bytes(7, 0x03));
    EXPECT_EQ(position, longData.size() - 1);

    line.assign(4, 0xEE);
    position = 0;
    EXPECT_FALSE(decodeRunLine(line, Bytes{0x05, 0xC3}, position));  // a count without its value
    EXPECT_EQ(line, (Bytes{5, 0, 0, 0}));
    EXPECT_EQ(position, 2u);
    position = 0;
    EXPECT_TRUE(decodeRunLine(line, Bytes{0xC4, 0x33}, position));  // ending exactly at the end of the data
    EXPECT_EQ(line, Bytes(4, 0x33));
}

// Lines too short for the width leave the columns they miss cleared; below 8 bits a line length that disagrees
// with the width gives a warning.
TEST(PcxRead, EachLayoutFillsItsRowAndClearsWhatItsLinesDoNotCover) {
    Bytes mono = pcxHeader(1, 1, 10, 1, 2) + Bytes{0xA5, 0x40};
    mono[16] = mono[20] = 0xFF;  // colour 0 red, colour 1 green: black and white all the same
    Bytes words = pcxHeader(16, 1, 2, 1, 4) + Bytes{0x1F, 0x40, 0xC1, 0xFF, 0x7F};  // 0x401F (red 16, blue 31), 0x7FFF
    words[12] = 72, words[13] = 0;  // 72 pixels/inch
    // 5 x 2 nibbles, left pixel high: row 0 holds 0..4, row 1 11..15; 3 bytes hold 5 nibbles.
    Bytes nibbles = pcxHeader(4, 1, 5, 2, 3) + encodeRuns({0x01, 0x23, 0x4F}) + encodeRuns({0xBC, 0xDE, 0xFF});
    for (int i = 0; i < 16; ++i) nibbles[16 + 3 * i] = uint8_t(16 * i), nibbles[17 + 3 * i] = uint8_t(255 - i);
    auto fourPlanes = [](size_t bytesPerLine) {  // 16 colours as bits, 10 x 1, the padding set
        Bytes line;
        for (const Bytes& plane : {Bytes{0xAA, 0xFF}, {0xCC, 0xBF}, {0xF0, 0x7F}, {0xFF, 0x3F}})
            line = line + plane + Bytes(bytesPerLine - 2, 0xFF);
        return pcxHeader(1, 4, 10, 1, int(bytesPerLine)) + encodeRuns(line);
    };
    const Bytes planesRow = {15, 14, 13, 12, 11, 10, 9, 8, 3, 5};
    struct Case { const char* what; Bytes file; int mode; size_t warnings; Bytes firstRow, lastRow = {};
                  int bytesPerPixel = 1; };
    const Case cases[] = {
        {"1 bit", mono, kMode2, 0, {15, 0, 15, 0, 0, 15, 0, 15, 0, 15}},
        {"1 bit, short", pcxHeader(1, 1, 10, 2, 1) + Bytes{0xC2, 0xFF, 0xC1, 0xFF}, kMode2, 1, Bytes(8, 15) + Bytes(2),
         Bytes(8, 15) + Bytes(2)},
        {"4 planes", fourPlanes(2), kMode16, 0, planesRow},
        {"4 planes, long", fourPlanes(40), kMode16, 1, planesRow},
        {"nibbles", nibbles, kMode16, 0, {0, 1, 2, 3, 4}, {11, 12, 13, 14, 15}},
        {"nibbles, short", pcxHeader(4, 1, 5, 1, 2) + Bytes{0x12, 0x34}, kMode16, 1, {1, 2, 3, 4, 0}},
        {"16 bits: v x 8", words, kModeTrue16, 0, {248, 0, 128, 248, 248, 248}, {}, 3},
        {"24 bits, short", pcxHeader(8, 3, 4, 1, 2) + Bytes{0x10, 0x11, 0x20, 0x21, 0x30, 0x31}, kModeTrue24, 0,
         {0x30, 0x20, 0x10, 0x31, 0x21, 0x11, 0, 0, 0, 0, 0, 0}, {}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded r = read(c.file);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.picture.mode, c.mode);
        EXPECT_EQ(r.picture.bitCount(), c.bytesPerPixel == 3 ? 24 : 8);
        ASSERT_EQ(r.warnings.size(), c.warnings);
        for (const auto& warning : r.warnings) EXPECT_EQ(warning.warning, CodecWarning::PcxHeaderMismatch);
        for (int y = 0; y < r.picture.height(); ++y)
            EXPECT_EQ(rowOf(r.picture, y, c.bytesPerPixel), y == 0 ? c.firstRow : c.lastRow) << "row " << y;
    }
    const Decoded m = read(mono), w = read(words), n = read(nibbles);
    EXPECT_EQ(m.picture.palette[0], (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(m.picture.palette[15], (RgbQuad{255, 255, 255, 0}));
    ASSERT_TRUE(m.pcxHeader);
    EXPECT_TRUE(std::equal(mono.begin(), mono.begin() + 128, m.pcxHeader->begin()));
    EXPECT_EQ(w.picture.header.biXPelsPerMeter, 72 * 40);
    EXPECT_EQ(w.paletteSet, 16);  // widened from a picture of its own: the palette is the record's
    for (int i : {0, 4, 11, 15}) EXPECT_EQ(n.picture.palette[i], (RgbQuad{0, uint8_t(255 - i), uint8_t(16 * i), 0}));
}

TEST(PcxRead, IndexedLinesDropTheirPaddingAndTheMarkedPaletteFollowsThemOrEndsTheFile) {
    Bytes trailer(769, 0);
    trailer[0] = 0x0C;
    trailer[1 + 3 * 5] = 0x10;     // red of entry 5
    trailer[3 + 3 * 0xC9] = 0x20;  // blue of entry 0xC9
    // Row 0: 5 C9 5 [77], row 1: 5 5 5 [5]. The marked palette right after the lines, whatever follows it, or
    // after padding as the file's last 769 bytes.
    const Bytes lines = pcxHeader(8, 1, 3, 2, 4) + Bytes{5, 0xC1, 0xC9, 5, 0x77, 0xC4, 5};
    for (const Bytes& file : {lines + trailer + Bytes{0xAB, 0xCD}, lines + Bytes(10) + trailer}) {
        const Decoded r = read(file);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.picture.mode, kMode256);
        EXPECT_EQ(colorsOf(r.picture), (std::vector<uint32_t>{0x100000, 0x20, 0x100000, 0x100000, 0x100000, 0x100000}));
        EXPECT_EQ(r.paletteSet, 256);
    }
}

TEST(PcxRead, RefusalsAreTypedAndKeepTheHeader) {
    const Bytes lines = pcxHeader(8, 1, 2, 1, 2) + Bytes{7, 8};
    Bytes notPcx = pcxHeader(8, 1, 1, 1, 1), backwards = notPcx;
    notPcx[0] = 0x0B;
    backwards[4] = 5;  // X from 5, X to 0
    struct Case { const char* what; Bytes bytes; CodecError error; int64_t first = 0, second = 0; };
    const Case cases[] = {
        {"two bits", pcxHeader(2, 1, 8, 1, 1) + Bytes{0}, CodecError::PcxUnknownMode, 2},
        // Layouts are known by bits and planes, not by their product.
        {"two bits in two planes", pcxHeader(2, 2, 8, 1, 1) + Bytes{0, 0}, CodecError::PcxUnknownMode, 4},
        {"eight bits in two planes", pcxHeader(8, 2, 8, 1, 1) + Bytes{0, 0}, CodecError::PcxUnknownMode, 16},
        {"eight bits in four planes", pcxHeader(8, 4, 8, 1, 1) + Bytes(4), CodecError::PcxUnknownMode, 32},
        {"not PCX", notPcx, CodecError::PcxBadFile},
        {"short header", Bytes(127, 0x0A), CodecError::PcxBadFile},
        {"lines without bytes", pcxHeader(8, 1, 30000, 30000, 0), CodecError::PcxBadFile},
        {"backwards", backwards, CodecError::PcxNoImageArray},
        {"too wide", pcxHeader(8, 3, 20000, 1, 20000), CodecError::TooBig, 20000, 1},
        {"no palette", lines, CodecError::PcxEof},
        {"wrong palette mark", lines + Bytes{0x0A} + Bytes(768), CodecError::PcxNoPaletteMark},
        {"no mark after padding", lines + Bytes(9) + Bytes{0x0A} + Bytes(768), CodecError::PcxNoPaletteMark},
        {"0x0C 769 bytes from the end is in the lines", pcxHeader(8, 1, 2, 1, 2) + Bytes{7, 0x0C, 0x0A} + Bytes(767),
         CodecError::PcxNoPaletteMark},
        {"short palette", lines + Bytes{0x0C} + Bytes(767), CodecError::PcxEof},
        {"mid line", pcxHeader(1, 1, 8, 2, 1) + Bytes{0xFF}, CodecError::PcxEof},
        {"count at the end", pcxHeader(8, 3, 4, 1, 4) + Bytes{0xCC}, CodecError::PcxEof},
        // A header claiming a huge picture over a few bytes fails without taking the memory.
        {"huge", pcxHeader(8, 3, 10000, 30000, 10000) + Bytes{0xFF, 0x00, 0xFF, 0x00}, CodecError::PcxEof},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded r = read(c.bytes);
        expectRefusal(r, c.error, c.first, c.second);
        // The header, whatever it says, is kept for the header page when the file holds one.
        ASSERT_EQ(r.pcxHeader.has_value(), c.bytes.size() >= 128);
        if (r.pcxHeader) {
            EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.begin() + 128, r.pcxHeader->begin()));
        }
    }
    EXPECT_EQ(read(lines).paletteSet, 256);  // sizing the picture cleared its whole palette
}

TEST(PcxFloor, LinesHoldingFewColumnsCannotClaimAHugePicture) {
    // Every line is there (no "eof"), but a line fills only the columns its bytes hold: one byte a plane one
    // column (none at 16 bits); 1024 bytes 1024 or 512 columns of 4096.
    struct Case { int bits, planes, width, height, bytesPerLine; };
    for (const Case& c : {Case{8, 1, 32764, 32767, 1}, {16, 1, 10921, 32767, 1}, {8, 3, 10921, 32767, 1},
                          {8, 1, 4096, 2048, 1024}, {16, 1, 4096, 2048, 2048}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits x " << c.planes << ", " << c.width);
        const Bytes raw(size_t(c.planes * c.bytesPerLine), 0x05);
        expectRefusal(read(pcxLines(pcxHeader(c.bits, c.planes, c.width, c.height, c.bytesPerLine), raw, c.height)),
                      CodecError::BeyondData, c.width, c.height);
    }
    // Runs fill a line of any length from two bytes: a large picture of runs is not below the floor.
    const Bytes runs = pcxLines(pcxHeader(8, 1, 4096, 2048, 4096), Bytes(4096, 0x21), 2048);
    const Decoded r = read(runs + Bytes{0x0C} + Bytes(768));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rowOf(r.picture, 2047), Bytes(4096, 0x21));
}

TEST(PcxWrite, RoundTripsEveryModeAtEdgeWidths) {
    std::mt19937 random(11);
    for (int mode : {kMode2, kMode16, kMode256, kModeTrue16, kModeTrue24}) {
        for (int width : {1, 7, 8, 9, 33}) {
            Image image;
            createImage(image, mode, mode >= 16 ? 24 : 8, width, 3);
            const int bytesPerPixel = mode >= 16 ? 3 : 1;
            for (int y = 0; y < 3; ++y) {
                uint8_t* p = image.row(y);
                for (int i = 0; i < width * bytesPerPixel; ++i) {
                    // Runs as well as changes; 16-bit channels hold values a 5-bit channel reproduces.
                    const unsigned v = (random() % 3 == 0 && i > 0) ? p[i - 1] : random();
                    switch (mode) {
                        case kMode2: p[i] = (v & 1) ? 15 : 0; break;
                        case kMode16: p[i] = v & 15; break;
                        case kModeTrue16: p[i] = static_cast<uint8_t>((v % 32) << 3); break;
                        default: p[i] = static_cast<uint8_t>(v); break;
                    }
                }
            }
            for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(random() & 0xFFFFFF);
            const Encoded written = encodePcx(image, {});
            ASSERT_TRUE(written.ok());
            const Decoded r = read(written.bytes.flatten());
            ASSERT_TRUE(r.ok()) << mode << " " << width;
            EXPECT_EQ(r.picture.mode, mode);
            for (int y = 0; y < 3; ++y) EXPECT_EQ(rowOf(r.picture, y, bytesPerPixel), rowOf(image, y, bytesPerPixel));
            if (mode == kMode256 || mode == kMode16) {
                EXPECT_EQ(r.picture.palette[mode == kMode256 ? 255 : 15], image.palette[mode == kMode256 ? 255 : 15]);
            }
        }
    }
}

}  // namespace
