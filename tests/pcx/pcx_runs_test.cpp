// Run-length lines and bit planes against bytes worked out by hand.
#include <gtest/gtest.h>

#include "formats/pcx.h"
#include "support/codec_bytes.h"

namespace vyd {
namespace {

using test::Bytes;

Bytes encode(const Bytes& in) {
    Bytes out(2 * in.size() + 1);
    out.resize(encodeRunLine(in, out.data()));
    return out;
}

TEST(PcxRunLength, EncodesRunsOfUpToSixtyThreeAndMarksHighBytes) {
    Bytes mixed{0xC5};
    mixed.insert(mixed.end(), 70, 0x10);
    // Every byte from 0xC0 up needs a count of one; 0xBE and 0xBF stand for themselves.
    Bytes each, marked;
    for (int b = 0xBE; b <= 0xFF; ++b) {
        each.push_back(static_cast<uint8_t>(b));
        if (b >= 0xC0) marked.push_back(0xC1);
        marked.push_back(static_cast<uint8_t>(b));
    }
    const std::pair<Bytes, Bytes> cases[] = {
        {mixed, {0xC1, 0xC5, 0xFF, 0x10, 0xC7, 0x10}}, {Bytes(63, 0x41), {0xFF, 0x41}},
        {Bytes(64, 0x41), {0xFF, 0x41, 0x41}},        {Bytes(64, 0xC7), {0xFF, 0xC7, 0xC1, 0xC7}},
        {each, marked},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(encode(in), want) << in.size() << " bytes";
}

TEST(PcxRunLength, RunCutAtLineEndDoesNotCarryIntoTheNextLine) {
    // Line of 5: three literals, then a run of 3 of which only 2 fit; the next line starts at 0x09.
    const Bytes data{0x01, 0x02, 0x03, 0xC3, 0x07, 0x09, 0xC4, 0x08};
    size_t position = 0;
    Bytes line(5, 0xEE);
    ASSERT_TRUE(decodeRunLine(line, data, position));
    EXPECT_EQ(line, (Bytes{1, 2, 3, 7, 7}));
    EXPECT_EQ(position, 5u);
    ASSERT_TRUE(decodeRunLine(line, data, position));
    EXPECT_EQ(line, (Bytes{9, 8, 8, 8, 8}));
}

TEST(PcxRunLength, CountOfZeroConsumesItsValueAndStoresNothing) {
    const Bytes data{0xC0, 0x55, 0x01, 0xC2, 0xFE};
    size_t position = 0;
    Bytes line(3);
    ASSERT_TRUE(decodeRunLine(line, data, position));
    EXPECT_EQ(line, (Bytes{1, 0xFE, 0xFE}));

    // The same in a line long enough for whole runs: a zero count, a run of 63, 30 literals, and a run of
    // 63 of which 7 fit.
    Bytes longData{0xC0, 0x55, 0xFF, 0x01};
    longData.insert(longData.end(), 30, 0x02);
    test::append(longData, {0xFF, 0x03, 0x04});
    Bytes longLine(100);
    position = 0;
    ASSERT_TRUE(decodeRunLine(longLine, longData, position));
    Bytes want(63, 0x01);
    want.insert(want.end(), 30, 0x02);
    want.insert(want.end(), 7, 0x03);
    EXPECT_EQ(longLine, want);
    EXPECT_EQ(position, longData.size() - 1);
}

TEST(PcxRunLength, RunningOutOfDataFailsAndClearsTheRest) {
    Bytes line(4, 0xEE);
    size_t position = 0;
    const Bytes countWithoutValue{0x05, 0xC3};
    EXPECT_FALSE(decodeRunLine(line, countWithoutValue, position));
    EXPECT_EQ(line, (Bytes{5, 0, 0, 0}));
    EXPECT_EQ(position, 2u);
    // A line ending exactly at the end of the data is whole.
    position = 0;
    EXPECT_TRUE(decodeRunLine(line, Bytes{0xC4, 0x33}, position));
    EXPECT_EQ(line, Bytes(4, 0x33));
}

TEST(PcxBitPlanes, PacksOneBitOfEachPixelFirstPixelHighest) {
    const Bytes pixels{15, 0, 15, 15, 0, 0, 0, 15, 15};
    Bytes out(2, 0xEE);
    packBitPlane(pixels, 0, out.data());
    EXPECT_EQ(out, (Bytes{0xB1, 0x80}));
    const Bytes indices{1, 2, 4, 8, 6, 0, 0, 0};
    Bytes plane(1);
    packBitPlane(indices, 1, plane.data());
    EXPECT_EQ(plane[0], 0x48);  // pixels 1 and 4 have bit 1
    packBitPlane(indices, 3, plane.data());
    EXPECT_EQ(plane[0], 0x10);
    packBitPlane(Bytes{15}, 0, plane.data());
    EXPECT_EQ(plane[0], 0x80);

    Bytes bits(9);
    unpackBits(out.data(), 9, bits.data());
    EXPECT_EQ(bits, (Bytes{1, 0, 1, 1, 0, 0, 0, 1, 1}));
}

}  // namespace
}  // namespace vyd
