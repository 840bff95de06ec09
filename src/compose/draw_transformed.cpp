#include "compose/draw_transformed.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "compose/numeric.h"
#include "modes/colors.h"

namespace vyd {

namespace {

constexpr double kFixedOne = 65536.0;
// Corner and position arithmetic runs in 64 bits; values are held within this bound so that sums of a few
// of them, and a row's worth of steps, can never overflow.
constexpr int64_t kPositionBound = int64_t{1} << 60;

int64_t toFixed(double value) { return truncClamped(value, -kPositionBound, kPositionBound); }

// The three kinds of copy, each a small functor the row loops are instantiated with. `put` writes one
// destination pixel from one source pixel unless the source pixel is transparent.
struct IndexCopy {
    static constexpr int kSourceBytes = 1;
    static constexpr int kDestinationBytes = 1;
    int transparent = -1;  // the transparent index, or -1
    bool opaque() const { return transparent < 0; }
    void put(uint8_t* d, const uint8_t* s) const {
        if (*s != transparent) *d = *s;
    }
};

struct PaletteLookup {
    static constexpr int kSourceBytes = 1;
    static constexpr int kDestinationBytes = 3;
    uint8_t colours[256][3];
    bool skip[256];
    bool anySkipped = false;
    bool opaque() const { return !anySkipped; }
    void put(uint8_t* d, const uint8_t* s) const {
        const uint8_t index = *s;
        if (skip[index]) return;
        d[0] = colours[index][0];
        d[1] = colours[index][1];
        d[2] = colours[index][2];
    }
};

struct TruecolorCopy {
    static constexpr int kSourceBytes = 3;
    static constexpr int kDestinationBytes = 3;
    uint32_t transparent = kNoColor;  // never equal to a 24-bit value when transparency is off
    bool opaque() const { return transparent == kNoColor; }
    void put(uint8_t* d, const uint8_t* s) const {
        const uint32_t value = s[0] | (uint32_t{s[1]} << 8) | (uint32_t{s[2]} << 16);
        if (value == transparent) return;
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
};

// The columns k in [0, n) whose coordinate start + k*step lies in [0, limit), as [lo, hi). Since the
// coordinate is linear in k, this is what trimming the span from both ends column by column leaves.
void keepInside(int64_t start, int64_t step, int64_t limit, int64_t n, int64_t& lo, int64_t& hi) {
    int64_t first, end;
    if (step == 0) {
        first = 0;
        end = (start >= 0 && start < limit) ? n : 0;
    } else if (step > 0) {
        first = start >= 0 ? 0 : (-start + step - 1) / step;
        end = start >= limit ? 0 : (limit - start + step - 1) / step;
    } else {
        const int64_t down = -step;
        first = start < limit ? 0 : (start - limit) / down + 1;
        end = start < 0 ? 0 : start / down + 1;
    }
    lo = std::max(lo, first);
    hi = std::min(hi, end);
}

// Everything the row loops need, established once per draw.
struct Span {
    int xStart = 0, xEnd = 0, yStart = 0, yEnd = 0;
    int64_t u = 0, v = 0;                  // source position of (xStart, yStart), 16.16
    int64_t dudx = 0, dvdx = 0, dudy = 0, dvdy = 0;
    int64_t uLimit = 0, vLimit = 0;        // source width and height, 16.16
};

template <class Copy>
void drawUnrotated(Image& destination, const Image& source, const Span& s, const Copy& copy) {
    // Without rotation the column positions are the same on every row: trim and tabulate them once.
    const int64_t n = s.xEnd - s.xStart;
    int64_t lo = 0, hi = n;
    keepInside(s.u, s.dudx, s.uLimit, n, lo, hi);
    if (lo >= hi) return;
    const size_t count = static_cast<size_t>(hi - lo);
    std::vector<uint32_t> offsets(count);
    int64_t u = s.u + lo * s.dudx;
    for (size_t k = 0; k < count; ++k, u += s.dudx) offsets[k] = static_cast<uint32_t>((u >> 16) * Copy::kSourceBytes);

    const size_t rowBytes = count * Copy::kDestinationBytes;
    const bool straight = copy.opaque() && s.dudx == 65536 && Copy::kSourceBytes == Copy::kDestinationBytes;
    const int xFirst = s.xStart + static_cast<int>(lo);
    int64_t v = s.v;
    int64_t lastSourceRow = -1;
    const uint8_t* lastDrawn = nullptr;
    for (int y = s.yStart; y <= s.yEnd; ++y, v += s.dvdy) {
        if (v < 0 || v >= s.vLimit) {
            lastDrawn = nullptr;
            continue;
        }
        const int64_t sourceRow = v >> 16;
        const uint8_t* from = source.row(static_cast<int>(sourceRow));
        uint8_t* to = destination.row(y) + static_cast<size_t>(xFirst) * Copy::kDestinationBytes;
        if (copy.opaque() && lastDrawn && sourceRow == lastSourceRow) {
            // An opaque magnified row repeats the row drawn just above it.
            std::memcpy(to, lastDrawn, rowBytes);
        } else if (straight) {
            std::memcpy(to, from + offsets[0], rowBytes);
        } else {
            for (size_t k = 0; k < count; ++k) copy.put(to + k * Copy::kDestinationBytes, from + offsets[k]);
        }
        lastSourceRow = sourceRow;
        lastDrawn = to;
    }
}

template <class Copy>
void drawRotated(Image& destination, const Image& source, const Span& s, const Copy& copy) {
    std::vector<const uint8_t*> rows(static_cast<size_t>(source.height()));
    for (int r = 0; r < source.height(); ++r) rows[r] = source.row(r);
    const int64_t n = s.xEnd - s.xStart;
    int64_t rowU = s.u, rowV = s.v;
    for (int y = s.yStart; y <= s.yEnd; ++y, rowU += s.dudy, rowV += s.dvdy) {
        int64_t lo = 0, hi = n;
        keepInside(rowU, s.dudx, s.uLimit, n, lo, hi);
        keepInside(rowV, s.dvdx, s.vLimit, n, lo, hi);
        if (lo >= hi) continue;
        int64_t u = rowU + lo * s.dudx, v = rowV + lo * s.dvdx;
        uint8_t* to = destination.row(y) + static_cast<size_t>(s.xStart + lo) * Copy::kDestinationBytes;
        uint8_t* const end = to + static_cast<size_t>(hi - lo) * Copy::kDestinationBytes;
        for (; to != end; to += Copy::kDestinationBytes, u += s.dudx, v += s.dvdx) {
            copy.put(to, rows[v >> 16] + (u >> 16) * Copy::kSourceBytes);
        }
    }
}

template <class Copy>
void drawSpan(Image& destination, const Image& source, const Span& s, const Copy& copy) {
    if (s.dvdx == 0 && s.dudy == 0) {
        drawUnrotated(destination, source, s, copy);
    } else {
        drawRotated(destination, source, s, copy);
    }
}

bool transparencyOn(Color c) { return (c >> 24) == 0; }

}  // namespace

int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& p,
                    const ClipRect& clip) {
    enum class Kind { Index, Lookup, Truecolor } kind;
    const bool sourceHasPixels = source.hasPixels() && source.width() > 0 && source.height() > 0;
    if (destination.bitCount() == 24) {
        if (source.bitCount() == 24) {
            kind = Kind::Truecolor;
        } else if (source.bitCount() == 8 || !sourceHasPixels) {
            kind = Kind::Lookup;
        } else {
            return 0;
        }
    } else {
        if (destination.mode >= 8 || source.mode >= 8) return 0;
        if (destination.bitCount() != 8 || (sourceHasPixels && source.bitCount() != 8)) return 0;
        kind = Kind::Index;
    }
    if (!destination.hasPixels()) return 0;

    // A placement that cannot be drawn is left out (a zero scale has no defined step).
    for (double value : {p.originX, p.originY, p.scaleX, p.scaleY, p.rotationCos, p.rotationSin}) {
        if (!std::isfinite(value)) return 0;
    }
    if (p.scaleX == 0 || p.scaleY == 0) return 0;
    const double steps[4] = {kFixedOne * p.rotationCos / p.scaleX, kFixedOne * p.rotationSin / p.scaleY,
                             -kFixedOne * p.rotationSin / p.scaleX, kFixedOne * p.rotationCos / p.scaleY};
    for (double step : steps) {
        if (!(std::fabs(step) < 2147483648.0)) return 0;
    }

    Span s;
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
    if (screenRectOut) *screenRectOut = {low16(xStart), low16(yStart), low16(xEnd + 1), low16(yEnd + 1)};

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
    if (xStart >= xEnd || yStart > yEnd || w == 0 || h == 0) return 1;

    const auto product = [](int64_t step, double distance) {
        return truncClamped(static_cast<double>(step) * distance, -kPositionBound / 4, kPositionBound / 4);
    };
    s.u = product(s.dudx, double(xStart) - p.originX) + product(s.dudy, double(yStart) - p.originY);
    s.v = product(s.dvdx, double(xStart) - p.originX) + product(s.dvdy, double(yStart) - p.originY);
    s.xStart = static_cast<int>(xStart);
    s.xEnd = static_cast<int>(xEnd);
    s.yStart = static_cast<int>(yStart);
    s.yEnd = static_cast<int>(yEnd);

    const Color transparent = source.leftColor;
    switch (kind) {
        case Kind::Index: {
            IndexCopy copy;
            if (transparencyOn(transparent)) copy.transparent = nearestPaletteIndex(source, transparent, false);
            drawSpan(destination, source, s, copy);
            break;
        }
        case Kind::Lookup: {
            PaletteLookup copy;
            for (int i = 0; i < 256; ++i) {
                copy.colours[i][0] = source.palette[i].rgbBlue;
                copy.colours[i][1] = source.palette[i].rgbGreen;
                copy.colours[i][2] = source.palette[i].rgbRed;
                copy.skip[i] = transparencyOn(transparent) && source.palette[i].value() == transparent;
                copy.anySkipped = copy.anySkipped || copy.skip[i];
            }
            drawSpan(destination, source, s, copy);
            break;
        }
        case Kind::Truecolor: {
            TruecolorCopy copy;
            if (transparencyOn(transparent)) copy.transparent = transparent;
            drawSpan(destination, source, s, copy);
            break;
        }
    }
    return 1;
}

int drawTransformed(Image& destination, const Image& source, ScreenRect* screenRectOut, const Placement& placement) {
    return drawTransformed(destination, source, screenRectOut, placement,
                           ClipRect{0, 0, destination.width(), destination.height()});
}

}  // namespace vyd
