// The region fills: which pixels a click reaches in 8-bit and 24-bit pictures, regions far larger than one
// poll interval, the fill value, the cases that do nothing, and Esc.
#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "ops/region_fill.h"
#include "recording_monitor.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

using testing::RecordingMonitor;

// One character per pixel: the 8-bit index (palette entry i holds blue i), or the red of a truecolor pixel.
Image fromMap(const std::vector<std::string>& map, int bits) {
    const auto at = [&](int x, int y) { return static_cast<uint8_t>(map[y][x]); };
    const int w = static_cast<int>(map[0].size()), h = static_cast<int>(map.size());
    if (bits == 24) return testing::truecolor(w, h, [&](int x, int y) { return makeColor(at(x, y), 0x11, 7); });
    Image image = testing::indexed(kMode256, w, h, at);
    for (int i = 0; i < 256; ++i) image.palette[i] = RgbQuad::fromValue(static_cast<Color>(i));
    return image;
}

std::vector<std::string> toMap(const Image& image) {
    std::vector<std::string> map(image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            map[y] += static_cast<char>(image.bitCount() == 8 ? testing::at(image, x, y) : redOf(testing::at(image, x, y)));
    return map;
}

// Exactly the 4-connected pixels (through every value but the clicked one's, for fillAround), against a plain
// pixel-by-pixel walk over random obstacles, in regions of far more than 65535 pixels.
TEST(RegionFill, ReachesExactlyTheConnectedPixelsOfLargeRegions) {
    std::mt19937 random(7);
    for (int bits : {8, 24}) {
        for (bool around : {false, true}) {
            std::vector<std::string> map(330, std::string(420, '.'));
            for (auto& row : map)
                for (char& c : row) c = random() % 100 < 30 ? "xyz"[random() % 3] : '.';
            map[165][210] = around ? 'x' : '.';
            Image image = fromMap(map, bits);
            // The walk marks the expected pixels '#' in the map.
            std::deque<std::pair<int, int>> queue{{210, 165}};
            const char s = map[165][210];
            map[165][210] = '#';
            while (!queue.empty()) {
                auto [x, y] = queue.front();
                queue.pop_front();
                for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
                    if (nx < 0 || nx >= 420 || ny < 0 || ny >= 330 || map[ny][nx] == '#') continue;
                    if ((map[ny][nx] == s) == around) continue;
                    map[ny][nx] = '#';
                    queue.emplace_back(nx, ny);
                }
            }
            RecordingMonitor monitor;
            const Color colour = bits == 8 ? Color{'#'} : makeColor('#', 0x11, 7);
            const FillOutcome out = (around ? fillAround : fillRegion)(image, 210, 165, colour, monitor);
            EXPECT_EQ(toMap(image), map) << bits << " bits, around " << around;
            EXPECT_GT(monitor.polls, 1);
            const PixelRect& t = out.touched;
            EXPECT_TRUE(t.left == 0 && t.top == 0 && t.right == 420 && t.bottom == 330);
        }
    }
}

TEST(RegionFill, FillValueAndTheCasesThatDoNothing) {
    // An 8-bit picture is filled with the nearest palette index of the colour.
    Image indexed = testing::indexed(kMode256, 3, 1, [](int, int) { return uint8_t{0}; });
    std::fill(std::begin(indexed.palette), std::end(indexed.palette), RgbQuad{});
    indexed.palette[7] = RgbQuad::fromValue(makeColor(200, 10, 10));
    RecordingMonitor monitor;
    fillRegion(indexed, 1, 0, makeColor(190, 20, 5), monitor);
    EXPECT_EQ(toMap(indexed)[0], "\7\7\7");

    Image image = testing::truecolor(4, 3, [](int, int) { return makeColor(1, 2, 3); });
    monitor.polls = 0;
    for (auto [u, v, colour] : {std::tuple{1, 1, makeColor(1, 2, 3)}, {4, 0, 0u}, {0, -1, 0u}, {-1, 0, 0u}, {0, 3, 0u}})
        for (auto op : {fillRegion, fillAround}) EXPECT_FALSE(op(image, u, v, colour, monitor).changed) << u << v;
    Image empty;
    EXPECT_FALSE(fillRegion(empty, 0, 0, 0, monitor).changed);
    EXPECT_EQ(testing::at(image, 0, 0), makeColor(1, 2, 3));
    EXPECT_EQ(monitor.polls, 0);
}

TEST(RegionFill, EscStopsTheFillAndKeepsWhatWasWritten) {
    Image image = testing::indexed(kMode256, 600, 300, [](int, int) { return uint8_t{0}; });
    const auto count = [&](Color value) {
        int n = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 600; ++x) n += testing::at(image, x, y) == value;
        return n;
    };
    RecordingMonitor first;  // Esc at the poll before the first step: only the clicked pixel
    first.stopFrom = 0;
    const FillOutcome out = fillRegion(image, 10, 20, image.palette[3].value(), first);
    EXPECT_TRUE(out.stopped && out.changed);
    EXPECT_TRUE(out.touched.left == 10 && out.touched.top == 20 && out.touched.right == 11 && out.touched.bottom == 21);
    EXPECT_EQ(count(3), 1);
    ASSERT_EQ(first.progress.size(), 1u);  // each poll shows what was written so far
    EXPECT_EQ(first.progress[0].right, 11);
    RecordingMonitor third;  // the third poll comes once 2 x 65536 pixels are written, within a run or so
    third.stopFrom = 2;
    EXPECT_TRUE(fillAround(image, 10, 20, image.palette[4].value(), third).stopped);
    EXPECT_GE(count(4), 2 * 65536);
    EXPECT_LT(count(4), 2 * 65536 + 1200);
    EXPECT_EQ(third.progress.size(), 3u);
    EXPECT_GT(third.progress[2].bottom, third.progress[1].bottom);
}

}  // namespace
}  // namespace vyd
