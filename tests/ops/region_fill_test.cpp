// The region fills: which pixels a click reaches in 8-bit and 24-bit pictures, the fill value, the cases
// that do nothing, regions far larger than one poll interval, and Esc.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <vector>

#include "ops/region_fill.h"
#include "recording_monitor.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::RecordingMonitor;

// Pictures drawn as text: one character per pixel, its code the 8-bit index or the truecolor value.
Color truecolorOf(char c) { return makeColor(static_cast<uint8_t>(c), 0x11, static_cast<uint8_t>(c * 3)); }

Image fromMap(const std::vector<std::string>& map, int bits) {
    const int width = static_cast<int>(map[0].size()), height = static_cast<int>(map.size());
    if (bits == 8) {
        return testing::indexed(kMode256, width, height, [&](int x, int y) { return static_cast<uint8_t>(map[y][x]); });
    }
    return testing::truecolor(width, height, [&](int x, int y) { return truecolorOf(map[y][x]); });
}

std::vector<std::string> toMap(const Image& image) {
    std::vector<std::string> map;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const Color c = testing::at(image, x, y);
            row += image.bitCount() == 8 ? static_cast<char>(c) : static_cast<char>(redOf(c));
        }
        map.push_back(row);
    }
    return map;
}

// For an 8-bit picture whose palette entry i holds colour i, the fill value of colour '#' is index '#'.
void identityPalette(Image& image) {
    for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(static_cast<Color>(i));
}

struct FillCase {
    const char* name;
    bool around;
    int u, v;
    std::vector<std::string> before, after;
};

const FillCase kFillCases[] = {
    {"diagonal not crossed", false, 0, 0,
     {"aab", "abb", "bba"},
     {"##b", "#bb", "bba"}},
    {"one-pixel island", false, 1, 1,
     {"bbb", "bab", "bbb"},
     {"bbb", "b#b", "bbb"}},
    {"runs reached round corners, up and down", false, 0, 4,
     {"aaaaa", "abbba", "abaaa", "abab.", "aaab."},
     {"#####", "#bbb#", "#b###", "#b#b.", "###b."}},
    {"one-pixel picture", false, 0, 0, {"a"}, {"#"}},
    {"around: the clicked pixel, not its S neighbours", true, 2, 1,
     {"cdaxy", "aaaxz", "qqaaa"},
     {"cda##", "aa###", "qqaaa"}},
    {"around: through several values, stopping at S", true, 0, 0,
     {"sxys", "sszs", "swss"},
     {"###s", "ss#s", "swss"}},
};

TEST(RegionFill, ReachesExactlyTheConnectedPixels) {
    for (const FillCase& c : kFillCases) {
        for (int bits : {8, 24}) {
            Image image = fromMap(c.before, bits);
            identityPalette(image);
            RecordingMonitor monitor;
            const Color colour = bits == 8 ? Color{'#'} : truecolorOf('#');
            const FillOutcome out = (c.around ? fillAround : fillRegion)(image, c.u, c.v, colour, monitor);
            EXPECT_EQ(toMap(image), c.after) << c.name << " at " << bits << " bits";
            EXPECT_TRUE(out.changed) << c.name;
            EXPECT_FALSE(out.stopped) << c.name;
            EXPECT_GE(monitor.polls, 1) << c.name;
        }
    }
}

TEST(RegionFill, EightBitFillUsesTheNearestPaletteIndex) {
    Image image = testing::indexed(kMode256, 3, 1, [](int, int) { return uint8_t{0}; });
    for (int i = 0; i < 256; ++i) image.palette[i] = {0, 0, 0, 0};
    image.palette[7] = RgbQuad::fromValue(makeColor(200, 10, 10));
    RecordingMonitor monitor;
    fillRegion(image, 1, 0, makeColor(190, 20, 5), monitor);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(testing::at(image, x, 0), 7u);
}

TEST(RegionFill, NothingHappensWithoutPixelsOutsideOrWhenTheColourIsAlreadyThere) {
    Image image = testing::truecolor(4, 3, [](int, int) { return makeColor(1, 2, 3); });
    RecordingMonitor monitor;
    for (auto [u, v, colour] : {std::tuple{1, 1, makeColor(1, 2, 3)}, std::tuple{4, 0, 0u},
                                std::tuple{0, -1, 0u}, std::tuple{-1, 0, 0u}, std::tuple{0, 3, 0u}}) {
        for (auto op : {fillRegion, fillAround}) {
            const FillOutcome out = op(image, u, v, colour, monitor);
            EXPECT_FALSE(out.changed) << u << "," << v;
            EXPECT_TRUE(out.touched.empty());
        }
    }
    EXPECT_EQ(testing::at(image, 0, 0), makeColor(1, 2, 3));
    EXPECT_EQ(monitor.polls, 0);
    Image empty;
    EXPECT_FALSE(fillRegion(empty, 0, 0, 0, monitor).changed);
}

