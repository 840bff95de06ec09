// The level-15 derivations: pictures made from the current level's truecolor picture into level 15, the
// current picture left as it was. Barrel correction, the Poser bump map (brightness slopes, the .BUM file
// mode) and back, and one colour channel.
#pragma once

#include "image/image.h"
#include "image/levels.h"
#include "ops/channel.h"

namespace vyd {

enum class Derivation { Barrel, IntoBumpMap, FromBumpMap, OneChannel };

enum class DerivationRefusal {
    None,
    Nothing,       // no pixels to derive from (or no slope to measure): ends quietly, nothing changed
    OnLevel15,
    NotTruecolor,
    TooSmall,      // the rebuild from a bump map needs at least 4 x 4 pixels
};

// The text the user is shown for a refusal (nullptr for None and Nothing).
const char* derivationRefusalText(DerivationRefusal refusal);

// Why the derivation cannot run on the current level, checked in this order: no pixels (not asked of the
// channel copy; for the bump map also a picture less than 2 pixels wide or high), the current level being
// level 15, a depth other than 24, and for the rebuild a picture less than 4 pixels wide or high.
DerivationRefusal derivationRefusal(const LevelTable& levels, Derivation kind);

// Each derivation makes `destination` anew (source's size and mode, 24 bits a pixel) and fills every pixel.
// It returns false, leaving `destination` as it was, when source has no 24-bit pixels or memory runs out.

// Level-15 pixel (x, y) takes the source pixel on the ray from the pivot at distance r * t / tan(t), where r
// is (x, y)'s distance from the pivot and t = r / distance; clamped to the picture. The caller keeps
// distance above 1.
bool removeBarrelDistortion(const Image& source, Image& destination, double pivotX, double pivotY, double distance);

// Pixel (x, y) holds blue 0, green 127 + floor(gy / 4) and red 127 + floor(gx / 4), gy and gx being the
// slopes down and across the 2 x 2 grey values ending at (x, y), each at least -508. Row 0 and column 0 copy
// their neighbours. Needs at least 2 x 2 pixels.
bool makeBumpMap(const Image& source, Image& destination);

// Rebuilds grey brightness from a bump map along its diagonals, starting from a white top-left corner, with
// four downward and four upward passes (the upward passes average the two diagonal estimates). Needs at
// least 4 x 4 pixels.
bool rebuildFromBumpMap(const Image& source, Image& destination);

// Every pixel keeps the one channel, the other two 0.
bool copyOneChannel(const Image& source, Image& destination, Channel channel);

}  // namespace vyd
