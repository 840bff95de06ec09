// JPEG decode and encode of a 1920 x 1080 truecolor picture, in megapixels per second. The encoded file is left
// in $VYD_BENCH_DIR (default /tmp) as vyd_bench_jpeg.jpg, so that bench/compare_pillow_jpeg.py can time Pillow
// on the very same file and picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "formats/file_io.h"
#include "formats/format_table.h"
#include "formats/jpeg.h"

namespace vyd {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kQuality = kDefaultJpegQuality;

std::string benchFile() {
    const char* dir = std::getenv("VYD_BENCH_DIR");
    std::string path = dir && *dir ? dir : "/tmp";
    path += "/vyd_bench_jpeg.jpg";
    return path;
}

// A photograph-like picture: smooth shading in every channel, a few hard edges and a little sensor noise.
Image makePicture() {
    Image image;
    createImage(image, -1, 24, kWidth, kHeight);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < kWidth; ++x, p += 3) {
            const bool block = (x / 160 + y / 120) % 5 == 0;
            const double base = 120 + 60 * std::sin(x / 83.0) * std::cos(y / 57.0);
            for (int c = 0; c < 3; ++c) {
                seed = seed * 1664525u + 1013904223u;
                const double shade = base + 40 * std::sin((x + 37 * c) / (41.0 + 13 * c) + y / 190.0);
                const int noise = static_cast<int>(seed >> 29) - 4;
                p[c] = static_cast<uint8_t>(std::clamp((block ? 230 - 60 * c : static_cast<int>(shade)) + noise, 0, 255));
            }
        }
    }
    return image;
}

void setRate(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

void BM_JpegEncode(benchmark::State& state) {
    const Image image = makePicture();
    const std::string path = benchFile();
    for (auto _ : state) {
        if (!encodeImageFile(kJpegFormat, image, {{}, kQuality}, path).ok()) state.SkipWithError("write failed");
    }
    setRate(state);
}

void BM_JpegDecode(benchmark::State& state) {
    const std::string path = benchFile();
    if (!encodeImageFile(kJpegFormat, makePicture(), {{}, kQuality}, path).ok()) {
        state.SkipWithError("write failed");
        return;
    }
    const auto bytes = FileBytes::read(path);
    for (auto _ : state) {
        Decoded result = decodeJpeg(bytes.data.bytes());
        if (!result.ok()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(result.picture.pixels.data());
    }
    setRate(state);
}

BENCHMARK(BM_JpegEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vyd

BENCHMARK_MAIN();
