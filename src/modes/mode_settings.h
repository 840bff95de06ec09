#pragma once
#include <cstdint>

namespace vyd {

// Settings of the colour-mode conversions (the keyboard changes them; the display previews use them).
struct ModeSettings {
    uint16_t bwlimit = 128;  // a grey value at least this counts as white
    int32_t from0 = 0;       // output for a channel value of 0 in the linear truecolor mapping
    int32_t from255 = 255;   // output for a channel value of 255
};

}  // namespace vyd
