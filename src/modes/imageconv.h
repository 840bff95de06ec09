// The one conversion between colour modes and storage depths. The target code gives the destination's
// mode (its low five bits) and depth (8 for code 9 and codes above 64, else the code itself):
//   1 pack 2-color to 1 bit      4 pack 16-color to 4 bits    8 256-color       9 256 greyshades
//   16 pack truecolor to 16 bits 24 truecolor                 65 2-color        68 16-color
//   100 16-color with pixel chequering                        1561 256-color, alternative cube rounding
// Only the low byte of other codes counts (the Modes menu passes its command identifiers).
#pragma once

#include <string>

#include "image/image.h"
#include "modes/mode_settings.h"

namespace vyd {

inline constexpr int kCodePack1 = 1;
inline constexpr int kCodePack4 = 4;
inline constexpr int kCode256 = 8;
inline constexpr int kCodeGreys = 9;
inline constexpr int kCodePack16 = 16;
inline constexpr int kCodeTrue = 24;
inline constexpr int kCode2Color = 65;
inline constexpr int kCode16Color = 68;
inline constexpr int kCodeChequer = 100;
inline constexpr int kCodeCubeAlternative = 1561;

// A message the conversion would show: its text and caption, shown as a warning without an owner window.
struct ConversionMessage {
    std::string text;
    std::string caption;
};

// Converts source into destination (a different record; the source is not changed). Returns 1 for the
// plain copies, otherwise the height; 0 on failure: no source pixels, a destination that cannot be
// created, or a (depth, target) pair the conversion does not know.
int imageconv(const Image& source, Image& destination, int code, const ModeSettings& settings = ModeSettings{});
// The same; an unknown pair also fills *message (when given) with the "bug in VYD" report to show.
int imageconv(const Image& source, Image& destination, int code, const ModeSettings& settings,
              ConversionMessage* message);

}  // namespace vyd
