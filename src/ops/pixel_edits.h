// Editing-menu edits that change colours pixel by pixel (or look at the four neighbours of a pixel), in
// place, on one image. They report what happened; the menu commands show the refusals.
#pragma once

#include <cstdint>

#include "image/image.h"
#include "ops/channel.h"

namespace vyd {

enum class EditResult {
    Done,
    WrongMode,  // the image's mode or depth is not one the edit handles: nothing changed
    NoWhite,    // the palette holds no white entry: nothing changed
};

// Every pixel that is not the background (leftColor's sixteen-colour class in a 16-color picture, or
// leftColor's three bytes in a truecolor one) becomes white or black. An image without pixels is Done
// untouched; modes other than 16-color and truecolor are WrongMode.
EditResult makeNonBackground(Image& image, bool white);

// At depth 8: every pixel whose palette entry has a grey value of at least bwlimit becomes the first white
// entry. WrongMode at another depth, NoWhite without a white entry.
EditResult whitenAboveLimit(Image& image, uint16_t bwlimit);

// Truecolor edits over every pixel; each returns false (and changes nothing) unless the image is held at
// 24 bits with pixels.
//
// Every background pixel (colour value leftColor) next to a non-background one takes its colour, through
// four sequential passes (down, up, right, left), so the non-background area grows by one pixel all round.
bool shrinkBackground(Image& image);
// Each channel c becomes c * (the same channel of colour) / 256, truncated.
bool multiplyByColor(Image& image, Color colour);
// The channel v becomes (256 - v) mod 256.
bool invertChannel(Image& image, Channel channel);
// All three channels become the largest (or the smallest) of the three.
bool setToBrightestChannel(Image& image);
bool setToDarkestChannel(Image& image);

// Modes 1 and 4: index v becomes 15 - v; modes 8 and 9: every palette entry's channels become 255 - value;
// truecolor (modes 16, 24, 32): every channel becomes 255 - value. False for other modes (nothing changed).
bool reverseColors(Image& image);

}  // namespace vyd