// The fills against a plain pixel-by-pixel walk over random obstacles, on pictures whose regions hold far
// more than the 65535 pixels a fixed queue could keep waiting.
std::vector<bool> walk(const Image& image, int u, int v, bool around) {
    const int w = image.width(), h = image.height();
    const Color s = testing::at(image, u, v);
    std::vector<bool> seen(static_cast<size_t>(w) * h, false);
    std::deque<std::pair<int, int>> queue{{u, v}};
    seen[static_cast<size_t>(v) * w + u] = true;
    while (!queue.empty()) {
        auto [x, y] = queue.front();
        queue.pop_front();
        for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
            if (nx < 0 || nx >= w || ny < 0 || ny >= h || seen[static_cast<size_t>(ny) * w + nx]) continue;
            if ((testing::at(image, nx, ny) == s) == around) continue;
            seen[static_cast<size_t>(ny) * w + nx] = true;
            queue.emplace_back(nx, ny);
        }
    }
    return seen;
}

TEST(RegionFill, LargeRegionsMatchAPixelWalk) {
    std::mt19937 random(7);
    for (int bits : {8, 24}) {
        for (bool around : {false, true}) {
            // Sparse obstacles: one region of most of the 420 x 330 pixels, with many holes and bays.
            Image image = bits == 8 ? testing::indexed(kMode256, 420, 330, [&](int, int) {
                                          return static_cast<uint8_t>(random() % 100 < 30 ? 1 + random() % 3 : 0);
                                      })
                                    : testing::truecolor(420, 330, [&](int, int) {
                                          return random() % 100 < 30 ? makeColor(9, 9, static_cast<uint8_t>(random() % 3)) : 0u;
                                      });
            identityPalette(image);
            const int u = 210, v = 165;
            // The same-colour fill starts on an open pixel; the variant on an obstacle, so that it spreads
            // through the open pixels and the other obstacles.
            uint8_t* clicked = image.row(v) + (bits == 8 ? u : 3 * u);
            std::fill(clicked, clicked + bits / 8, uint8_t{0});
            if (around && bits == 8) clicked[0] = 1;
            if (around && bits == 24) clicked[1] = clicked[2] = 9;
            const std::vector<bool> expected = walk(image, u, v, around);
            const Image before = cloneImage(image);
            const Color fillValue = bits == 8 ? 5u : makeColor(5, 5, 5);
            RecordingMonitor monitor;
            const FillOutcome out = (around ? fillAround : fillRegion)(image, u, v, fillValue, monitor);
            size_t reached = 0, wrong = 0;
            PixelRect box{image.width(), image.height(), 0, 0};
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool in = expected[static_cast<size_t>(y) * image.width() + x];
                    const Color want = in ? fillValue : testing::at(before, x, y);
                    wrong += testing::at(image, x, y) != want;
                    if (in) {
                        ++reached;
                        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                               std::max(box.bottom, y + 1)};
                    }
                }
            }
            EXPECT_EQ(wrong, 0u) << bits << " bits, around " << around;
            EXPECT_GT(reached, 65535u * 1.3);
            EXPECT_EQ(out.touched.left, box.left);
            EXPECT_EQ(out.touched.top, box.top);
            EXPECT_EQ(out.touched.right, box.right);
            EXPECT_EQ(out.touched.bottom, box.bottom);
            // Polled before the first step and once per 65536 pixels written (not after the last).
            EXPECT_GE(monitor.polls, static_cast<int>(reached / 65536)) << reached;
            EXPECT_LE(monitor.polls, static_cast<int>(1 + reached / 65536)) << reached;
            EXPECT_EQ(monitor.progress.size(), static_cast<size_t>(monitor.polls));
        }
    }
}

TEST(RegionFill, EscStopsTheFillAndKeepsWhatWasWritten) {
    Image image = testing::indexed(kMode256, 600, 300, [](int, int) { return uint8_t{0}; });
    identityPalette(image);
    RecordingMonitor first;
    first.stopAtPoll = 0;
    FillOutcome out = fillRegion(image, 10, 20, 3, first);
    EXPECT_TRUE(out.stopped);
    EXPECT_TRUE(out.changed);
    EXPECT_EQ(first.polls, 1);
    EXPECT_EQ(out.touched.left, 10);
    EXPECT_EQ(out.touched.top, 20);
    EXPECT_EQ(out.touched.right, 11);
    EXPECT_EQ(out.touched.bottom, 21);
    size_t written = 0;
    for (int y = 0; y < 300; ++y) for (int x = 0; x < 600; ++x) written += testing::at(image, x, y) == 3;
    EXPECT_EQ(written, 1u);

    RecordingMonitor second;
    second.stopAtPoll = 2;
    out = fillAround(image, 10, 20, 4, second);
    written = 0;
    for (int y = 0; y < 300; ++y) for (int x = 0; x < 600; ++x) written += testing::at(image, x, y) == 4;
    // The third poll comes once 2 x 65536 pixels are written, within a row's run or so.
    EXPECT_TRUE(out.stopped);
    EXPECT_GE(written, 2 * 65536u);
    EXPECT_LT(written, 2 * 65536u + 2 * 600u);
}

}  // namespace
}  // namespace vyd
