// The row loops of the resampling copy (used by draw_transformed.cpp only): the three kinds of copy, the
// span trimming, and the walks over the rows with and without rotation. Every position reaching a loop has
// been trimmed to lie inside the source, so the loops test no bounds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

#include "compose/draw_transformed.h"

namespace vyd::resampling {

// Loads the three bytes of a truecolor pixel as one value (blue in the low byte). Every pixel is followed by
// at least one byte of the buffer (row padding, the next row, or the spare bytes after the last row), so
// the fourth byte loaded is always inside it.
inline uint32_t loadPixel(const uint8_t* p) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value & 0xFFFFFF;  // little-endian: the fourth byte is the top one
}
inline void storePixel(uint8_t* d, uint32_t value) {
    d[0] = static_cast<uint8_t>(value);
    d[1] = static_cast<uint8_t>(value >> 8);
    d[2] = static_cast<uint8_t>(value >> 16);
}

// The three kinds of copy, each a small functor the row loops are instantiated with. `put` writes one
// destination pixel from one source pixel unless the source pixel is transparent; `row` writes a span of
// pixels whose source bytes are at the given offsets of one source row.
struct IndexCopy {
    static constexpr int kSourceBytes = 1;
    static constexpr int kDestinationBytes = 1;
    int transparent = -1;  // the transparent index, or -1
    bool opaque() const { return transparent < 0; }
    void put(uint8_t* d, const uint8_t* s) const {
        if (*s != transparent) *d = *s;
    }
    void row(uint8_t* to, const uint8_t* from, const uint32_t* offsets, size_t count) const {
        if (opaque()) {
            for (size_t k = 0; k < count; ++k) to[k] = from[offsets[k]];
        } else {
            for (size_t k = 0; k < count; ++k) put(to + k, from + offsets[k]);
        }
    }
};

struct PaletteLookup {
    static constexpr int kSourceBytes = 1;
    static constexpr int kDestinationBytes = 3;
    uint32_t colours[256];  // blue, green, red in the low three bytes
    bool skip[256];
    bool anySkipped = false;
    bool opaque() const { return !anySkipped; }
    void put(uint8_t* d, const uint8_t* s) const {
        if (!skip[*s]) storePixel(d, colours[*s]);
    }
    void row(uint8_t* to, const uint8_t* from, const uint32_t* offsets, size_t count) const {
        if (count == 0) return;
        if (opaque()) {
            // Four-byte stores run one byte ahead, which the next pixel overwrites; the span's last pixel
            // is stored with three.
            for (size_t k = 0; k + 1 < count; ++k) std::memcpy(to + 3 * k, &colours[from[offsets[k]]], 4);
            storePixel(to + 3 * (count - 1), colours[from[offsets[count - 1]]]);
        } else {
            for (size_t k = 0; k < count; ++k) put(to + 3 * k, from + offsets[k]);
        }
    }
};

struct TruecolorCopy {
    static constexpr int kSourceBytes = 3;
    static constexpr int kDestinationBytes = 3;
    uint32_t transparent = 0xFFFFFFFFu;  // never equal to a 24-bit value when transparency is off
    bool opaque() const { return transparent == 0xFFFFFFFFu; }
    void put(uint8_t* d, const uint8_t* s) const {
        const uint32_t value = loadPixel(s);
        if (value != transparent) storePixel(d, value);
    }
    void row(uint8_t* to, const uint8_t* from, const uint32_t* offsets, size_t count) const {
        if (count == 0) return;
        if (opaque()) {
            for (size_t k = 0; k + 1 < count; ++k) {
                const uint32_t value = loadPixel(from + offsets[k]);
                std::memcpy(to + 3 * k, &value, 4);  // one byte ahead, as in PaletteLookup::row
            }
            storePixel(to + 3 * (count - 1), loadPixel(from + offsets[count - 1]));
        } else {
            for (size_t k = 0; k < count; ++k) put(to + 3 * k, from + offsets[k]);
        }
    }
    // A span at scale 1: the source pixels follow each other, and each run of pixels that are not
    // transparent is copied in one piece.
    void rowContiguous(uint8_t* to, const uint8_t* from, size_t count) const {
        size_t k = 0;
        while (k < count) {
            while (k < count && loadPixel(from + 3 * k) == transparent) ++k;
            const size_t first = k;
            while (k < count && loadPixel(from + 3 * k) != transparent) ++k;
            std::memcpy(to + 3 * first, from + 3 * first, 3 * (k - first));
        }
    }
};

