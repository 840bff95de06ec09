// PCX decode and encode of a 1920 x 1080 picture at 8 and 24 bits, in megapixels per second. The encoded
// files are left in $VYD_BENCH_DIR (default /tmp) as vyd_bench_pcx8.pcx and vyd_bench_pcx24.pcx, so that
// bench/compare_pillow_pcx.py can time Pillow on the very same files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "formats/file_io.h"
#include "formats/format_table.h"
#include "formats/pcx.h"

namespace vyd {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

std::string benchFile(int bits) {
    const char* dir = std::getenv("VYD_BENCH_DIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/vyd_bench_pcx" + std::to_string(bits) + ".pcx";
}

// A photograph-like picture: smooth gradients with a little noise, and flat areas that give long runs.
Image makePicture(int bits) {
    Image image;
    createImage(image, bits == 24 ? kModeTrue24 : kMode256, bits, kWidth, kHeight);
    uint32_t seed = 12345;
    const int bytesPerPixel = bits / 8;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* p = image.row(y);
        for (int x = 0; x < kWidth; ++x) {
            const bool flat = (x / 240 + y / 270) % 3 == 0;
            for (int c = 0; c < bytesPerPixel; ++c) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = flat ? 0 : static_cast<int>(seed >> 29);
                *p++ = static_cast<uint8_t>(flat ? 40 * c + 30 : (x / 8 + y / 5 + 60 * c + noise));
            }
        }
    }
    for (int i = 0; i < 256; ++i) image.palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    return image;
}

void encode(benchmark::State& state, int bits) {
    const Image image = makePicture(bits);
    const std::string path = benchFile(bits);
    for (auto _ : state) {
        if (!encodeImageFile(kPcxFormat, image, {}, path).ok()) state.SkipWithError("write failed");
    }
    state.counters["MP/s"] = benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

void decode(benchmark::State& state, int bits) {
    const std::string path = benchFile(bits);
    if (!encodeImageFile(kPcxFormat, makePicture(bits), {}, path).ok()) {
        state.SkipWithError("write failed");
        return;
    }
    const auto bytes = FileBytes::read(path);
    for (auto _ : state) {
        Decoded result = decodePcx(bytes.data.bytes(), ModeSettings{});
        if (!result.ok()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(result.picture.pixels.data());
    }
    state.counters["MP/s"] = benchmark::Counter(double(kWidth) * kHeight * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
}

void BM_PcxEncode8(benchmark::State& state) { encode(state, 8); }
void BM_PcxEncode24(benchmark::State& state) { encode(state, 24); }
void BM_PcxDecode8(benchmark::State& state) { decode(state, 8); }
void BM_PcxDecode24(benchmark::State& state) { decode(state, 24); }

BENCHMARK(BM_PcxEncode8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxEncode24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxDecode8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxDecode24)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vyd

BENCHMARK_MAIN();
