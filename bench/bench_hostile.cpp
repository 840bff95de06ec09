// Reading hostile files: each picture of tests/data/hostile claims a picture of about a gigabyte on a few bytes
// of data, and must be refused (or read) in well under a second and within 100 MB. The benchmark reports the time
// and the peak resident size of the process so far (run one at a time with --benchmark_filter to see each). A
// 16-colour PCX of 1 x 1200 pixels whose scan lines are 4 x 2100 bytes wide (10 MB) times the reader's unpacking
// of only the columns the width covers.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/format_table.h"
#include "formats/pcx.h"

namespace vyd {
namespace {

void peakResident(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["process_peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void readHostile(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        DecodedFile file = decodeImageFile(path, ModeSettings{});
        benchmark::DoNotOptimize(file.decoded.picture.pixels.data());
    }
    peakResident(state);
}

void readWidePlanarPcx(benchmark::State& state) {
    constexpr int kBytesPerLine = 2100, kHeight = 1200;
    PcxHeader h;
    h.bitsPerPixel = 1;
    h.nPlanes = 4;
    h.bytesPerLine = kBytesPerLine;
    h.yMax = kHeight - 1;
    const auto header = serializePcxHeader(h);
    std::vector<uint8_t> file(header.begin(), header.end());
    file.resize(kPcxHeaderBytes + size_t{4} * kBytesPerLine * kHeight, 0x55);  // literal bytes, no runs
    for (auto _ : state) {
        Decoded d = decodePcx(file, ModeSettings{});
        benchmark::DoNotOptimize(d.picture.pixels.data());
    }
    peakResident(state);
}

const bool registered = [] {
    for (const auto& entry : std::filesystem::directory_iterator(VYD_HOSTILE_DATA)) {
        const std::string path = entry.path().string();
        if (path.ends_with(".md")) continue;
        benchmark::RegisterBenchmark(("read/" + entry.path().filename().string()).c_str(), readHostile, path)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("read/pcx-16-colour-1x1200-bpl2100", readWidePlanarPcx)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace vyd

BENCHMARK_MAIN();
