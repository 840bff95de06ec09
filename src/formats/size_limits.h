// The refusal every reader gives for a picture beyond the record's 16-bit size arithmetic.
#pragma once

#include <cstdint>
#include <string>

#include "util/text_format.h"

namespace vyd {

// Text of the refusal (the file name is the caption).
inline std::string tooBigText(int64_t width, int64_t height) {
    return formatText("this picture is %lld x %lld pixels: too big for me", static_cast<long long>(width),
                      static_cast<long long>(height));
}

}  // namespace vyd
