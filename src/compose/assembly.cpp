#include "compose/assembly.h"

#include <array>
#include <cstring>
#include <vector>

#include "compose/geometry.h"
#include "compose/numeric.h"

namespace vyd {

namespace {

// A picture side from a double: truncated, and kept within what an image can hold (a negative or
// meaningless side gives an empty picture rather than a wrapped-around one).
int pictureSide(double value) { return static_cast<int>(truncClamped(value, 0, kMaxDimension)); }

// Whether level i is drawn: its shown flag, inverted for the current level when the request says so.
bool levelDrawn(const LevelTable& levels, const AssemblyRequest& request, int i) {
    const bool shown = levels[i].shown != 0;
    return (i == levels.currentIndex && request.invertCurrent) ? !shown : shown;
}

// Copies the background straight in when it already has the destination's size; returns false when its
// storage cannot be copied that way.
bool copyBackground(const Image& background, Image& destination) {
    if (background.bitCount() == destination.bitCount()) {
        std::memcpy(destination.pixels.data(), background.pixels.data(), destination.pixelBytes());
        return true;
    }
    if (background.bitCount() != 8 || destination.bitCount() != 24) return false;
    // A paletted background into a truecolor picture: each index becomes its palette entry.
    for (int y = 0; y < background.height(); ++y) {
        const uint8_t* from = background.row(y);
        uint8_t* to = destination.row(y);
        for (int x = 0; x < background.width(); ++x, to += 3) {
            const RgbQuad& entry = background.palette[from[x]];
            to[0] = entry.rgbBlue;
            to[1] = entry.rgbGreen;
            to[2] = entry.rgbRed;
        }
    }
    return true;
}

// Marks every pixel whose column is a multiple of gx or whose row (from the top) is a multiple of gy.
void markPixelGrid(Image& picture, int gx, int gy) {
    const int width = picture.width();
    const bool truecolor = picture.bitCount() == 24;
    for (int y = 0; y < picture.height(); ++y) {
        uint8_t* row = picture.row(y);
        const int64_t step = (y % gy == 0) ? 1 : gx;
        for (int64_t x = 0; x < width; x += step) {
            if (truecolor) {
                row[3 * x] ^= 0x80;  // adding 128 modulo 256
                row[3 * x + 1] ^= 0x80;
                row[3 * x + 2] ^= 0x80;
            } else {
                row[x] = 0;
            }
        }
    }
}

}  // namespace

Placement drawingPlacement(const ViewState& view, const Level& level) {
    return {view.zoomAllX * level.originX + view.moveAllX,
            view.zoomAllY * level.originY + view.moveAllY,
            level.scaleX * view.zoomAllX,
            level.scaleY * view.zoomAllY,
            level.rotationCos,
            level.rotationSin};
}

void sizeAssembly(const LevelTable& levels, const ViewState& view, Image& destination, int clientWidth,
                  int clientHeight, bool wholePicture) {
    const Image& background = levels[0].image;
    int width, height;
    if (wholePicture) {
        width = pictureSide(background.width());
        height = pictureSide(background.height());
    } else {
        width = pictureSide(minOf(static_cast<double>(clientWidth), background.width() * view.zoomAllX + view.moveAllX));
        height = pictureSide(
            minOf(static_cast<double>(clientHeight), background.height() * view.zoomAllY + view.moveAllY));
    }
    int bits = 8;
    for (const Level& level : levels.levels) {
        if (level.shown && level.image.mode > kMode16) bits = 24;
    }
    const bool sameShape = destination.width() == width && destination.height() == height &&
                           destination.bitCount() == bits && (bits == 24 || destination.mode < kMode256);
    if (sameShape && (destination.hasPixels() || width == 0 || height == 0)) return;
    createImage(destination, bits == 24 ? kModeTrue24 : kMode16, bits, width, height);
}

void assembleLevels(LevelTable& levels, ViewState& view, const AssemblyRequest& request, Image& destination) {
    const bool wholePicture = request.wholePicture, currentAlone = request.currentAlone;
    const double savedZoomX = view.zoomAllX, savedZoomY = view.zoomAllY;
    const double savedMoveX = view.moveAllX, savedMoveY = view.moveAllY;
    if (wholePicture) {
        view.zoomAllX = view.zoomAllY = 1;
        view.moveAllX = view.moveAllY = 0;
    }

    sizeAssembly(levels, view, destination, request.clientWidth, request.clientHeight, wholePicture);

    if (destination.hasPixels()) {
        const Image& background = levels[0].image;
        int start = 0;
        if (!currentAlone && levelDrawn(levels, request, 0) && view.zoomAllX == 1 && view.zoomAllY == 1 &&
            background.hasPixels() && destination.width() == background.width() &&
            destination.height() == background.height() && copyBackground(background, destination)) {
            start = 1;
        } else {
            std::memset(destination.pixels.data(), 0, destination.pixelBytes());
        }

        const ClipRect clip{0, 0, destination.width(), destination.height()};
        const int current = levels.currentIndex;
        if (currentAlone) {
            Level& level = levels[current];
            const Color transparent = level.image.leftColor;
            level.image.leftColor = kNoColor;
            drawTransformed(destination, level.image, &level.screenRect, drawingPlacement(view, level), clip);
            level.image.leftColor = transparent;
        } else {
            // Where a higher level is opaque and unrotated, nothing below it shows: each level is drawn
            // without the rectangles that the levels above it cover.
            std::vector<CoverRect> covers;
            std::array<size_t, kLevelCount + 1> coversAbove{};
            for (int i = kLevelCount - 1; i >= start; --i) {
                coversAbove[i] = covers.size();
                const Level& level = levels[i];
                if (!levelDrawn(levels, request, i)) continue;
                if (auto cover = opaqueCover(destination, level.image, drawingPlacement(view, level), clip)) {
                    covers.push_back(*cover);
                }
            }
            for (int i = start; i < kLevelCount; ++i) {
                Level& level = levels[i];
                if (!levelDrawn(levels, request, i)) continue;
                // A refused draw (a level whose mode this picture cannot show) leaves the level out.
                drawTransformed(destination, level.image, &level.screenRect, drawingPlacement(view, level), clip,
                                std::span<const CoverRect>(covers.data(), coversAbove[i]));
            }
        }

        if (view.pixelGrid && view.zoomAllX > 3.0 && view.zoomAllY > 3.0) {
            markPixelGrid(destination, truncToInt32(view.zoomAllX), truncToInt32(view.zoomAllY));
        }
    }

    view.zoomAllX = savedZoomX;
    view.zoomAllY = savedZoomY;
    view.moveAllX = savedMoveX;
    view.moveAllY = savedMoveY;
}

}  // namespace vyd
