// One colour channel of a truecolor pixel, numbered by its byte in the pixel (blue, green, red).
#pragma once

namespace vyd {

enum class Channel { Blue = 0, Green = 1, Red = 2 };

}  // namespace vyd
