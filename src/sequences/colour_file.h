// The colour file: a 162-byte palette of 28 colours whose last entry is a colour picked on the screen.
#pragma once

#include <array>
#include <cstdint>

#include "image/image.h"

namespace vyd {

inline constexpr size_t kColourFileBytes = 162;

// The file's bytes with `picked` (blue, green, red) in entry 28.
std::array<uint8_t, kColourFileBytes> colourFileBytes(Color picked);

}  // namespace vyd
