#include "compose/draw_transformed.h"

#include <algorithm>
#include <cmath>

#include "compose/numeric.h"
#include "compose/resampling_rows.h"
#include "modes/colors.h"

namespace vyd {

namespace {

using namespace resampling;

constexpr double kFixedOne = 65536.0;
// Corner and position arithmetic runs in 64 bits; values are held within this bound so that sums of a few
// of them, and a row's worth of steps, can never overflow.
constexpr int64_t kPositionBound = int64_t{1} << 60;

int64_t toFixed(double value) { return truncClamped(value, -kPositionBound, kPositionBound); }

enum class Kind { Index, Lookup, Truecolor };
enum Prepared { kRefused, kNothing, kDraw };

// Chooses the kind of copy, checks the placement and works out the span to draw: the footprint's bounding
// box (recorded in `screenRect` when given), clipped, and the source position and steps at its first pixel.
Prepared prepare(const Image& destination, const Image& source, const Placement& p, const ClipRect& clip,
                 ScreenRect* screenRect, Kind& kind, Span& s) {
    const bool sourceHasPixels = source.hasPixels() && source.width() > 0 && source.height() > 0;
    if (destination.bitCount() == 24) {
        if (source.bitCount() == 24) {
            kind = Kind::Truecolor;
        } else if (source.bitCount() == 8 || !sourceHasPixels) {
            kind = Kind::Lookup;
        } else {
            return kRefused;
        }
    } else {
        if (destination.mode >= 8 || source.mode >= 8) return kRefused;
        if (destination.bitCount() != 8 || (sourceHasPixels && source.bitCount() != 8)) return kRefused;
        kind = Kind::Index;
    }
    if (!destination.hasPixels()) return kRefused;

    // A placement that cannot be drawn is left out (a zero scale has no defined step).
    for (double value : {p.originX, p.originY, p.scaleX, p.scaleY, p.rotationCos, p.rotationSin}) {
        if (!std::isfinite(value)) return kRefused;
    }
    if (p.scaleX == 0 || p.scaleY == 0) return kRefused;
    const double steps[4] = {kFixedOne * p.rotationCos / p.scaleX, kFixedOne * p.rotationSin / p.scaleY,
                             -kFixedOne * p.rotationSin / p.scaleX, kFixedOne * p.rotationCos / p.scaleY};
    for (double step : steps) {
        if (!(std::fabs(step) < 2147483648.0)) return kRefused;
    }

    s.dudx = static_cast<int32_t>(steps[0]);
    s.dvdx = static_cast<int32_t>(steps[1]);
    s.dudy = static_cast<int32_t>(steps[2]);
    s.dvdy = static_cast<int32_t>(steps[3]);
    const int64_t w = sourceHasPixels ? std::min(source.width(), 99999999) : 0;
    const int64_t h = sourceHasPixels ? std::min(source.height(), 99999999) : 0;
    s.uLimit = w * 65536;
    s.vLimit = h * 65536;

    // Bounding box of the four mapped corners, in destination pixels (floor of the 16.16 values).
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    const double corners[4][2] = {{0, 0}, {double(w), 0}, {0, double(h)}, {double(w), double(h)}};
    for (int i = 0; i < 4; ++i) {
        const double u = corners[i][0], v = corners[i][1];
        const double x = p.originX + p.rotationCos * p.scaleX * u + p.rotationSin * p.scaleY * v;
        const double y = p.originY - p.rotationSin * p.scaleX * u + p.rotationCos * p.scaleY * v;
        const int64_t px = toFixed(kFixedOne * x) >> 16, py = toFixed(kFixedOne * y) >> 16;
        if (i == 0 || px < minX) minX = px;
        if (i == 0 || px > maxX) maxX = px;
        if (i == 0 || py < minY) minY = py;
        if (i == 0 || py > maxY) maxY = py;
    }
    int64_t xStart = std::max<int64_t>(0, minX), xEnd = std::min<int64_t>(destination.width(), maxX);
    int64_t yStart = std::max<int64_t>(0, minY), yEnd = std::min<int64_t>(destination.height() - 1, maxY);
    if (screenRect) *screenRect = {low16(xStart), low16(yStart), low16(xEnd + 1), low16(yEnd + 1)};

    xStart = std::max<int64_t>(xStart, clip.left);
    xEnd = std::min<int64_t>(xEnd, clip.right);
    yStart = std::max<int64_t>(yStart, clip.top);
    yEnd = std::min<int64_t>(yEnd, clip.bottom);
    // The clip may reach past the destination; the destination's own edges still bound every write.
    xStart = std::max<int64_t>(xStart, 0);
    xEnd = std::min<int64_t>(xEnd, destination.width());
    yStart = std::max<int64_t>(yStart, 0);
    yEnd = std::min<int64_t>(yEnd, destination.height() - 1);
    // Rows run through yEnd inclusive, so a box one row high still has a row to draw (the last row of the
    // picture, or a picture one pixel high, is drawn like any other).
    if (xStart >= xEnd || yStart > yEnd || w == 0 || h == 0) return kNothing;

    const auto product = [](int64_t step, double distance) {
        return truncClamped(static_cast<double>(step) * distance, -kPositionBound / 4, kPositionBound / 4);
    };
    s.u = product(s.dudx, double(xStart) - p.originX) + product(s.dudy, double(yStart) - p.originY);
    s.v = product(s.dvdx, double(xStart) - p.originX) + product(s.dvdy, double(yStart) - p.originY);
    s.xStart = static_cast<int>(xStart);
    s.xEnd = static_cast<int>(xEnd);
    s.yStart = static_cast<int>(yStart);
    s.yEnd = static_cast<int>(yEnd);

    return kDraw;
}

bool transparencyOn(Color c) { return (c >> 24) == 0; }

}  // namespace

int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& p,
                    const ClipRect& clip, std::span<const CoverRect> hidden) {
    Kind kind;
    Span s;
    const Prepared prepared = prepare(destination, source, p, clip, screenRectOut, kind, s);
    if (prepared != kDraw) return prepared == kRefused ? 0 : 1;

    const Color transparent = source.leftColor;
    switch (kind) {
        case Kind::Index: {
            IndexCopy copy;
            if (transparencyOn(transparent)) copy.transparent = nearestPaletteIndex(source, transparent, false);
            drawSpan(destination, source, s, copy, hidden);
            break;
        }
        case Kind::Lookup: {
            PaletteLookup copy;
            for (int i = 0; i < 256; ++i) {
                copy.colours[i] = source.palette[i].value() & 0xFFFFFF;
                copy.skip[i] = transparencyOn(transparent) && source.palette[i].value() == transparent;
                copy.anySkipped = copy.anySkipped || copy.skip[i];
            }
            drawSpan(destination, source, s, copy, hidden);
            break;
        }
        case Kind::Truecolor: {
            TruecolorCopy copy;
            if (transparencyOn(transparent)) copy.transparent = transparent;
            drawSpan(destination, source, s, copy, hidden);
            break;
        }
    }
    return 1;
}

