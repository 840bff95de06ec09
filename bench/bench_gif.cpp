// GIF decode and encode of a 1920 x 1080 256-color picture, in megapixels per second. The encoded file is left
// in $VYD_BENCH_DIR (default /tmp) as vyd_bench_gif.gif, so that bench/compare_pillow_gif.py can time Pillow on
// the very same file and picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "formats/file_io.h"
#include "formats/format_table.h"
#include "formats/gif.h"

namespace vyd {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

std::string benchFile() {
    const char* dir = std::getenv("VYD_BENCH_DIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/vyd_bench_gif.gif";
}

// A photograph-like picture reduced to 256 colours: smooth shading with a little noise, and flat areas.
Image makePicture() {
    Image image;
    createImage(image, kMode256, 8, kWidth, kHeight);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const bool flat = (x / 240 + y / 270) % 3 == 0;
            const double shade = 128 + 70 * std::sin(x / 97.0) + 50 * std::cos(y / 61.0 + x / 300.0);
            p[x] = static_cast<uint8_t>(flat ? 17 : static_cast<int>(shade) + static_cast<int>(seed >> 30));
        }
    }
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    return image;
}

void setRate(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

void BM_GifEncode(benchmark::State& state) {
    const Image image = makePicture();
    const std::string path = benchFile();
    for (auto _ : state) {
        if (!encodeImageFile(kGifFormat, image, {}, path).ok()) state.SkipWithError("write failed");
    }
    setRate(state);
}

void BM_GifDecode(benchmark::State& state) {
    const std::string path = benchFile();
    if (!encodeImageFile(kGifFormat, makePicture(), {}, path).ok()) {
        state.SkipWithError("write failed");
        return;
    }
    const auto bytes = FileBytes::read(path);
    for (auto _ : state) {
        Decoded result = decodeGif(bytes.data.bytes(), ModeSettings{});
        if (!result.ok()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(result.picture.pixels.data());
    }
    setRate(state);
}

BENCHMARK(BM_GifEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GifDecode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vyd

BENCHMARK_MAIN();
