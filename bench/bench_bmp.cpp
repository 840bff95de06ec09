// BMP reading (file to picture, as "&read from file" does) and writing (picture to file) of 1920 x 1080 and 4000 x 3000 truecolor
// pictures in megapixels per second, against a memcpy of the same bytes; the two conversions Pillow's
// comparison also times (the 6 x 6 x 6 colour cube and greyshades); and the first-touch cost of fresh big
// buffers, 2 MiB-aligned with huge pages offered (as pixel buffers are) against plain malloc.
// The pictures are left in $VYD_BENCH_DIR (default /tmp) as vyd_bench_bmp_WxH.bmp, so that
// bench/compare_pillow.py can time Pillow on the very same files.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "formats/bmp.h"
#include "formats/file_io.h"
#include "formats/format_table.h"
#include "modes/imageconv.h"

namespace vyd {
namespace {

std::string benchDir() {
    const char* dir = std::getenv("VYD_BENCH_DIR");
    return dir && *dir ? dir : "/tmp";
}

std::string benchFile(int width, int height) {
    return benchDir() + "/vyd_bench_bmp_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
}

// A photograph-like picture: smooth gradients with a little noise. Made once per size and written to its
// file, which the reading benchmarks and Pillow read.
const Image& picture(int width, int height) {
    static std::map<std::pair<int, int>, Image> made;
    auto [it, fresh] = made.try_emplace({width, height});
    if (fresh) {
        Image& image = it->second;
        createImage(image, kModeTrue24, 24, width, height);
        uint32_t seed = 12345;
        for (int y = 0; y < height; ++y) {
            uint8_t* p = image.row(y);
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    *p++ = static_cast<uint8_t>(x * (c + 1) / 9 + y / 7 + 50 * c + (seed >> 28));
                }
            }
        }
        encodeImageFile(kBmpFormat, image, {}, benchFile(width, height));
    }
    return it->second;
}

size_t pictureBytes(int width, int height) { return static_cast<size_t>(width) * 3 * height; }

void setRate(benchmark::State& state, int width, int height) {
    state.counters["MP/s"] = benchmark::Counter(double(width) * height * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pictureBytes(width, height)));
}

void BM_BmpRead(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    picture(width, height);
    const std::string file = benchFile(width, height);
    for (auto _ : state) {
        DecodedFile read = decodeImageFile(file, ModeSettings{});
        if (!read.decoded.ok()) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read.decoded.picture.pixels.data());
    }
    setRate(state, width, height);
}

// Decoding alone, from bytes already in memory.
void BM_BmpDecode(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    picture(width, height);
    const std::string file = benchFile(width, height);
    const WholeFile bytes = FileBytes::read(file);
    for (auto _ : state) {
        Decoded decoded = decodeBmp(bytes.data.bytes(), ModeSettings{});
        if (!decoded.ok()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(decoded.picture.pixels.data());
    }
    setRate(state, width, height);
}

void BM_BmpWrite(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const Image& image = picture(width, height);
    const std::string file = benchDir() + "/vyd_bench_bmp_out.bmp";
    for (auto _ : state) {
        if (!encodeImageFile(kBmpFormat, image, {}, file).ok()) state.SkipWithError("write failed");
    }
    setRate(state, width, height);
}

// The anchor: copying the picture's bytes into a buffer already touched.
void BM_Memcpy(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const Image& image = picture(width, height);
    const size_t n = pictureBytes(width, height);
    PixelBuffer to = PixelBuffer::allocate(n);
    std::memset(to.data(), 0, n);
    for (auto _ : state) {
        std::memcpy(to.data(), image.pixels.data(), n);
        benchmark::ClobberMemory();
    }
    setRate(state, width, height);
}

// Copying into a fresh pixel buffer each time, as a reader does: the copy pays the first touch.
void BM_MemcpyFresh(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const Image& image = picture(width, height);
    const size_t n = pictureBytes(width, height);
    for (auto _ : state) {
        PixelBuffer to = PixelBuffer::allocate(n);
        std::memcpy(to.data(), image.pixels.data(), n);
        benchmark::DoNotOptimize(to.data());
    }
    setRate(state, width, height);
}

// First touch of a fresh buffer of the picture's size: as pixel buffers are allocated, and with malloc.
void BM_FirstTouchPixelBuffer(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const size_t n = pictureBytes(width, height);
    for (auto _ : state) {
        PixelBuffer buffer = PixelBuffer::allocate(n);
        std::memset(buffer.data(), 1, n);
        benchmark::DoNotOptimize(buffer.data());
    }
    setRate(state, width, height);
}

void BM_FirstTouchMalloc(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const size_t n = pictureBytes(width, height);
    for (auto _ : state) {
        void* buffer = std::malloc(n);
        std::memset(buffer, 1, n);
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
    }
    setRate(state, width, height);
}

void convert(benchmark::State& state, int code) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const Image& image = picture(width, height);
    for (auto _ : state) {
        Image converted;
        if (!imageconv(image, converted, code)) state.SkipWithError("conversion failed");
        benchmark::DoNotOptimize(converted.pixels.data());
    }
    setRate(state, width, height);
}

void BM_ToColourCube(benchmark::State& state) { convert(state, kCode256); }
void BM_ToGreys(benchmark::State& state) { convert(state, kCodeGreys); }

#define VYD_SIZES ->Args({1920, 1080})->Args({4000, 3000})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_BmpRead) VYD_SIZES;
BENCHMARK(BM_BmpDecode) VYD_SIZES;
BENCHMARK(BM_BmpWrite) VYD_SIZES;
BENCHMARK(BM_Memcpy) VYD_SIZES;
BENCHMARK(BM_MemcpyFresh) VYD_SIZES;
BENCHMARK(BM_FirstTouchPixelBuffer) VYD_SIZES;
BENCHMARK(BM_FirstTouchMalloc) VYD_SIZES;
BENCHMARK(BM_ToColourCube) VYD_SIZES;
BENCHMARK(BM_ToGreys) VYD_SIZES;

}  // namespace
}  // namespace vyd

BENCHMARK_MAIN();
