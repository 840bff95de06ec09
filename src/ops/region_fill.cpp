#include "ops/region_fill.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "modes/colors.h"

namespace vyd {
namespace {

constexpr int64_t kStepsPerPoll = 65536;

// One row of the picture, and for the variant the row of its visited marks.
struct RowRef {
    uint8_t* pixels;
    uint8_t* seen;
};

// The pixel test and the writes of one kind of fill. Bytes is 1 (palette index) or 3 (blue, green, red);
// Around selects the variant, which takes pixels whose value is not S and marks each taken pixel visited
// (a written pixel holds F, which is not S either, so the value alone cannot tell it apart).
template <int Bytes, bool Around>
class FillKind {
public:
    FillKind(Image& image, uint32_t s, uint32_t f) : rows_(rowTable(image)), width_(image.width()), s_(s), f_(f) {
        if constexpr (Around) seen_.assign(static_cast<size_t>(width_) * rows_.size(), 0);
        for (size_t i = 0; i < sizeof word_; ++i) word_[i] = static_cast<uint8_t>(s >> (8 * (i % Bytes)));
    }

    RowRef row(int y) {
        uint8_t* seen = nullptr;
        if constexpr (Around) seen = seen_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
        return {rows_[static_cast<size_t>(y)], seen};
    }

    bool take(const RowRef& r, int x) const {
        if constexpr (Around) return r.seen[x] == 0 && value(r.pixels, x) != s_;
        else return value(r.pixels, x) == s_;
    }

    // The last column of the run of takeable pixels that continues x + 1, x + 2, ... up to `last` (x when
    // x + 1 is not takeable), and likewise leftwards down to `first`. The same-colour fill compares several
    // pixels at a time with S repeated.
    int runRight(const RowRef& r, int x, int last) const {
        if constexpr (!Around) {
            const uint8_t* p = r.pixels;
            while (x + kWordPixels <= last && std::memcmp(p + Bytes * (x + 1), word_, sizeof word_) == 0) {
                x += kWordPixels;
            }
        }
        while (x < last && take(r, x + 1)) ++x;
        return x;
    }
    int runLeft(const RowRef& r, int x, int first) const {
        if constexpr (!Around) {
            const uint8_t* p = r.pixels;
            while (x - kWordPixels >= first &&
                   std::memcmp(p + Bytes * (x - kWordPixels), word_, sizeof word_) == 0) {
                x -= kWordPixels;
            }
        }
        while (x > first && take(r, x - 1)) --x;
        return x;
    }

    // Writes F over columns left..right of the row.
    void mark(const RowRef& r, int left, int right) const {
        const size_t count = static_cast<size_t>(right - left + 1);
        if constexpr (Around) std::memset(r.seen + left, 1, count);
        if constexpr (Bytes == 1) {
            std::memset(r.pixels + left, static_cast<int>(f_), count);
        } else {
            const uint8_t b = static_cast<uint8_t>(f_), g = static_cast<uint8_t>(f_ >> 8),
                          red = static_cast<uint8_t>(f_ >> 16);
            for (uint8_t *p = r.pixels + 3 * left, *end = p + 3 * count; p != end; p += 3) {
                p[0] = b;
                p[1] = g;
                p[2] = red;
            }
        }
    }

private:
    static uint32_t value(const uint8_t* pixels, int x) {
        if constexpr (Bytes == 1) {
            return pixels[x];
        } else {
            return colorOfPixel(pixels + 3 * x);
        }
    }

