// The display's repaint: sixteen shown 1920 x 1080 truecolor levels with different placements assembled into
// the display image of a maximised window, at zoom 1 and zoom 3; one rotated level; and the whole repaint
// (assembly, frame and blit) on the headless platform; and the resampling copy of one level by kind.
//
// Counters: "footprint Mpx/s" counts, for every shown level, the picture pixels its footprint covers (what
// drawing each level whole would write); assembly skips what opaque levels above hide, so this is the rate
// at which the stack is composed. "Mpx/s" of the single-level copy counts the pixels it writes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "app/repaint.h"
#include "compose/assembly.h"
#include "compose/geometry.h"
#include "platform/headless_platform.h"

namespace {

using namespace vyd;

constexpr int kWidth = 1920, kHeight = 1080;
constexpr Color kTransparent = 0x00FF00;

void fill(Image& image, uint32_t seed) {
    createImage(image, kModeTrue24, 24, kWidth, kHeight);
    uint32_t state = seed;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = image.row(y);
        for (int x = 0; x < kWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            const bool hole = (state >> 28) == 0;  // one pixel in sixteen has the transparent colour
            row[3 * x] = hole ? 0x00 : static_cast<uint8_t>(x + seed);
            row[3 * x + 1] = hole ? 0xFF : static_cast<uint8_t>(y ^ seed);
            row[3 * x + 2] = hole ? 0x00 : static_cast<uint8_t>(state >> 20);
        }
    }
}

struct Scene {
    HeadlessPlatform ui;  // a maximised window on a 1280 x 1024 screen
    AppState app;
    explicit Scene(int levels) {
        app.platform = &ui;
        for (int i = 0; i < kLevelCount; ++i) {
            Level& level = app.levels[i];
            level.shown = i < levels;
            if (i >= levels) continue;
            fill(level.image, 977u * (i + 1));
            if (i == 0) continue;
            // Offsets across the window, three scales, and a transparent colour on every other level.
            level.originX = (i * 83) % 400 - 200;
            level.originY = (i * 57) % 300 - 150;
            level.scaleX = level.scaleY = (i % 3 == 0) ? 0.75 : (i % 3 == 1) ? 1.0 : 1.25;
            if (i % 2 == 1) level.image.leftColor = kTransparent;
        }
    }
    // The window's view of the levels, as the repaint assembles it.
    void assemble() {
        const Rect client = ui.clientRect();
        assembleLevels(app.levels, app.view, {.clientWidth = client.width(), .clientHeight = client.height()},
                       app.view.displayImage);
    }
    // Destination pixels the copy visits for the shown levels: those whose sample lies on the level.
    double visitedPixels() {
        const Image& display = app.view.displayImage;
        assemble();
        double count = 0;
        for (int i = 0; i < kLevelCount; ++i) {
            if (!app.levels[i].shown) continue;
            for (int y = 0; y < display.height(); ++y) {
                for (int x = 0; x < display.width(); ++x) {
                    count += pictureToLevelPixel(app.view, app.levels[i], x, y, false) != kNotOnLevel;
                }
            }
        }
        return count;
    }
};

void report(benchmark::State& state, double pixels, const char* name = "footprint Mpx/s") {
    state.counters[name] =
        benchmark::Counter(pixels / 1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_AssembleSixteenLevels(benchmark::State& state) {
    Scene scene(kLevelCount);
    scene.app.view.zoomAllX = scene.app.view.zoomAllY = static_cast<double>(state.range(0));
    const double pixels = scene.visitedPixels();
    for (auto _ : state) {
        scene.assemble();
        benchmark::ClobberMemory();
    }
    report(state, pixels);
}

void BM_AssembleRotatedLevel(benchmark::State& state) {
    Scene scene(2);
    Level& level = scene.app.levels[1];
    const double theta = 0.4;
    level.rotationCos = std::cos(theta);
    level.rotationSin = std::sin(theta);
    level.originX = -100;
    level.originY = 300;
    level.image.leftColor = kNoColor;
    scene.app.levels[0].shown = 0;  // the rotated level alone
    const double pixels = scene.visitedPixels();
    for (auto _ : state) {
        scene.assemble();
        benchmark::ClobberMemory();
    }
    report(state, pixels);
}

void BM_FullRepaintSixteenLevels(benchmark::State& state) {
    Scene scene(kLevelCount);
    const double pixels = scene.visitedPixels();
    for (auto _ : state) {
        paintMainWindow(scene.app);
        benchmark::ClobberMemory();
    }
    report(state, pixels);
}

// One level drawn whole into the display image: scale in hundredths, and whether it has a transparent colour.
void BM_ResamplingCopy(benchmark::State& state) {
    Scene scene(2);
    scene.app.levels[0].shown = 0;
    Level& level = scene.app.levels[1];
    level.originX = level.originY = -50;
    level.scaleX = level.scaleY = static_cast<double>(state.range(0)) / 100;
    level.image.leftColor = state.range(1) ? kTransparent : kNoColor;
    const double pixels = scene.visitedPixels();
    Image& display = scene.app.view.displayImage;
    const Placement placement = drawingPlacement(scene.app.view, level);
    for (auto _ : state) {
        drawTransformed(display, level.image, nullptr, placement);
        benchmark::ClobberMemory();
    }
    report(state, pixels, "Mpx/s");
}

BENCHMARK(BM_ResamplingCopy)
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({125, 0})
    ->Args({75, 1})
    ->Args({300, 0})
    ->Args({300, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleSixteenLevels)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssembleRotatedLevel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintSixteenLevels)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
