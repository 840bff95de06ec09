// What each codec error and warning says to the user: the message boxes it becomes, in order, with the file's
// name put in its place. formats/ only describes the boxes; app/ shows them through the platform.
#pragma once

#include <string>
#include <vector>

#include "formats/codec.h"

namespace vyd {

// The icon of a codec's box (every one is an OK box without an owner window).
enum class CodecIcon { Exclamation };

struct CodecBox {
    std::string text;
    std::string caption;
    CodecIcon icon = CodecIcon::Exclamation;
};

// The boxes an error or a warning about the named file is shown as. An error that the caller reports itself
// (a JPEG that was not written: every caller says "write failed") and a conversion that reported nothing
// give none.
std::vector<CodecBox> codecBoxes(const CodecFailure& failure, const std::string& name);
std::vector<CodecBox> codecBoxes(const CodecNotice& notice, const std::string& name);

// The text of an error or warning alone, for logs and tests: what its box says besides the name.
std::string codecText(const CodecFailure& failure);
std::string codecText(const CodecNotice& notice);

}  // namespace vyd
