#include "app/level_pixel.h"

#include <algorithm>
#include <cstdint>

#include "compose/geometry.h"
#include "compose/numeric.h"
#include "modes/colors.h"

namespace vyd {

void showLevelPixel(AppState& app, DeviceContext& dc, Color colour, int u, int v) {
    const Point p0 = levelPixelToPicture(app.view, app.levels.current(), u, v);
    const Point p1 = levelPixelToPicture(app.view, app.levels.current(), u + 1, v + 1);
    const int grid = (app.view.pixelGrid && app.view.zoomAllX > 3.0 && app.view.zoomAllY > 3.0) ? 1 : 0;
    // The block runs from the first corner (truncated, past the grid line) while below the second corner;
    // only the part inside the device context can show, so the loops stop at its edges.
    const int64_t xFirst = std::max<int64_t>(truncClamped(p0.x, INT32_MIN, INT32_MAX) + grid, 0);
    const int64_t yFirst = std::max<int64_t>(truncClamped(p0.y, INT32_MIN, INT32_MAX) + grid, 0);
    // Inside the device context x and y are ints, so they compare with the corner exactly as doubles.
    for (int64_t x = xFirst; x < dc.width() && static_cast<double>(x) < p1.x; ++x) {
        for (int64_t y = yFirst; y < dc.height() && static_cast<double>(y) < p1.y; ++y) {
            dc.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
        }
    }
}

int setLevelPixel(AppState& app, Image& image, Color colour, bool colourIsIndex, bool noFeedback,
                  Color onlyIfColour, int u, int v) {
    if (u < 0 || u >= image.width() || v < 0 || v >= image.height() || !image.hasPixels()) return 0;
    const bool truecolor = image.bitCount() == 24;
    if (!truecolor && image.bitCount() != 8) return 0;  // other depths exist only inside the file codecs

    const bool conditional = (onlyIfColour >> 24) == 0;
    uint8_t* row = image.row(v);
    Color shown;
    if (truecolor) {
        uint8_t* p = row + 3 * u;
        if (conditional) {
            if (colorOfPixel(p) != onlyIfColour) return 1;
        }
        p[0] = blueOf(colour);
        p[1] = greenOf(colour);
        p[2] = redOf(colour);
        shown = colour & 0xFFFFFF;
    } else {
        const uint8_t index =
            colourIsIndex ? static_cast<uint8_t>(colour) : static_cast<uint8_t>(nearestPaletteIndex(image, colour, false));
        if (conditional && row[u] != nearestPaletteIndex(image, onlyIfColour, false)) return 1;
        row[u] = index;
        shown = image.palette[index].value() & 0xFFFFFF;
    }
    if (!noFeedback) {
        showLevelPixel(app, app.ui().deviceContext(), shown, u, v);
        app.ui().flushDrawing();
    }
    return 1;
}

}  // namespace vyd
