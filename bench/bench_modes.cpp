// Truecolor to 256 colours (colour cube) and to 256 greyshades, at full-HD and 12-megapixel sizes.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "image/image.h"
#include "modes/imageconv.h"

namespace {

vyd::Image makeTruecolor(int width, int height) {
    vyd::Image image;
    vyd::createImage(image, vyd::kModeTrue24, 24, width, height);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.row(y);
        for (int i = 0; i < 3 * width; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<uint8_t>(state >> 24);
        }
    }
    return image;
}

void convert(benchmark::State& state, int code) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const vyd::Image source = makeTruecolor(width, height);
    vyd::Image destination;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vyd::imageconv(source, destination, code));
        benchmark::ClobberMemory();
    }
    const double megapixels = static_cast<double>(width) * height / 1e6;
    state.counters["megapixels/s"] =
        benchmark::Counter(megapixels * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_TruecolorTo256(benchmark::State& state) { convert(state, vyd::kCode256); }
void BM_TruecolorToGreys(benchmark::State& state) { convert(state, vyd::kCodeGreys); }

BENCHMARK(BM_TruecolorTo256)->Args({1920, 1080})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TruecolorToGreys)->Args({1920, 1080})->Args({4000, 3000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
