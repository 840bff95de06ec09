// The box blur of a 1920 x 1080 truecolor picture with ranges 10 and 50. Items processed are pixels; "MP/s"
// is what bench/compare_pillow_blur.py sets beside Pillow's BoxBlur.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "image/image.h"
#include "ops/box_blur.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// Each run blurs the same noisy picture afresh (the copy is not timed).
void BM_Blur(benchmark::State& state) {
    vyd::Image source;
    vyd::createImage(source, vyd::kModeTrue24, 24, kWidth, kHeight);
    std::mt19937 random(7);
    for (size_t i = 0; i < source.pixelBytes(); ++i) source.pixels.data()[i] = static_cast<uint8_t>(random());
    vyd::Image picture = vyd::cloneImage(source);
    const int range = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::copy_n(source.pixels.data(), source.pixelBytes(), picture.pixels.data());
        state.ResumeTiming();
        benchmark::DoNotOptimize(vyd::boxBlur(picture, range));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
    state.counters["MP/s"] = benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Blur)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
