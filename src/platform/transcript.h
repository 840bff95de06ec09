// Transcript formatting: texts in double quotes with the escapes \" \\ \n and \xHH for bytes 0x80 and up.
#pragma once

#include <string>

#include "image/image.h"

namespace vyd {

std::string quoteText(const std::string& text);
// A colour value (blue low byte) as RRGGBB.
std::string colourHex(Color colour);

}  // namespace vyd
