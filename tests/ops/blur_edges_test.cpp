// The box blur against each clipped window's mean, and the division by a multiplier it relies on.
#include <gtest/gtest.h>

#include <random>

#include "ops/box_blur.h"
#include "support/picture_helpers.h"

namespace vyd {
namespace {

Color windowMean(const Image& picture, int x, int y, int r) {
    uint64_t sums[3] = {}, count = 0;
    for (int j = std::max(0, y - r); j <= std::min(picture.height() - 1, y + r); ++j)
        for (int i = std::max(0, x - r); i <= std::min(picture.width() - 1, x + r); ++i, ++count)
            for (int c = 0; c < 3; ++c) sums[c] += (testing::at(picture, i, j) >> (8 * c)) & 0xFF;
    return static_cast<Color>(sums[0] / count | sums[1] / count << 8 | sums[2] / count << 16);
}

TEST(BoxBlur, EqualsTheMeanOverEachClippedWindow) {
    std::mt19937 random(54);
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 6}, {7, 1}, {2, 2}, {5, 4}, {9, 13}, {16, 3}};
    for (auto [w, h] : sizes) {
        const Image source = testing::truecolor(w, h, [&](int, int) { return Color(random() & 0xFFFFFF); });
        for (int r : {0, 1, 2, 3, 6, 40, -2}) {
            Image blurred = testing::truecolor(w, h, [&](int x, int y) { return testing::at(source, x, y); });
            ASSERT_TRUE(boxBlur(blurred, r));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(testing::at(blurred, x, y), windowMean(source, x, y, std::abs(r)))
                        << w << "x" << h << " r=" << r << " at " << x << "," << y;
        }
    }
    Image indexed = testing::indexed(kMode16, 3, 3, [](int, int) { return 1; });
    EXPECT_FALSE(boxBlur(indexed, 1));
}

TEST(BoxBlur, WindowsWhoseSumsPass32BitsStayExact) {
    // Windows of up to 17.2 million white pixels sum to more than 2^32 in each channel, and shrink towards
    // the right and bottom edges.
    Image white = testing::truecolor(4200, 4100, [](int, int) { return 0xFFFFFFu; });
    ASSERT_TRUE(boxBlur(white, 3000));
    for (auto [x, y] : {std::pair{0, 0}, {2100, 2050}, {4199, 4099}, {3500, 4000}}) EXPECT_EQ(testing::at(white, x, y), 0xFFFFFFu);
}

TEST(BoxBlur, DivisionByMagicIsExactForEverySumOfItsCounts) {
    // Small counts with every sum up to 255 times the count, then the largest counts the blur divides this
    // way (2^28) with the sums next to each multiple.
    for (uint64_t d = 2; d <= 700; ++d) {
        const uint64_t m = divisionMagic(d);
        for (uint64_t n = 0; n <= 255 * d; ++n) ASSERT_EQ(divideByMagic(n, m), n / d) << n << " / " << d;
    }
    for (uint64_t d = (1u << 28) - 300; d <= (1u << 28); ++d) {
        const uint64_t m = divisionMagic(d);
        for (uint64_t q = 1; q <= 255; ++q)
            for (uint64_t n : {q * d - 1, q * d, q * d - d / 2}) ASSERT_EQ(divideByMagic(n, m), n / d) << n << " / " << d;
    }
}

}  // namespace
}  // namespace vyd
