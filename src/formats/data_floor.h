// How large a picture a file may claim for the data it holds. A header of a few bytes can claim a picture of a
// gigabyte; reading it would allocate and clear all of it for nothing. Each reader works out, from its own
// coding, the most pixels its file's data can fill (raw rows, the longest run, the longest LZW string, the
// fewest bits a coded block takes), and refuses a picture far larger than that. Pictures of a few megapixels
// are never refused this way, so short and cut-off files of ordinary size still read as far as they go.
#pragma once

#include <cstdint>

namespace vyd {

// Pictures of up to this many pixels (2048 x 2048) are read whatever their data.
inline constexpr uint64_t kFloorFreePixels = uint64_t{1} << 22;
// A bigger picture may claim at most this many times the pixels its data can fill: a file cut off past its
// middle still reads, the rest cleared.
inline constexpr uint64_t kFloorSlack = 2;

// Whether a picture of claimedPixels is far larger than data filling at most fillablePixels can make.
constexpr bool beyondDataFloor(uint64_t claimedPixels, uint64_t fillablePixels) {
    return claimedPixels > kFloorFreePixels && claimedPixels / kFloorSlack > fillablePixels;
}

}  // namespace vyd
