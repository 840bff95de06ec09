#include "ops/box_blur.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace vyd {

namespace {

// The clipped window of position i on a side of n pixels: its number of pixels.
inline int windowSpan(int i, int r, int n) { return std::min(i + r, n - 1) - std::max(i - r, 0) + 1; }

// One output row from the column sums `columns` (three channels a pixel, each the sum over the row's
// vertical window): a running sum across the horizontal window, divided by the window's pixel count.
// `steps` (three values a pixel) receives what the sum gains after each pixel: the entering column less the
// leaving one, worked out first in a loop without branches. SumT is wide enough for the largest window sum
// (the steps may wrap, the sums stay exact). `divisor` holds each pixel's division magic, or with kPlain
// (windows too large for the magic to be exact) the count itself.
template <typename SumT, bool kPlain = false>
void writeBlurredRow(const uint32_t* columns, uint32_t* steps, const uint64_t* divisor, int width, int r,
                     uint8_t* out) {
    const size_t values = size_t{3} * static_cast<size_t>(width);
    // Pixel x gains column x + r + 1 while it exists and loses column x - r from x = r on.
    const size_t enter = 3 * (size_t{static_cast<unsigned>(r)} + 1), leave = 3 * static_cast<size_t>(r);
    const size_t entering = values > enter ? values - enter : 0;
    for (size_t k = 0; k < entering; ++k) steps[k] = columns[k + enter];
    std::fill(steps + entering, steps + values, 0u);
    for (size_t k = leave; k < values; ++k) steps[k] -= columns[k - leave];

    SumT blue = 0, green = 0, red = 0;
    const int firstRight = std::min(r, width - 1);
    for (int i = 0; i <= firstRight; ++i) {
        blue += columns[3 * i];
        green += columns[3 * i + 1];
        red += columns[3 * i + 2];
    }
    for (int x = 0; x < width; ++x) {
        const uint64_t m = divisor[x];
        if constexpr (kPlain) {
            out[3 * x] = static_cast<uint8_t>(blue / m);
            out[3 * x + 1] = static_cast<uint8_t>(green / m);
            out[3 * x + 2] = static_cast<uint8_t>(red / m);
        } else {
            out[3 * x] = static_cast<uint8_t>(divideByMagic(blue, m));
            out[3 * x + 1] = static_cast<uint8_t>(divideByMagic(green, m));
            out[3 * x + 2] = static_cast<uint8_t>(divideByMagic(red, m));
        }
        // Steps are differences of 32-bit values: widened with their sign, as the window may shrink.
        blue += static_cast<SumT>(static_cast<int32_t>(steps[3 * x]));
        green += static_cast<SumT>(static_cast<int32_t>(steps[3 * x + 1]));
        red += static_cast<SumT>(static_cast<int32_t>(steps[3 * x + 2]));
    }
}

// The column sums follow the vertical window one row down: the entering row added, the leaving one taken off.
void slideColumns(uint32_t* columns, const uint8_t* entering, const uint8_t* leaving, size_t count) {
    if (entering && leaving) {
        for (size_t k = 0; k < count; ++k) columns[k] += uint32_t{entering[k]} - uint32_t{leaving[k]};
    } else if (entering) {
        for (size_t k = 0; k < count; ++k) columns[k] += entering[k];
    } else if (leaving) {
        for (size_t k = 0; k < count; ++k) columns[k] -= leaving[k];
    }
}

void announceRow(OperationMonitor* rows, int rowsToGo) {
    if (rows) rows->showRowTitle(std::to_string(rowsToGo) + " rows to go");
}

}  // namespace

bool boxBlur(Image& image, int range, OperationMonitor* rows) {
    if (!image.hasPixels() || image.bitCount() != 24) return false;
    const int width = image.width(), height = image.height();
    if (width <= 0 || height <= 0) return false;
    // Beyond the larger side every window is the whole picture.
    const int64_t magnitude = range < 0 ? -int64_t{range} : int64_t{range};
    const int r = static_cast<int>(std::min<int64_t>(magnitude, std::max(width, height)));
    const size_t rowValues = size_t{3} * static_cast<size_t>(width);

    if (r == 0 || (width == 1 && height == 1)) {
        for (int y = 0; y < height; ++y) announceRow(rows, height - y);
        if (rows) rows->restoreTitle();
        return true;
    }

    // The source rows still needed after their own output row was written: the last r + 1 of them.
    const int ringRows = std::min(r + 1, height);
    std::vector<uint8_t> ring;
    std::vector<uint32_t> columns, steps;
    std::vector<uint64_t> magic;  // each column's divisor for the current row
    try {
        ring.resize(static_cast<size_t>(ringRows) * rowValues);
        columns.assign(rowValues, 0);
        steps.resize(rowValues);
        magic.resize(static_cast<size_t>(width));
    } catch (const std::bad_alloc&) {
        return false;
    }

    // Window sums reach 255 x the largest count; 32 bits hold them up to about 16.8 million pixels a window.
    const uint64_t largestCount = uint64_t(std::min(2 * r + 1, width)) * uint64_t(std::min(2 * r + 1, height));
    const bool narrowSums = largestCount * 255 <= UINT32_MAX;
    // The magic is exact while sum x count < 2^64, that is for counts up to 2^28 (sums below 256 x count).
    const bool plainDivision = largestCount > (uint64_t{1} << 28);

    for (int j = 0; j <= std::min(r, height - 1); ++j) slideColumns(columns.data(), image.row(j), nullptr, rowValues);

    int countRows = 0;  // the vertical count the multipliers were made for
    for (int y = 0; y < height; ++y) {
        announceRow(rows, height - y);
        uint8_t* row = image.row(y);
        std::memcpy(&ring[static_cast<size_t>(y % ringRows) * rowValues], row, rowValues);
        const int tall = windowSpan(y, r, height);
        if (tall != countRows) {
            countRows = tall;
            int wide = 0;
            uint64_t m = 0;
            for (int x = 0; x < width; ++x) {
                const int span = windowSpan(x, r, width);
                if (span != wide) {
                    wide = span;
                    const uint64_t count = uint64_t(wide) * uint64_t(tall);
                    m = plainDivision ? count : divisionMagic(count);
                }
                magic[x] = m;
            }
        }
        if (plainDivision) {
            writeBlurredRow<uint64_t, true>(columns.data(), steps.data(), magic.data(), width, r, row);
        } else if (narrowSums) {
            writeBlurredRow<uint32_t>(columns.data(), steps.data(), magic.data(), width, r, row);
        } else {
            writeBlurredRow<uint64_t>(columns.data(), steps.data(), magic.data(), width, r, row);
        }
        const uint8_t* entering = y + r + 1 < height ? image.row(y + r + 1) : nullptr;
        const uint8_t* leaving = y - r >= 0 ? &ring[static_cast<size_t>((y - r) % ringRows) * rowValues] : nullptr;
        slideColumns(columns.data(), entering, leaving, rowValues);
    }
    if (rows) rows->restoreTitle();
    return true;
}

}  // namespace vyd
