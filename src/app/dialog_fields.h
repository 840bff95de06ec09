// Reading and writing the values of dialog fields: a value is shown through a printf format and read back
// as the leading number of the field's text, the way the formatted-input conversion "%lg" reads it.
#pragma once

#include <optional>
#include <string>

#include "platform_api/dialog.h"

namespace vyd {

// The longest text a field is read with (its buffer held 256 characters with the terminator).
inline constexpr size_t kFieldTextLimit = 255;

// The number at the start of `text`: leading blanks skipped, an optional sign, decimal digits with an
// optional point and exponent; whatever follows is ignored. Nothing when the text holds no such number.
// Numbers beyond the range of a double read as infinite, as the standard conversion gives them; the words
// "inf" and "nan" and hexadecimal forms are not numbers here.
std::optional<double> scanNumber(const std::string& text);

// The leading number of field `id` (at most kFieldTextLimit characters of it), or nothing.
std::optional<double> readFieldNumber(const DialogFields& fields, int id);

}  // namespace vyd
