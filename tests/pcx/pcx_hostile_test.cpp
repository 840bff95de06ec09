// PCX files as real writers lay them out and as hostile ones claim them: the data floor, layouts told apart by
// bits per pixel and planes, palettes after padding, and lines longer or shorter than the width.
#include <gtest/gtest.h>

#include "formats/pcx.h"
#include "support/codec_checks.h"
#include "support/files.h"

using namespace vyd;
using namespace vydtest;

namespace {

Decoded read(const Bytes& bytes) { return decodePcx(bytes, ModeSettings{}); }

Bytes runs(const Bytes& line) {
    Bytes out(2 * line.size());
    out.resize(encodeRunLine(line, out.data()));
    return out;
}

TEST(PcxFloor, LinesOfOneByteClaimingAHugePictureAreRefused) {
    // Every line is there (the file passes the "eof" check), but a line fills only the columns its bytes hold:
    // one byte a plane one column (none for 16 bits), 1024 bytes 1024 or 512 columns of 4096.
    struct Case { int bits, planes, width, height, bytesPerLine; };
    const Case cases[] = {
        {8, 1, 32764, 32767, 1}, {16, 1, 10921, 32767, 1}, {8, 3, 10921, 32767, 1},
        {8, 1, 4096, 2048, 1024}, {16, 1, 4096, 2048, 2048},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits x " << c.planes << ", " << c.width);
        const Bytes line = runs(Bytes(size_t(c.planes * c.bytesPerLine), 0x05));
        Bytes file = pcxHeader(c.bits, c.planes, c.width, c.height, c.bytesPerLine);
        for (int y = 0; y < c.height; ++y) file.insert(file.end(), line.begin(), line.end());
        expectRefusal(read(file), CodecError::BeyondData, c.width, c.height);
    }
    // Runs fill a line of any length from two bytes: a large picture of runs is not below the floor.
    Bytes file = pcxHeader(8, 1, 4096, 2048, 4096);
    for (int y = 0; y < 2048; ++y) {
        const Bytes line = runs(Bytes(4096, uint8_t(y)));
        file.insert(file.end(), line.begin(), line.end());
    }
    const Decoded r = read(file + Bytes{0x0C} + Bytes(768));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rowOf(r.picture, 2047), Bytes(4096, 0xFF));
}

TEST(PcxLayout, LayoutsAreKnownByBitsAndPlanesNotTheirProduct) {
    // Packed nibbles, 5 x 2, left pixel high: row 0 holds 0..4, row 1 11..15; the last nibble is padding.
    Bytes packed = pcxHeader(4, 1, 5, 2, 3) + runs({0x01, 0x23, 0x4F}) + runs({0xBC, 0xDE, 0xFF});
    for (int i = 0; i < 16; ++i) packed[16 + 3 * i] = uint8_t(16 * i), packed[17 + 3 * i] = uint8_t(255 - i);
    const Decoded r = read(packed);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.warnings.empty());  // 3 bytes hold 5 nibbles: no mismatch
    EXPECT_EQ(r.picture.mode, kMode16);
    EXPECT_EQ(rowOf(r.picture, 0), (Bytes{0, 1, 2, 3, 4}));
    EXPECT_EQ(rowOf(r.picture, 1), (Bytes{11, 12, 13, 14, 15}));
    for (int i : {0, 4, 11, 15}) EXPECT_EQ(r.picture.palette[i], (RgbQuad{0, uint8_t(255 - i), uint8_t(16 * i), 0}));

    // Too few bytes for the nibbles: a warning, and the columns past the line are cleared.
    const Decoded narrow = read(pcxHeader(4, 1, 5, 1, 2) + Bytes{0x12, 0x34});
    ASSERT_TRUE(narrow.ok());
    EXPECT_EQ(narrow.warnings.size(), 1u);
    EXPECT_EQ(rowOf(narrow.picture, 0), (Bytes{1, 2, 3, 4, 0}));

    // Products of known depths in layouts that are not read.
    for (auto [bits, planes] : {std::pair{2, 1}, {2, 2}, {4, 2}, {8, 2}, {8, 4}}) {
        SCOPED_TRACE(testing::Message() << bits << " bits x " << planes);
        expectRefusal(read(pcxHeader(bits, planes, 8, 1, 1) + Bytes(8, 0x11) + Bytes{0x0C} + Bytes(768)),
                      CodecError::PcxUnknownMode, bits * planes);
    }
}

TEST(PcxPalette, MarkerAfterPaddingIsFoundInTheLastBytes) {
    Bytes palette(768);
    palette[3 * 7] = 0x40, palette[3 * 9 + 2] = 0x80;  // red of 7, blue of 9
    const Bytes lines = pcxHeader(8, 1, 2, 1, 2) + Bytes{7, 9};
    const Decoded padded = read(lines + Bytes(10, 0) + Bytes{0x0C} + palette);
    ASSERT_TRUE(padded.ok());
    EXPECT_EQ(colorsOf(padded.picture), (std::vector<uint32_t>{0x400000, 0x80}));

    // A wrong byte after the lines with no marker 769 bytes from the end, or with a 0x0C there that is still
    // part of the scan lines.
    for (const Bytes& file : {lines + Bytes(10, 0) + Bytes{0x0A} + palette,
                              pcxHeader(8, 1, 2, 1, 2) + Bytes{7, 0x0C} + Bytes{0x0A} + Bytes(767)}) {
        expectRefusal(read(file), CodecError::PcxNoPaletteMark);
    }
}

TEST(PcxLines, LinesLongerOrShorterThanTheWidthFillOnlyTheColumnsTheyCover) {
    // 16 colours in four planes, 10 x 1: the same pixels with 2 bytes a plane and with 40, whose padding is set.
    const Bytes planes[4] = {{0xAA, 0xC0}, {0xCC, 0x80}, {0xF0, 0x40}, {0xFF, 0x00}};
    const Bytes want{15, 14, 13, 12, 11, 10, 9, 8, 3, 5};
    for (size_t bytesPerLine : {2u, 40u}) {
        SCOPED_TRACE(bytesPerLine);
        Bytes line;
        for (const Bytes& plane : planes) {
            Bytes bytes(bytesPerLine, 0x3F);  // padding: every column past the width has all four bits
            std::copy(plane.begin(), plane.end(), bytes.begin());
            bytes[1] |= 0x3F;
            line = line + bytes;
        }
        const Decoded r = read(pcxHeader(1, 4, 10, 1, int(bytesPerLine)) + runs(line));
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(rowOf(r.picture, 0), want);
    }

    // Truecolor lines of 2 bytes for a row of 4: two pixels, then black.
    const Decoded r = read(pcxHeader(8, 3, 4, 1, 2) + Bytes{0x10, 0x11, 0x20, 0x21, 0x30, 0x31});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(colorsOf(r.picture), (std::vector<uint32_t>{0x102030, 0x112131, 0, 0}));
}

}  // namespace
