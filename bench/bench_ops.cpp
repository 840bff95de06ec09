// The pixel operations of the mouse gestures at full-HD size: the region fill over a whole 1920 x 1080
// picture (8-bit and 24-bit, and 24-bit with scattered obstacles) and the colour wash of orders 4 and 5.
// Items processed are pixels, so the reports give pixels per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "image/image.h"
#include "ops/color_wash.h"
#include "ops/region_fill.h"

namespace {

class QuietMonitor : public vyd::OperationMonitor {
public:
    bool stopRequested() override { return false; }
    void showProgress(const vyd::PixelRect&) override {}
    void showRowTitle(const std::string&) override {}
    void restoreTitle() override {}
};

constexpr int kWidth = 1920, kHeight = 1080;

vyd::Image makePicture(int bits, int obstaclePercent) {
    vyd::Image image;
    vyd::createImage(image, bits == 8 ? vyd::kMode256 : vyd::kModeTrue24, bits, kWidth, kHeight);
    std::mt19937 random(1);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t value = static_cast<int>(random() % 100) < obstaclePercent ? 9 : 0;
            if (bits == 8) row[x] = value;
            else row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return image;
}

// Fills from (5, 5), alternating between two colours so that every run repaints the whole region.
void fill(benchmark::State& state, int bits, int obstaclePercent) {
    vyd::Image image = makePicture(bits, obstaclePercent);
    if (bits == 24) image.row(5)[15] = image.row(5)[16] = image.row(5)[17] = 0;
    else image.row(5)[5] = 0;
    const vyd::Color colours[2] = {bits == 8 ? image.palette[1].value() : 0x0000FFu,
                                   bits == 8 ? image.palette[2].value() : 0x00FF00u};
    QuietMonitor monitor;
    int turn = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::fillRegion(image, 5, 5, colours[turn], monitor));
        turn ^= 1;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_FillRegion8(benchmark::State& state) { fill(state, 8, 0); }
void BM_FillRegion24(benchmark::State& state) { fill(state, 24, 0); }
void BM_FillRegion24Obstacles(benchmark::State& state) { fill(state, 24, 30); }

void BM_ColorWash(benchmark::State& state) {
    vyd::Image level15, target;
    vyd::createImage(level15, vyd::kModeTrue24, 24, kWidth, kHeight);
    vyd::createImage(target, vyd::kModeTrue24, 24, kWidth, kHeight);
    std::mt19937 random(2);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = level15.row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(x / 8 + random() % 16);
            p[1] = static_cast<uint8_t>(y / 5 + random() % 16);
            p[2] = static_cast<uint8_t>((x + y) / 12);
        }
    }
    level15.leftColor = 0x000000;
    QuietMonitor monitor;
    const int order = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::colorWash(target, level15, order, monitor));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

}  // namespace

BENCHMARK(BM_FillRegion8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRegion24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillRegion24Obstacles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorWash)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