// The columns k in [0, n) whose coordinate start + k*step lies in [0, limit), intersected with [lo, hi).
// Since the coordinate is linear in k, this is what trimming the span from both ends column by column
// leaves.
inline void keepInside(int64_t start, int64_t step, int64_t limit, int64_t n, int64_t& lo, int64_t& hi) {
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
    int xStart = 0, xEnd = 0, yStart = 0, yEnd = 0;  // columns [xStart, xEnd), rows [yStart, yEnd]
    int64_t u = 0, v = 0;                            // source position of (xStart, yStart), 16.16
    int64_t dudx = 0, dvdx = 0, dudy = 0, dvdy = 0;
    int64_t uLimit = 0, vLimit = 0;                  // source width and height, 16.16
    bool unrotated() const { return dvdx == 0 && dudy == 0; }
};

// The parts of row y's columns [a, b) that no cover hides. `visit(first, end)` is called for each, left to
// right. Returns the set of covers that meet the row's columns, as bits, so that two rows can be known to
// be hidden alike.
template <class Visit>
uint64_t forVisible(int y, int64_t a, int64_t b, std::span<const CoverRect> covers, Visit visit) {
    struct Interval {
        int64_t first, end;
    };
    Interval hidden[64];
    int count = 0;
    uint64_t meeting = 0;
    for (size_t i = 0; i < covers.size() && i < 64; ++i) {
        const CoverRect& c = covers[i];
        if (y < c.top || y >= c.bottom || c.right <= a || c.left >= b) continue;
        meeting |= uint64_t{1} << i;
        // Insertion by first column keeps the few intervals sorted.
        Interval interval{std::max<int64_t>(c.left, a), std::min<int64_t>(c.right, b)};
        int at = count++;
        while (at > 0 && hidden[at - 1].first > interval.first) {
            hidden[at] = hidden[at - 1];
            --at;
        }
        hidden[at] = interval;
    }
    int64_t position = a;
    for (int i = 0; i < count; ++i) {
        if (hidden[i].first > position) visit(position, hidden[i].first);
        position = std::max(position, hidden[i].end);
    }
    if (position < b) visit(position, b);
    return meeting;
}

