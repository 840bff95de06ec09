#include "ops/edge_marking.h"

#include <cstring>

#include "compose/assembly.h"
#include "modes/colors.h"

namespace vyd {

namespace {

constexpr uint8_t kWhiteIndex = 15;

// Mark colours by the marked pixel's index, one table for each EdgeColours choice.
constexpr uint8_t kEdgeTables[3][16] = {
    {8, 9, 10, 11, 12, 13, 14, 8, 7, 1, 2, 3, 4, 5, 6, 7},
    {7, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
    {7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

// The level map: for each pixel the highest shown level from 1 to 14 whose drawn pixels cover it, 0 for
// none. A level covers the pixels its draw changes from a fill of its own transparent index, so pixels of
// exactly that index never count, transparent or not.
void mapLevels(LevelTable& levels, Image& work, Image& map) {
    const int width = work.width(), height = work.height();
    const ClipRect whole{0, 0, width, height};
    for (int k = 1; k < kTopLevel; ++k) {
        Level& level = levels[k];
        if (!level.shown) continue;
        const Color fillColour = level.image.leftColor == kNoColor ? makeColor(255, 255, 255) : level.image.leftColor;
        const uint8_t fill = static_cast<uint8_t>(nearestPaletteIndex(level.image, fillColour, false));
        std::memset(work.pixels.data(), fill, work.pixelBytes());
        const Placement placement{level.originX, level.originY, level.scaleX,
                                  level.scaleY,  level.rotationCos, level.rotationSin};
        drawTransformed(work, level.image, &level.screenRect, placement, whole);
        for (int y = 0; y < height; ++y) {
            const uint8_t* drawn = work.row(y);
            uint8_t* owner = map.row(y);
            for (int x = 0; x < width; ++x) {
                if (drawn[x] != fill) owner[x] = static_cast<uint8_t>(k);
            }
        }
    }
}

// Compares each pixel with the one `dx`, `dy` before it: same colour from different levels marks the pixel
// of the higher level.
void markPairs(const Image& picture, const Image& map, Image& marks, const uint8_t* table, int dx, int dy) {
    for (int y = dy; y < picture.height(); ++y) {
        const uint8_t* colour = picture.row(y);
        const uint8_t* colourBefore = picture.row(y - dy);
        const uint8_t* owner = map.row(y);
        const uint8_t* ownerBefore = map.row(y - dy);
        uint8_t* mark = marks.row(y);
        uint8_t* markBefore = marks.row(y - dy);
        for (int x = dx; x < picture.width(); ++x) {
            const uint8_t here = colour[x], before = colourBefore[x - dx];
            if (here != before) continue;
            if (owner[x] > ownerBefore[x - dx]) {
                mark[x] = table[here % 16];
            } else if (owner[x] < ownerBefore[x - dx]) {
                markBefore[x - dx] = table[before % 16];
            }
        }
    }
}

}  // namespace

EdgeCheck checkEdgeMarking(const LevelTable& levels, const ViewState& view, Image& assembled) {
    sizeAssembly(levels, view, assembled, 0, 0, true);
    if (!assembled.hasPixels()) return EdgeCheck::NoPicture;
    if (levels[kTopLevel].image.hasPixels()) return EdgeCheck::LevelFifteenBusy;
    if (assembled.bitCount() != 8) return EdgeCheck::NotSixteenColor;
    return EdgeCheck::Ready;
}

bool markEdgeOverlaps(LevelTable& levels, ViewState& view, Image& assembled, EdgeColours colours) {
    const int width = assembled.width(), height = assembled.height();
    Image map;
    if (!createImage(map, kMode16, 8, width, height)) return false;
    std::memset(map.pixels.data(), 0, map.pixelBytes());
    mapLevels(levels, assembled, map);

    AssemblyRequest whole;
    whole.wholePicture = true;
    assembleLevels(levels, view, whole, assembled);

    Image& marks = levels[kTopLevel].image;
    if (!createImage(marks, kMode16, 8, width, height)) return false;
    marks.leftColor = makeColor(255, 255, 255);
    std::memset(marks.pixels.data(), kWhiteIndex, marks.pixelBytes());

    const uint8_t* table = kEdgeTables[static_cast<int>(colours)];
    markPairs(assembled, map, marks, table, 0, 1);
    markPairs(assembled, map, marks, table, 1, 0);
    return true;
}

}  // namespace vyd
