// The box blur of a truecolor picture: every pixel becomes the mean of the (2r + 1) x (2r + 1) square around
// it, clipped to the picture, each channel truncated. Runs in constant time per pixel whatever the range.
#pragma once

#include <cstdint>

#include "image/image.h"
#include "ops/operation_monitor.h"

namespace vyd {

// The multiplier that divides by d (d >= 2) without a divide: M = ceil(2^64 / d).
inline uint64_t divisionMagic(uint64_t d) { return UINT64_MAX / d + 1; }
// n / d, truncated, for the magic of d: exact whenever n * d < 2^64 (the rounding error of M, below 1 / d
// per unit of n, then never reaches the next whole number).
inline uint64_t divideByMagic(uint64_t n, uint64_t magic) {
    return static_cast<uint64_t>((static_cast<unsigned __int128>(magic) * n) >> 64);
}

// Blurs a 24-bit picture in place with range r (negative ranges count as their size; a range beyond the
// picture means the whole picture). When `rows` is given, the start of each row y is announced as the row
// title "%d rows to go" with height - y, and the title is restored at the end (a range of 0 announces the
// rows too and changes nothing). Returns false, announcing and changing nothing, for another depth, no
// pixels or a failed allocation.
bool boxBlur(Image& image, int range, OperationMonitor* rows = nullptr);

}  // namespace vyd
