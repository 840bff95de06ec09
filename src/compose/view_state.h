// The view over the assembled picture: zoom and move, the display image, the preview switches and captions.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "image/image.h"

namespace vyd {

struct ViewState {
    double zoomAllX = 1, zoomAllY = 1;
    double moveAllX = 0, moveAllY = 0;
    Image displayImage;
    int16_t horizontalBarShown = 0, verticalBarShown = 0;
    double slackX = 0, slackY = 0;
    struct { int left = 32767, top = 0, right = 0, bottom = 0; } updateRect;
    int16_t paintDepth = 0;
    uint8_t lastInfoScreen = 0;
    bool previewLevels = false;     // F8 held
    bool previewRelief = false;     // F4 held
    bool previewThreshold = false;  // F9 held
    bool currentAlone = false;
    bool pixelGrid = false;
    bool rotationsSuppressed = false;
    bool centreRequest = false;
    std::array<std::string, 4> captionLines;
    int captionCount = 0;
};

}  // namespace vyd