int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement,
                    const ClipRect& clip) {
    return drawTransformed(destination, source, screenRectOut, placement, clip, {});
}

int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement) {
    return drawTransformed(destination, source, screenRectOut, placement,
                           ClipRect{0, 0, destination.width(), destination.height()}, {});
}

std::optional<CoverRect> opaqueCover(const Image& destination, const Image& source, const Placement& placement,
                                     const ClipRect& clip) {
    Kind kind;
    Span s;
    if (transparencyOn(source.leftColor)) return std::nullopt;
    if (prepare(destination, source, placement, clip, nullptr, kind, s) != kDraw || !s.unrotated()) {
        return std::nullopt;
    }
    // The columns and rows the unrotated row loop writes: those whose source position lies on the source.
    int64_t left = 0, right = s.xEnd - s.xStart;
    keepInside(s.u, s.dudx, s.uLimit, right, left, right);
    int64_t top = 0, bottom = int64_t{s.yEnd} - s.yStart + 1;
    keepInside(s.v, s.dvdy, s.vLimit, bottom, top, bottom);
    if (left >= right || top >= bottom) return std::nullopt;
    return CoverRect{s.xStart + static_cast<int>(left), s.yStart + static_cast<int>(top),
                     s.xStart + static_cast<int>(right), s.yStart + static_cast<int>(bottom)};
}

}  // namespace vyd
