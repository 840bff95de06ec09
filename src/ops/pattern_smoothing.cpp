#include "ops/pattern_smoothing.h"

#include <cstdint>
#include <vector>

namespace vyd {
namespace {

uint32_t colourAt(const Image& image, int x, int y) {
    return colorOfPixel(image.row(y) + 3 * x);
}

void setColour(Image& image, int x, int y, uint32_t c) {
    uint8_t* p = image.row(y) + 3 * x;
    p[0] = static_cast<uint8_t>(c);
    p[1] = static_cast<uint8_t>(c >> 8);
    p[2] = static_cast<uint8_t>(c >> 16);
}

}  // namespace

bool smoothPattern(Image& image, int u, int v, std::unique_ptr<Image>& undo) {
    if (!image.hasPixels() || image.bitCount() != 24) return false;
    const int width = image.width(), height = image.height();
    if (u < 0 || u > width - 2 || v < 0 || v > height - 2) return false;
    saveUndo(undo, image);

    uint32_t pattern[4];
    for (int y = v; y <= v + 1; ++y) {
        for (int x = u; x <= u + 1; ++x) pattern[(x % 2) + 2 * (y % 2)] = colourAt(image, x, y);
    }
    uint32_t average = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t sum = 0;
        for (uint32_t c : pattern) sum += (c >> shift) & 0xFF;
        average |= (sum >> 2) << shift;
    }

    // A growable queue: a pixel is written when it is queued, so none is queued twice.
    struct Position {
        int x, y;
    };
    std::vector<Position> queue;
    queue.push_back({u, v});
    setColour(image, u, v, average);
    for (size_t head = 0; head < queue.size(); ++head) {
        const Position p = queue[head];
        const Position neighbours[4] = {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}};
        for (const Position& n : neighbours) {
            if (n.x < 0 || n.x >= width || n.y < 0 || n.y >= height) continue;
            const uint32_t c = colourAt(image, n.x, n.y);
            if (c != pattern[(n.x % 2) + 2 * (n.y % 2)] || c == average) continue;
            queue.push_back(n);
            setColour(image, n.x, n.y, average);
        }
    }
    return true;
}

}  // namespace vyd