    static constexpr int kWordPixels = 8;
    uint8_t word_[kWordPixels * Bytes];  // S repeated for kWordPixels pixels
    std::vector<uint8_t*> rows_;
    std::vector<uint8_t> seen_;
    int width_;
    uint32_t s_, f_;
};

// A span fill: each seed taken is widened to the whole run of takeable pixels on its row, the run is
// written, and every run of takeable pixels directly above and below it becomes a seed. The row a seed was
// found from is not scanned again over the run that found it (all of that run is written). The seeds wait on
// a growable stack, so no part of the region is ever dropped; the pixels reached are those of a
// pixel-by-pixel walk.
template <class Kind>
FillOutcome spanFill(Kind& kind, int width, int height, int u, int v, OperationMonitor& monitor) {
    FillOutcome out;
    int minX = u, maxX = u, minY = v, maxY = v;
    const auto rect = [&] { return PixelRect{minX, minY, maxX + 1, maxY + 1}; };

    kind.mark(kind.row(v), u, u);
    out.changed = true;
    int64_t written = 1;
    int64_t nextPoll = kStepsPerPoll;
    monitor.showProgress(rect());
    if (monitor.stopRequested()) {
        out.stopped = true;
        out.touched = rect();
        return out;
    }

    // A takeable pixel at (x, y), found from the run parentLeft..parentRight of row y - dir.
    struct Seed {
        int x, y, dir, parentLeft, parentRight;
    };
    std::vector<Seed> seeds;
    // Queues the runs of row ny that start within columns from..to, found from run left..right.
    const auto scan = [&](int ny, int from, int to, int dir, int left, int right) {
        const RowRef n = kind.row(ny);
        for (int i = from; i <= to; ++i) {
            if (!kind.take(n, i)) continue;
            seeds.push_back({i, ny, dir, left, right});
            i = kind.runRight(n, i, to);
        }
    };
    // Widens the written pixel (x, y) to its run and queues the runs next to it.
    const auto spread = [&](const Seed& seed) {
        const int y = seed.y;
        const RowRef r = kind.row(y);
        const int left = kind.runLeft(r, seed.x, 0), right = kind.runRight(r, seed.x, width - 1);
        if (left < seed.x) kind.mark(r, left, seed.x - 1);
        if (right > seed.x) kind.mark(r, seed.x + 1, right);
        written += right - left;
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        // The row below is queued last, so the fill sweeps down the picture's memory while it can and
        // comes back for what lies above.
        for (const int dir : {-1, 1}) {
            const int ny = y + dir;
            if (ny < 0 || ny >= height) continue;
            if (dir == seed.dir) {
                scan(ny, left, right, dir, left, right);
            } else {
                scan(ny, left, std::min(right, seed.parentLeft - 1), dir, left, right);
                scan(ny, std::max(left, seed.parentRight + 1), right, dir, left, right);
            }
        }
    };

    spread({u, v, 1, 1, 0});  // no parent run: both neighbouring rows are scanned whole
    while (!seeds.empty()) {
        if (written >= nextPoll) {
            nextPoll += kStepsPerPoll;
            monitor.showProgress(rect());
            if (monitor.stopRequested()) {
                out.stopped = true;
                break;
            }
        }
        const Seed seed = seeds.back();
        seeds.pop_back();
        const RowRef r = kind.row(seed.y);
        if (!kind.take(r, seed.x)) continue;  // reached from another run meanwhile
        kind.mark(r, seed.x, seed.x);
        ++written;
        spread(seed);
    }
    out.touched = rect();
    return out;
}

uint32_t valueAt(const Image& image, int x, int y) {
    const uint8_t* row = image.row(y);
    if (image.bitCount() == 8) return row[x];
    return colorOfPixel(row + 3 * x);
}

template <bool Around>
FillOutcome fill(Image& image, int u, int v, Color colour, OperationMonitor& monitor) {
    const int bits = image.bitCount();
    if (!image.hasPixels() || (bits != 8 && bits != 24)) return {};
    if (u < 0 || u >= image.width() || v < 0 || v >= image.height()) return {};
    const uint32_t f = bits == 8 ? static_cast<uint32_t>(nearestPaletteIndex(image, colour, false))
                                 : (colour & 0xFFFFFFu);
    const uint32_t s = valueAt(image, u, v);
    if (s == f) return {};
    if (bits == 8) {
        FillKind<1, Around> kind(image, s, f);
        return spanFill(kind, image.width(), image.height(), u, v, monitor);
    }
    FillKind<3, Around> kind(image, s, f);
    return spanFill(kind, image.width(), image.height(), u, v, monitor);
}

}  // namespace

FillOutcome fillRegion(Image& image, int u, int v, Color colour, OperationMonitor& monitor) {
    return fill<false>(image, u, v, colour, monitor);
}

FillOutcome fillAround(Image& image, int u, int v, Color colour, OperationMonitor& monitor) {
    return fill<true>(image, u, v, colour, monitor);
}

}  // namespace vyd
