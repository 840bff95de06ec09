#include "modes/palette_diagnosis.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "modes/colors.h"
#include "modes/palette_repair.h"

namespace vyd {

namespace {

constexpr const char* kZeroedCaption = "This PCX image shows all black because its palette somehow got zeroed.";
constexpr const char* kZeroedText =
    "To rectify this, call `Editing', `standardize palette', then `Files', `Write'. If the PCX file was version 5, "
    "you may also have to call `swop red & blue' and/or `swop the greys'. Until then, do not use any other "
    "graphics handling program on the file, or that may zero the image also to all black.";

ConversionMessage nonstandard(const char* text) {
    return {text, kNonstandardPaletteCaption};
}

}  // namespace

std::vector<ConversionMessage> paletteDiagnosis(const Image& image) {
    std::vector<ConversionMessage> messages;
    if (image.mode != kMode16) return messages;

    // The sixteen-colour class of each entry tells where the entry's colour belongs in the default order.
    std::array<uint8_t, 16> classes{};
    for (int i = 0; i < 16; ++i) {
        classes[i] = static_cast<uint8_t>(sixteenColorIndex(image.palette[i].value() & 0xFFFFFFu));
    }
    if (std::accumulate(classes.begin(), classes.end(), 0) == 0) {
        messages.push_back({kZeroedText, kZeroedCaption});
        return messages;
    }
    if (classes[7] == 8 && classes[8] == 7) {
        messages.push_back(nonstandard("the greys are swopped"));
        std::swap(classes[7], classes[8]);
    }
    std::array<uint8_t, 16> identity{};
    std::iota(identity.begin(), identity.end(), uint8_t{0});
    if (classes == identity) return messages;
    if (std::equal(classes.begin(), classes.end(), kRedBlueSwopTable)) {
        messages.push_back(nonstandard("the red and blue bits are swopped all through"));
    } else {
        messages.push_back(nonstandard("try `show header' option to see what you've got"));
    }
    return messages;
}

}  // namespace vyd
