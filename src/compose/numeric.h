// Double-to-integer conversions that never invoke undefined behaviour. Placement values may come from a
// dialog or a composition file and be huge, infinite or not a number; every conversion here truncates toward
// zero, as the drawing arithmetic requires, and saturates instead of overflowing.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace vyd {

// Truncates toward zero into [lo, hi]; NaN gives `ifNaN`.
constexpr int64_t truncClamped(double value, int64_t lo, int64_t hi, int64_t ifNaN = 0) {
    if (value != value) return ifNaN;
    if (value <= static_cast<double>(lo)) return lo;
    if (value >= static_cast<double>(hi)) return hi;
    return static_cast<int64_t>(value);
}

// Truncates toward zero into the 32-bit range.
constexpr int32_t truncToInt32(double value) {
    return static_cast<int32_t>(truncClamped(value, std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max()));
}

// The conversion of a 32-bit processor's truncating instruction: values beyond the 32-bit range, and NaN,
// give the "integer indefinite" value 0x80000000.
constexpr int32_t truncLikeProcessor(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// The low 16 bits of a value, as a signed 16-bit number.
constexpr int16_t low16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }

}  // namespace vyd
