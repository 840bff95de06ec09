#include "ops/line_edits.h"

#include <array>
#include <bit>

namespace vyd {

namespace {

constexpr uint8_t kBlack = 0, kWhite = 15, kRemoved = 12;
constexpr uint8_t kInterior = 128;  // a line-drawing edge pixel whose four neighbours are edges too

// One arc of 2..7 set bits around the ring: exactly one place where a clear bit is followed by a set one.
constexpr std::array<bool, 256> thinningTable() {
    std::array<bool, 256> table{};
    for (int pattern = 0; pattern < 256; ++pattern) {
        const int set = std::popcount(static_cast<unsigned>(pattern));
        int arcStarts = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const bool here = (pattern >> bit) & 1, next = (pattern >> ((bit + 7) % 8)) & 1;
            arcStarts += !here && next;
        }
        table[pattern] = set >= 2 && set <= 7 && arcStarts == 1;
    }
    return table;
}

constexpr int countRemoving(const std::array<bool, 256>& table) {
    int n = 0;
    for (bool removes : table) n += removes;
    return n;
}

void setDefaultColours(Image& image, int from, int to) {
    for (int i = from; i <= to; ++i) {
        image.palette[i] = {defaultPalette16[i][0], defaultPalette16[i][1], defaultPalette16[i][2], 0};
    }
}

}  // namespace

// Indexed by the eight neighbours of a black pixel as bits in ring order from the most significant:
// below-left, below, below-right, right, above-right, above, above-left, left (set = black).
constexpr std::array<bool, 256> kThinningTable = thinningTable();
static_assert(countRemoving(kThinningTable) == 48, "the runs of 2..7 set bits in each of 8 rotations");

bool makeLineDrawing(Image& image) {
    if (image.bitCount() == 24) return false;
    if (image.bitCount() != 8) return true;  // an empty record: nothing to draw
    image.mode = kMode2;
    setDefaultColours(image, 0, 15);
    if (!image.hasPixels()) return true;
    const int width = image.width(), height = image.height();
    // From the bottom right, so that each comparison sees the values from before the pass.
    for (int y = height - 1; y >= 1; --y) {
        uint8_t *row = image.row(y), *above = image.row(y - 1);
        for (int x = width - 1; x >= 1; --x) {
            row[x] = row[x] != row[x - 1] || row[x] != above[x] ? kWhite : kBlack;
        }
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        const auto y16 = static_cast<int16_t>(y);
        for (int x = 0; x < width; ++x) {
            if (row[x] != 0 && indexAt(image, x, static_cast<int16_t>(y - 1)) != 0 &&
                indexAt(image, x, static_cast<int16_t>(y + 1)) != 0 && indexAt(image, x + 1, y16) != 0 &&
                indexAt(image, x - 1, y16) != 0) {
                row[x] = kInterior;
            }
        }
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) row[x] = row[x] == kWhite ? kBlack : kWhite;
    }
    return true;
}

bool thinLines(Image& image) {
    if (image.mode != kMode2) return false;
    if (!image.hasPixels() || image.bitCount() != 8) return true;  // nothing to thin
    const int width = image.width(), height = image.height();
    for (int y = 1; y < height - 1; ++y) {
        const uint8_t *below = image.row(y + 1), *above = image.row(y - 1);
        uint8_t* row = image.row(y);
        for (int x = 1; x < width - 1; ++x) {
            if (row[x] != kBlack) continue;
            const uint8_t ring[8] = {below[x - 1], below[x],     below[x + 1], row[x + 1],
                                     above[x + 1], above[x], above[x - 1], row[x - 1]};
            unsigned pattern = 0;
            for (uint8_t v : ring) pattern = pattern << 1 | (v == kBlack ? 1u : 0u);
            if (kThinningTable[pattern]) row[x] = kRemoved;
        }
    }
    image.mode = kMode16;
    setDefaultColours(image, 1, 14);
    return true;
}

}  // namespace vyd