template <class Copy>
void drawUnrotated(Image& destination, const Image& source, const Span& s, const Copy& copy,
                   std::span<const CoverRect> covers) {
    // Without rotation the column positions are the same on every row: trim and tabulate them once.
    const int64_t n = s.xEnd - s.xStart;
    int64_t lo = 0, hi = n;
    keepInside(s.u, s.dudx, s.uLimit, n, lo, hi);
    if (lo >= hi) return;
    const size_t count = static_cast<size_t>(hi - lo);
    std::vector<uint32_t> offsets(count);
    int64_t u = s.u + lo * s.dudx;
    for (size_t k = 0; k < count; ++k, u += s.dudx) offsets[k] = static_cast<uint32_t>((u >> 16) * Copy::kSourceBytes);

    constexpr int kBytes = Copy::kDestinationBytes;
    const bool straight = copy.opaque() && s.dudx == 65536 && Copy::kSourceBytes == kBytes;
    const int xFirst = s.xStart + static_cast<int>(lo);
    const int xLast = xFirst + static_cast<int>(count);
    int64_t v = s.v;
    int64_t lastSourceRow = -1;
    uint64_t lastMeeting = 0;
    const uint8_t* lastDrawn = nullptr;
    for (int y = s.yStart; y <= s.yEnd; ++y, v += s.dvdy) {
        if (v < 0 || v >= s.vLimit) {
            lastDrawn = nullptr;
            continue;
        }
        const int64_t sourceRow = v >> 16;
        const uint8_t* from = source.row(static_cast<int>(sourceRow));
        uint8_t* rowStart = destination.row(y);
        uint8_t* to = rowStart + static_cast<size_t>(xFirst) * kBytes;
        const auto drawPart = [&](int64_t first, int64_t end) {
            const size_t k = static_cast<size_t>(first - xFirst), part = static_cast<size_t>(end - first);
            uint8_t* d = to + k * kBytes;
            if (straight) {
                std::memcpy(d, from + offsets[k], part * kBytes);
            } else if constexpr (std::is_same_v<Copy, TruecolorCopy>) {
                if (s.dudx == 65536) {
                    copy.rowContiguous(d, from + offsets[k], part);
                } else {
                    copy.row(d, from, offsets.data() + k, part);
                }
            } else {
                copy.row(d, from, offsets.data() + k, part);
            }
        };
        if (covers.empty()) {
            if (copy.opaque() && lastDrawn && sourceRow == lastSourceRow) {
                // An opaque magnified row repeats the row drawn just above it.
                std::memcpy(to, lastDrawn, count * kBytes);
            } else {
                drawPart(xFirst, xLast);
            }
        } else {
            // Under covers a row may repeat the one above only when the same covers hide the same columns
            // of both; what it copies into hidden columns is painted over later.
            uint64_t meeting = 0;
            bool repeat = false;
            if (copy.opaque() && lastDrawn && sourceRow == lastSourceRow) {
                meeting = forVisible(y, xFirst, xLast, covers, [](int64_t, int64_t) {});
                repeat = meeting == lastMeeting;
            }
            if (repeat) {
                std::memcpy(to, lastDrawn, count * kBytes);
            } else {
                meeting = forVisible(y, xFirst, xLast, covers, drawPart);
            }
            lastMeeting = meeting;
        }
        lastSourceRow = sourceRow;
        lastDrawn = to;
    }
}

template <class Copy>
void drawRotated(Image& destination, const Image& source, const Span& s, const Copy& copy,
                 std::span<const CoverRect> covers) {
    std::vector<const uint8_t*> rows(static_cast<size_t>(source.height()));
    for (int r = 0; r < source.height(); ++r) rows[r] = source.row(r);
    const int64_t n = s.xEnd - s.xStart;
    int64_t rowU = s.u, rowV = s.v;
    for (int y = s.yStart; y <= s.yEnd; ++y, rowU += s.dudy, rowV += s.dvdy) {
        int64_t lo = 0, hi = n;
        keepInside(rowU, s.dudx, s.uLimit, n, lo, hi);
        keepInside(rowV, s.dvdx, s.vLimit, n, lo, hi);
        if (lo >= hi) continue;
        uint8_t* rowStart = destination.row(y);
        forVisible(y, s.xStart + lo, s.xStart + hi, covers, [&](int64_t first, int64_t end) {
            const int64_t k = first - s.xStart;
            int64_t u = rowU + k * s.dudx, v = rowV + k * s.dvdx;
            uint8_t* to = rowStart + static_cast<size_t>(first) * Copy::kDestinationBytes;
            uint8_t* const stop = rowStart + static_cast<size_t>(end) * Copy::kDestinationBytes;
            for (; to != stop; to += Copy::kDestinationBytes, u += s.dudx, v += s.dvdx) {
                copy.put(to, rows[v >> 16] + (u >> 16) * Copy::kSourceBytes);
            }
        });
    }
}

template <class Copy>
void drawSpan(Image& destination, const Image& source, const Span& s, const Copy& copy,
              std::span<const CoverRect> covers) {
    if (s.unrotated()) {
        drawUnrotated(destination, source, s, copy, covers);
    } else {
        drawRotated(destination, source, s, copy, covers);
    }
}

}  // namespace vyd::resampling
